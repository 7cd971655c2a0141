#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QProgressBar>
#include <filesystem>

#include "app/AudioWindow.h"
#include "app/QtPlatform.h"
#include "app/QtTestApp.h"
#include "app/QtWavePlayer.h"
#include "app/QtWaveRecorder.h"
#include "storage/SettingsFile.h"
#include "transmit/KeyerRig.h"
#include "transmit/WaveFile.h"

namespace keslog {
namespace {

// 300 ms of a 600 Hz tone, 8 kHz 16-bit mono.
std::string shortTone() {
    std::string samples;
    for (int i = 0; i < 2400; ++i) {
        const auto v = static_cast<std::int16_t>((i / 7) % 2 ? 8000 : -8000);
        samples += static_cast<char>(v & 0xFF);
        samples += static_cast<char>((v >> 8) & 0xFF);
    }
    return waveFileBytes({kWavePcm, 1, 8000, 16}, samples);
}

class AudioWindowAppTest : public test::QtTest, protected test::KeyerRig {
  protected:
    AudioWindowAppTest() {
        test::copyShippedStartupFiles(dir);
        state.programDir = dir.path();
        ReadSettings(state);
        state.logOpen = true;
        state.contestNr = contest::Wpx;
        state.ModeFlag = {true, false};
        state.CurrentBandMode = bandModeCode(band::B20, true);
        state.currentLogPath = "/logs/N6TR.KSL";
        state.settings.SSBPTTActivated = true;
        state.settings.SSBPTTComport = "Com2";
        audio.setRepeater(repeater);
        window.attachKeyer(keyer, keys);
        window.attachRadios(radios, repeater);
        window.attachVoice(audio);
        test::showWindow(window);
        for (const char* name : {"cq.wav", "call.wav"}) dir.write(name, shortTone());
        dir.write("contest.DVK", "\"" + dir.file("cq.wav") +
                                     "\"\r\n\"[RADIO1][PLAY3]CQ TEST\"\r\n\"" +
                                     dir.file("call.wav") + "\"\r\n\"[RADIO2][PLAY1]MY CALL\"\r\n");
    }
    ~AudioWindowAppTest() override {
        if (AudioWindow* w = dvk()) w->close();
    }

    AudioWindow* dvk() { return dynamic_cast<AudioWindow*>(window.findChild<QWidget*>("Audio")); }
    AudioWindow* showDvk() {
        view->trigger();
        return dvk();
    }
    void openSet(AudioWindow* w) {
        fakes.fileDialog.answers.push_back(dir.file("contest.DVK"));
        w->findChild<QAction*>("MenuOpenItem")->trigger();
    }

    test::TempDir dir;
    LatchedKeyState keys;
    test::NoLogFiles files;
    RadioSwitch radios{state, lines, fakes.messageBox};
    MessageRepeater repeater{state, platform, keyer, radios};
    test::FakeWaveRecorder recorder;
    Audio audio{state, platform, lines, radios, recorder};
    // Last, so that its voice-keyer window goes before the voice keyer does.
    LogFormWindow window{state, platform, files};
    QAction* view = window.findChild<QAction*>("mnuViewDvK");
};

TEST_F(AudioWindowAppTest, ViewMenuShowsTheDvkWindowItsCloseBoxHidesItAPlayingMessageItsProgress) {
    AudioWindow* w = showDvk();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), "DVK");
    EXPECT_TRUE(view->isChecked());
    EXPECT_EQ(w->findChild<QLabel*>("ButtonLabel0")->text(), "Empty");
    EXPECT_EQ(w->findChild<QPushButton*>("Button7")->text(), "F11");
    EXPECT_TRUE(w->findChild<QLabel*>("lblNotPlaying")->isVisible());
    EXPECT_FALSE(w->findChild<QProgressBar*>("ProgressBar1")->isVisible());
    QStringList assign;
    for (QAction* a : w->findChild<QMenu*>("MenuAssignItem")->actions()) assign << a->text();
    EXPECT_EQ(assign, (QStringList{"F-1 Key", "F-2 Key", "F-3 Key", "F-4 Key", "F-5 Key", "F-6 Key",
                                   "F-7 Key", "F-11 Key", "F-12 Key"}));

    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(view->isChecked());
    view->trigger();
    EXPECT_TRUE(w->isVisible());
    view->trigger();
    EXPECT_FALSE(w->isVisible());

    // A playing message shows its length and progress.
    view->trigger();
    openSet(w);
    auto* cq = w->findChild<QLabel*>("ButtonLabel0");
    EXPECT_EQ(cq->text(), "[3]CQ TEST");
    EXPECT_TRUE(cq->styleSheet().contains("rgb(0, 0, 255)"));
    EXPECT_TRUE(w->findChild<QLabel*>("ButtonLabel1")->styleSheet().contains("rgb(255, 0, 0)"));

    fakes.wavePlayer.length = 2340;
    w->findChild<QPushButton*>("Button1")->click();
    EXPECT_TRUE(audio.DVKPlaying());
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 2", "dtr 2 on"}));
    for (int i = 0; i < 20; ++i) fakes.wavePlayer.reportPosition(0);
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), "2.3s");
    EXPECT_TRUE(w->findChild<QProgressBar*>("ProgressBar1")->isVisible());
    EXPECT_EQ(w->findChild<QProgressBar*>("ProgressBar1")->value(), 47);
    EXPECT_FALSE(w->findChild<QLabel*>("lblNotPlaying")->isVisible());

    w->findChild<QPushButton*>("CmdStop")->click();
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_EQ(fakes.serial.events.back(), "close 2");
    EXPECT_TRUE(w->findChild<QLabel*>("lblNotPlaying")->isVisible());
    EXPECT_EQ(w->findChild<QLabel*>("Label1")->text(), "");
}

TEST_F(AudioWindowAppTest, AssignedFileTakesItsLabelFromTextOneAndTheMenuItsChoices) {
    AudioWindow* w = showDvk();
    openSet(w);
    fakes.fileDialog.answers.push_back(dir.file("call.wav"));
    w->findChild<QAction*>("MenuButton3Item")->trigger();
    auto* text1 = w->findChild<QLineEdit*>("Text1");
    ASSERT_TRUE(text1->isVisible());
    text1->setText("QRZ");
    emit text1->textEdited("QRZ");
    test::press(text1, Qt::Key_Return);
    EXPECT_FALSE(text1->isVisible());
    EXPECT_EQ(w->findChild<QLabel*>("ButtonLabel2")->text(), "QRZ");
    EXPECT_EQ(audio.voices()[2].file, dir.file("call.wav"));

    // The right-click menu ticks the message's choices and changes them.
    const QStringList ticked =
        test::tickedThenChoose([&] { w->openMenu(0, w->mapToGlobal(QPoint(10, 10))); }, "Radio 2");
    EXPECT_EQ(ticked, (QStringList{"Radio 1", "Play Message 3 Times"}));
    auto* cq = w->findChild<QLabel*>("ButtonLabel0");
    EXPECT_TRUE(cq->styleSheet().contains("rgb(255, 0, 0)"));
    EXPECT_EQ(cq->text(), "[3]CQ TEST");
}

// The real player, behind the same interface the voice keyer uses.
TEST(QtWavePlayerTest, FilesThatCannotPlayFailAtOpen) {
    test::ensureQApplication();
    test::TempDir dir;
    QtWavePlayer player;
    const Status missing = player.open(dir.file("gone.wav"));
    ASSERT_FALSE(missing);
    EXPECT_NE(missing.message().find(dir.file("gone.wav")), std::string::npos);
    dir.write("text.wav", "This is no wave file");
    const Status text = player.open(dir.file("text.wav"));
    ASSERT_FALSE(text);
    EXPECT_EQ(text.message(), "Cannot play " + dir.file("text.wav") + ": It is not a wave file.");
    EXPECT_EQ(player.mode(), WaveMode::NotReady);
    EXPECT_EQ(player.lengthMs(), 0);
}

TEST(QtWavePlayerTest, AShortToneKeysPttForItsLengthAndReleasesItAtItsEnd) {
    test::ensureQApplication();
    test::TempDir dir;
    dir.write("tone.wav", shortTone());
    QtWavePlayer player;
    if (QMediaDevices::audioOutputs().isEmpty()) {
        const Status opened = player.open(dir.file("tone.wav"));
        ASSERT_FALSE(opened);
        EXPECT_EQ(opened.message().rfind("No sound output was found for the voice keyer.", 0), 0U);
        GTEST_SKIP() << "this machine has no sound output, so the tone cannot play; opening "
                        "refused it before any PTT, as it must";
    }
    // The voice keyer on fakes, but for the real player.
    test::FakePlatform fakes;
    Platform platform = fakes.services({.wavePlayer = &player});
    MainMod state;
    state.settings.SSBPTTActivated = true;
    state.settings.SSBPTTComport = "Com2";
    PortLines lines(fakes.serial, fakes.ports);
    RadioSwitch radios(state, lines, fakes.messageBox);
    test::FakeWaveRecorder recorder;
    Audio audio(state, platform, lines, radios, recorder);
    dir.write("tone.DVK", "\"" + dir.file("tone.wav") + "\"\r\n\"TONE\"\r\n");
    fakes.fileDialog.answers.push_back(dir.file("tone.DVK"));
    audio.onOpenSetupFile();

    ASSERT_TRUE(audio.PlayVoiceMessage(0, false));
    EXPECT_EQ(audio.view().Label1, "0.3s");
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 2", "dtr 2 on"}));
    QElapsedTimer clock;
    clock.start();
    while (audio.DVKPlaying() && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(clock.elapsed(), 250);
    EXPECT_FALSE(audio.DVKPlaying()) << "the end of the tone never reached the voice keyer";
    EXPECT_EQ(fakes.serial.events,
              (std::vector<std::string>{"open 2", "dtr 2 on", "dtr 2 off", "close 2"}));
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

TEST(QtWaveRecorderTest, RecordsTheSoundInputIntoAWaveFileOrSaysThereIsNone) {
    test::ensureQApplication();
    test::TempDir dir;
    QtWaveRecorder recorder;
    const Status started = recorder.start(dir.file("new.wav"));
    if (QMediaDevices::audioInputs().isEmpty()) {
        ASSERT_FALSE(started);
        EXPECT_EQ(started.message(),
                  "No sound input was found to record from. Connect a microphone (or start the "
                  "sound server) and try again.");
        EXPECT_FALSE(recorder.recording());
        EXPECT_FALSE(std::filesystem::exists(dir.file("new.wav")));
        return;
    }
    ASSERT_TRUE(started) << started.message();
    EXPECT_TRUE(recorder.recording());
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 400) QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_TRUE(recorder.stop());
    EXPECT_FALSE(recorder.recording());
    const Result<WaveInfo> info = readWaveInfo(dir.file("new.wav"));
    ASSERT_TRUE(info) << info.status().message();
    EXPECT_LT(info->lengthMs(), 10000);  // sound servers may hand over a first burst
}

}  // namespace
}  // namespace keslog
