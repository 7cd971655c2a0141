#include <gtest/gtest.h>

#include "transmit/Audio.h"
#include "transmit/KeyerRig.h"

namespace keslog {
namespace {

constexpr int kF1 = 112;
constexpr int kF2 = 113;

using Lines = std::vector<std::string>;

class CountingHost : public IAudioHost {
  public:
    void audioChanged() override { ++changes; }
    void returnFocus() override { ++focusReturns; }
    int changes = 0;
    int focusReturns = 0;
};

// A voice keyer on fakes: SSB PTT on the DTR line of Com2, 20 m phone, a set
// of three messages whose wave files exist.
class AudioTest : public ::testing::Test, protected test::KeyerRig {
  protected:
    AudioTest() {
        state.CurrentBandMode = bandModeCode(band::B20, true);
        state.resetRadios();
        state.settings.DVKMessagesEnabled = "True";
        state.settings.SSBPTTActivated = true;
        state.settings.SSBPTTComport = "Com2";
        state.settings.RepeatIntervalSSB = 1500;
        audio.setRepeater(repeater);
        audio.setHost(host);
        for (const char* name : {"cq.wav", "call.wav", "tu.wav"}) dir.write(name, "RIFF");
        openSet(standardSet());
        forget();
    }

    std::string standardSet() const {
        return record(dir.file("cq.wav")) + record("[RADIO0][PLAY3]CQ TEST") +
               record(dir.file("call.wav")) + record("[RADIO2][PLAY1]MY CALL") +
               record(dir.file("tu.wav")) + record("[RADIO1][PLAY1]TU");
    }
    static std::string record(const std::string& field) { return "\"" + field + "\"\r\n"; }

    void openSet(const std::string& text, const std::string& name = "contest.DVK") {
        dir.write(name, text);
        fakes.fileDialog.answers.push_back(dir.file(name));
        audio.onOpenSetupFile();
    }
    // Lines and player commands from here on.
    void forget() {
        fakes.serial.events.clear();
        fakes.wavePlayer.commands.clear();
    }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) fakes.wavePlayer.reportPosition(0);
    }
    void playOut() {
        fakes.wavePlayer.endPlayback();
        tick();
    }
    test::FakeTimer& timer2() { return *fakes.timers.created.back(); }
    std::string lastMessage() const {
        return fakes.messageBox.shown.empty() ? "" : fakes.messageBox.shown.back().text;
    }

    test::TempDir dir;
    RadioSwitch radios{state, lines, fakes.messageBox};
    MessageRepeater repeater{state, platform, keyer, radios};
    test::FakeWaveRecorder recorder;
    CountingHost host;
    Audio audio{state, platform, lines, radios, recorder};
};

const Lines kPttOn{"open 2", "dtr 2 on"};
const Lines kPttCycle{"open 2", "dtr 2 on", "dtr 2 off", "close 2"};

TEST_F(AudioTest, CreatedWithEveryLabelEmptyAndNothingPlaying) {
    const Audio fresh{state, platform, lines, radios, recorder};
    const AudioView& v = fresh.view();
    EXPECT_EQ(v.Button,
              (std::array<std::string, 9>{"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F11", "F12"}));
    for (const AudioLabel& label : v.ButtonLabel)
        EXPECT_EQ(label, (AudioLabel{"Empty", colour::Black}));
    EXPECT_TRUE(v.notPlayingVisible);
    EXPECT_EQ(v.lblNotPlaying, "[Not Playing]");
    EXPECT_FALSE(v.progressVisible);
}

TEST_F(AudioTest, AMessagePlaysWithPttAndReleasesItAtItsNaturalEnd) {
    fakes.wavePlayer.length = 2340;
    EXPECT_TRUE(audio.PlayVoiceMessage(0, false));
    EXPECT_EQ(fakes.wavePlayer.commands, (Lines{"Close", "Open " + dir.file("cq.wav"), "Play"}));
    EXPECT_EQ(audio.view().Label1, "2.3s");
    EXPECT_FALSE(audio.view().notPlayingVisible);
    EXPECT_TRUE(audio.view().progressVisible);
    EXPECT_EQ(host.focusReturns, 1);
    tick(3);
    EXPECT_TRUE(audio.DVKPlaying());
    EXPECT_EQ(fakes.serial.events, kPttOn);
    playOut();
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_FALSE(audio.view().progressVisible);
    EXPECT_EQ(audio.view().progress, 100);
    EXPECT_TRUE(audio.view().notPlayingVisible);
    EXPECT_EQ(audio.view().Label1, "");
    tick();  // nothing more happens after the end
    EXPECT_EQ(fakes.serial.events, kPttCycle);
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

TEST_F(AudioTest, ProgressCountsFiftyFiveMillisecondsAnUpdateAndLengthsShowTenths) {
    struct Case {
        int length;
        int updates;
        int percent;
    };
    const Case cases[] = {
        {3000, 1, 2},     // 1.83 rounds up
        {3000, 2, 4},     // 3.67
        {1100, 1, 5},     //
        {1100, 18, 90},   //
        {1100, 19, 100},  // 95 %: the bar is full
        {1100, 30, 100},  // never past the end
        {2000, 20, 55},
    };
    for (const Case& c : cases) {
        fakes.wavePlayer.length = c.length;
        ASSERT_TRUE(audio.PlayVoiceMessage(0, false));
        tick(c.updates);
        EXPECT_EQ(audio.view().progress, c.percent) << c.length << " ms, " << c.updates;
        EXPECT_DOUBLE_EQ(audio.DVKElapsed(), 55.0 * c.updates);
        audio.CmdStop();
    }
    const std::pair<int, const char*> lengths[] = {
        {2340, "2.3s"}, {2350, "2.4s"}, {999, "1.0s"}, {40, "0.0s"}, {60000, "60.0s"}};
    for (const auto& [ms, text] : lengths) EXPECT_EQ(messageLengthText(ms), text);
}

TEST_F(AudioTest, StopEndsTheMessageAndReleasesPttButTheRepetitionGoesOn) {
    audio.PlayVoiceMessage(2, false);
    forget();
    audio.CmdStop();
    EXPECT_EQ(fakes.wavePlayer.commands, (Lines{"Stop", "Prev"}));
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_TRUE(audio.view().notPlayingVisible);
    tick();
    EXPECT_EQ(fakes.serial.events, (Lines{"dtr 2 off", "close 2"}));

    repeater.SendFunctionKeyMessage(kF1, false);
    audio.CmdStop();
    EXPECT_TRUE(repeater.running());
    EXPECT_TRUE(timer2().enabled());
    EXPECT_EQ(repeater.view().label, "Sending Msg 1 of 3 [Pause]");
}

TEST_F(AudioTest, EscDuringARepeatedMessageOrItsPauseStopsItAndTheRepetition) {
    for (const bool inPause : {false, true}) {
        SCOPED_TRACE(inPause);
        forget();
        repeater.SendFunctionKeyMessage(kF1, false);  // [3]CQ TEST
        EXPECT_EQ(repeater.view().label, "Sending Msg 1 of 3");
        if (inPause) playOut();
        EXPECT_FALSE(repeater.cancel());
        EXPECT_FALSE(audio.DVKPlaying());
        EXPECT_FALSE(repeater.running());
        playOut();
        timer2().tick();
        EXPECT_EQ(fakes.serial.events, kPttCycle);  // no second play
    }
}

TEST_F(AudioTest, FunctionKeyPlaysTheMessageItsLabelTagSaysPausingAfterEachEnd) {
    repeater.SendFunctionKeyMessage(kF1, false);
    for (int play = 1; play <= 3; ++play) {
        SCOPED_TRACE(play);
        const std::string label = "Sending Msg " + std::to_string(play) + " of 3";
        EXPECT_TRUE(audio.DVKPlaying());
        EXPECT_EQ(repeater.view().label, label);
        EXPECT_EQ(repeater.view().colour == colour::Red, play == 3);
        EXPECT_FALSE(timer2().enabled());  // the pause waits for the message to end
        playOut();
        if (play < 3) {
            EXPECT_EQ(repeater.view().label, label + " [Pause]");
            EXPECT_EQ(timer2().interval(), 1500);
            timer2().tick();
        }
    }
    EXPECT_FALSE(repeater.running());
    EXPECT_FALSE(repeater.view().running);
    EXPECT_EQ(scheduler.finishes, 0);  // no CW on phone
    Lines three;
    for (int i = 0; i < 3; ++i) three.insert(three.end(), kPttCycle.begin(), kPttCycle.end());
    EXPECT_EQ(fakes.serial.events, three);
}

TEST_F(AudioTest, VoiceMessagesSwitchedOffOnlyBeep) {
    state.settings.DVKMessagesEnabled = "False";
    repeater.SendFunctionKeyMessage(kF1, false);
    repeater.SendFunctionKeyMessage(kF1, true);
    EXPECT_EQ(fakes.beep.count, 2);
    EXPECT_TRUE(fakes.wavePlayer.commands.empty());
    EXPECT_FALSE(repeater.running());
}

TEST_F(AudioTest, AFileThatCannotOpenNeverKeysTheTransmitter) {
    fakes.wavePlayer.failOpen = true;
    repeater.SendFunctionKeyMessage(kF1, false);
    EXPECT_TRUE(fakes.serial.events.empty());
    EXPECT_FALSE(repeater.running());
    EXPECT_FALSE(timer2().enabled());
    ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(fakes.messageBox.shown[0].title, "DVK");
    EXPECT_EQ(lastMessage(),
              "The message of F-1 Key cannot be played.\n\ncannot open " + dir.file("cq.wav"));
    EXPECT_EQ(fakes.wavePlayer.commands.back(), "Close");

    // A failed open after a playing message releases that message's PTT.
    fakes.wavePlayer.failOpen = false;
    audio.PlayVoiceMessage(0, false);
    forget();
    fakes.wavePlayer.failOpen = true;
    EXPECT_FALSE(audio.PlayVoiceMessage(1, true));
    EXPECT_EQ(fakes.serial.events, (Lines{"dtr 2 off", "close 2"}));
    EXPECT_FALSE(audio.DVKPlaying());
}

TEST_F(AudioTest, AnEmptySlotSaysSoAndAZeroLengthFileEndsAtOnce) {
    EXPECT_FALSE(audio.PlayVoiceMessage(3, false));
    EXPECT_EQ(lastMessage(), "No sound file is assigned to F-4 Key.");
    fakes.messageBox.shown.clear();
    fakes.wavePlayer.commands.clear();
    fakes.wavePlayer.length = 0;
    EXPECT_TRUE(audio.PlayVoiceMessage(0, false));
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_TRUE(fakes.serial.events.empty());
    EXPECT_EQ(fakes.wavePlayer.commands, (Lines{"Close", "Open " + dir.file("cq.wav"), "Close"}));
    EXPECT_TRUE(fakes.messageBox.shown.empty());
}

TEST_F(AudioTest, APttLineThatCannotBeKeyedOrReleasedIsReported) {
    fakes.serial.failOpen = true;
    EXPECT_FALSE(audio.PlayVoiceMessage(0, false));
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_EQ(fakes.wavePlayer.commands.back(), "Close");
    EXPECT_EQ(lastMessage(),
              "The SSB PTT line Com2 could not be keyed; the message of F-1 Key was not "
              "sent.\n\nCom2 is missing");
    fakes.serial.failOpen = false;
    audio.PlayVoiceMessage(0, false);
    fakes.serial.failDtr = true;
    playOut();
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_EQ(lastMessage(),
              "The SSB PTT line Com2 could not be released: check that the transmitter is not "
              "keyed.\n\nCom2 stopped answering");
}

TEST_F(AudioTest, APlaybackThatBreaksOffEndsTheRepetitionAndSaysWhy) {
    repeater.SendFunctionKeyMessage(kF1, false);
    fakes.wavePlayer.endPlayback("The audio device went away");
    tick();
    EXPECT_EQ(fakes.serial.events, kPttCycle);
    EXPECT_FALSE(repeater.running());
    EXPECT_FALSE(timer2().enabled());
    EXPECT_EQ(lastMessage(), "The message stopped before its end.\n\nThe audio device went away");
}

TEST_F(AudioTest, WithoutSsbPttNoLineMoves) {
    state.settings.SSBPTTActivated = false;
    audio.PlayVoiceMessage(0, false);
    playOut();
    EXPECT_TRUE(fakes.serial.events.empty());
}

TEST_F(AudioTest, AMessageThatReplacesAnotherReleasesTheLineOfTheFirst) {
    audio.PlayVoiceMessage(0, false);
    forget();
    audio.PlayVoiceMessage(2, true);  // same line: it stays on
    EXPECT_EQ(fakes.serial.events, (Lines{"dtr 2 on"}));
    state.settings.SSBPTTComport = "LPT1-pin 16";  // changed in the Preferences meanwhile
    forget();
    audio.PlayVoiceMessage(0, true);
    EXPECT_EQ(fakes.serial.events, (Lines{"dtr 2 off", "close 2"}));
    EXPECT_EQ(fakes.ports.registers[0x37A], 0x05);
    playOut();
    EXPECT_EQ(fakes.ports.registers[0x37A], 0x01);
}

TEST_F(AudioTest, ALabelsRadioSwitchesTheTransmitterUnlessTold) {
    state.settings.F9Activated = true;
    state.settings.F9Comport = "Com1";
    audio.PlayVoiceMessage(1, false);  // red: radio 2
    EXPECT_EQ(state.TXRadio, 2);
    EXPECT_EQ(state.LogRadio, 1);
    EXPECT_EQ(fakes.serial.events, (Lines{"open 1", "dtr 1 on", "open 2", "dtr 2 on"}));
    audio.CmdStop();
    forget();
    audio.PlayVoiceMessage(2, true);  // blue, but no switch asked
    EXPECT_EQ(state.TXRadio, 2);
    audio.CmdStop();
    audio.PlayVoiceMessage(2, false);
    EXPECT_EQ(state.TXRadio, 1);

    // An SO2R line that fails keeps the PTT off.
    audio.CmdStop();
    lines.CloseSerialPort("Com1");
    forget();
    fakes.serial.failOpen = true;
    EXPECT_FALSE(audio.PlayVoiceMessage(1, false));
    EXPECT_EQ(state.TXRadio, 1);
    EXPECT_EQ(fakes.serial.events, (Lines{"open 1"}));
    EXPECT_EQ(fakes.messageBox.shown.size(), 1U);  // the radio switch's own message
}

TEST_F(AudioTest, DualCqOnPhoneAlternatesRadiosAndEndsWithPttOff) {
    state.settings.DualCQsPlayNumber = 2;
    state.settings.DualCQsRepeatInterval = 200;
    repeater.SendFunctionKeyMessage(kF2, true);  // red label, but no switch in a dual CQ
    EXPECT_EQ(state.TXRadio, 1);
    playOut();
    EXPECT_EQ(state.TXRadio, 2);
    timer2().tick();
    EXPECT_TRUE(audio.DVKPlaying());
    repeater.cancel();
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_EQ(fakes.serial.events.back(), "close 2");
    EXPECT_FALSE(repeater.running());
}

TEST_F(AudioTest, EndingTheProgramReleasesAKeyedPtt) {
    {
        Audio second{state, platform, lines, radios, recorder};
        dir.write("contest.DVK", standardSet());
        fakes.fileDialog.answers.push_back(dir.file("contest.DVK"));
        second.onOpenSetupFile();
        forget();
        second.PlayVoiceMessage(0, false);
        EXPECT_EQ(fakes.serial.events, kPttOn);
    }
    EXPECT_EQ(fakes.serial.events, kPttCycle);
}

// ---- Setup files ----

TEST_F(AudioTest, OpeningASetupFileSetsCaptionsColoursAndPlays) {
    openSet(record("/dvk/cq.wav") + record("[RADIO2][PLAY6]CQ CONTEST") + record("") +
                record("CQ TEST") + record(dir.file("tu.wav")) + record("[RADIO1][PLAY3]TU"),
            "set.dvk");  // the extension in any case
    EXPECT_EQ(audio.DVKSetupFile(), dir.file("set.dvk"));
    const AudioView& v = audio.view();
    EXPECT_EQ(v.ButtonLabel[0], (AudioLabel{"[6]CQ CONTEST", colour::Red}));
    EXPECT_EQ(v.ButtonLabel[1], (AudioLabel{"CQ TEST", colour::Black}));
    EXPECT_EQ(v.ButtonLabel[2], (AudioLabel{"[3]TU", colour::Blue}));
    EXPECT_EQ(v.ButtonLabel[3], (AudioLabel{"Empty", colour::Black}));
    const FileDialogRequest& asked = fakes.fileDialog.requests.back();
    EXPECT_EQ(asked.title, "Open Existing Setup File");
    EXPECT_EQ(asked.defaultExtension, "DVK");
    EXPECT_EQ(asked.filter, "DVK logs (*.DVK)|*.DVK|All files (*.*)|*.*");
    // The missing wave file is named with its key.
    EXPECT_EQ(lastMessage(),
              "These sound files of the setup file were not found:\n\nF-1 Key: "
              "/dvk/cq.wav");
}

TEST_F(AudioTest, OverlongOrCutShortSetupFilesKeepWhatTheyHoldAndSaySo) {
    std::string twelve;
    for (int i = 0; i < 12; ++i)
        twelve += record(dir.file("cq.wav")) + record("MSG " + std::to_string(i + 1));
    openSet(twelve);
    EXPECT_EQ(audio.view().ButtonLabel[8].caption, "MSG 9");
    EXPECT_EQ(lastMessage(), "The setup file " + dir.file("contest.DVK") +
                                 " holds more than nine messages; only the first nine were read.");
    // A new set replaces the whole old one.
    openSet(record(dir.file("tu.wav")) + record("TU") + record(dir.file("cq.wav")), "cut.DVK");
    EXPECT_EQ(audio.view().ButtonLabel[0].caption, "TU");
    EXPECT_EQ(audio.voices()[1].file, dir.file("cq.wav"));
    EXPECT_EQ(audio.view().ButtonLabel[2], (AudioLabel{"Empty", colour::Black}));
    EXPECT_EQ(audio.voices()[2].file, "");
    EXPECT_EQ(lastMessage(),
              "The setup file " + dir.file("cut.DVK") +
                  " ends in the middle of a message; the messages before it were read.");
}

TEST_F(AudioTest, SetupFilesRefusedOrMissingChangeNothing) {
    const VoiceSet before = audio.voices();
    fakes.messageBox.shown.clear();

    dir.write("contest.txt", "\"x\"\r\n\"y\"\r\n");
    fakes.fileDialog.answers.push_back(dir.file("contest.txt"));
    audio.onOpenSetupFile();
    EXPECT_EQ(lastMessage(), "Input file must have the extension DVK");

    fakes.fileDialog.answers.push_back(dir.file("gone.DVK"));
    audio.onOpenSetupFile();
    EXPECT_EQ(
        lastMessage().rfind("The setup file " + dir.file("gone.DVK") + " could not be read.", 0),
        0U);

    fakes.fileDialog.answers.push_back(std::nullopt);  // cancelled
    audio.onOpenSetupFile();
    EXPECT_EQ(fakes.messageBox.shown.size(), 2U);
    EXPECT_EQ(audio.voices(), before);
    EXPECT_EQ(audio.DVKSetupFile(), dir.file("contest.DVK"));
}

TEST_F(AudioTest, SavingWritesEighteenRecordsFromCaptionsAndColours) {
    audio.onMenuItem(0, AudioMenuItem::Radio2);
    audio.onMenuItem(0, AudioMenuItem::Play6);  // [6] replaces [3]
    audio.onMenuItem(2, AudioMenuItem::NoRadio);
    fakes.fileDialog.answers.push_back(dir.file("saved.DVK"));
    audio.onSaveSetupFile();
    std::string expected = record(dir.file("cq.wav")) + record("[RADIO2][PLAY6]CQ TEST") +
                           record(dir.file("call.wav")) + record("[RADIO2][PLAY1]MY CALL") +
                           record(dir.file("tu.wav")) + record("[RADIO0][PLAY1]TU");
    for (int i = 0; i < 6; ++i) expected += record("") + record("[RADIO0][PLAY1]Empty");
    EXPECT_EQ(dir.read("saved.DVK"), expected);
    EXPECT_EQ(audio.DVKSetupFile(), dir.file("saved.DVK"));
    EXPECT_EQ(fakes.fileDialog.requests.back().title, "Save Setup File As");

    // Read back, the set is the same.
    const VoiceSet saved = audio.voices();
    openSet(dir.read("saved.DVK"), "again.DVK");
    EXPECT_EQ(audio.voices(), saved);
}

TEST_F(AudioTest, SavingAsksBeforeReplacingRefusesOtherExtensionsAndReportsFailures) {
    fakes.messageBox.shown.clear();
    fakes.fileDialog.answers.push_back(dir.file("saved.txt"));
    audio.onSaveSetupFile();
    EXPECT_EQ(lastMessage(), "Output file must have the extension DVK");
    EXPECT_FALSE(std::filesystem::exists(dir.file("saved.txt")));

    dir.write("old.DVK", "keep me");
    fakes.fileDialog.answers.push_back(dir.file("old.DVK"));
    fakes.messageBox.answer(MsgResult::No);
    audio.onSaveSetupFile();
    const MessageRequest& asked = fakes.messageBox.shown.back();
    EXPECT_EQ(asked.text, "The selected output file " + dir.file("old.DVK") +
                              " already exists. OK to "
                              "overwrite it?");
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(dir.read("old.DVK"), "keep me");
    EXPECT_EQ(audio.DVKSetupFile(), dir.file("contest.DVK"));

    fakes.fileDialog.answers.push_back(dir.file("old.DVK"));
    fakes.messageBox.answer(MsgResult::Yes);
    audio.onSaveSetupFile();
    EXPECT_EQ(dir.read("old.DVK").rfind(record(dir.file("cq.wav")), 0), 0U);
    EXPECT_EQ(audio.DVKSetupFile(), dir.file("old.DVK"));

    fakes.fileDialog.answers.push_back(dir.file("no/such/folder/set.DVK"));
    audio.onSaveSetupFile();
    EXPECT_EQ(lastMessage().rfind(
                  "The setup file " + dir.file("no/such/folder/set.DVK") + " was not saved.", 0),
              0U);
    EXPECT_EQ(audio.DVKSetupFile(), dir.file("old.DVK"));
}

// ---- Menus ----

TEST_F(AudioTest, RightClickMenuTicksFollowTheLabel) {
    using T = std::array<bool, kAudioMenuItemCount>;
    EXPECT_EQ(audio.menuTicks(0), (T{false, false, true, true, false, false}));
    EXPECT_EQ(audio.menuTicks(1), (T{false, true, false, false, false, true}));
    EXPECT_EQ(audio.menuTicks(2), (T{true, false, false, false, false, true}));
    audio.onMenuItem(1, AudioMenuItem::Radio1);
    audio.onMenuItem(1, AudioMenuItem::Play3);
    EXPECT_EQ(audio.view().ButtonLabel[1], (AudioLabel{"[3]MY CALL", colour::Blue}));
    audio.onMenuItem(1, AudioMenuItem::NoRepeats);
    EXPECT_EQ(audio.view().ButtonLabel[1].caption, "MY CALL");
}

TEST_F(AudioTest, AssigningAFileStopsAPlayingMessageAndAsksForItsLabel) {
    audio.PlayVoiceMessage(0, false);
    forget();
    fakes.fileDialog.answers.push_back(std::nullopt);
    audio.onAssign(5);
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_EQ(fakes.serial.events, (Lines{"dtr 2 off", "close 2"}));
    EXPECT_FALSE(audio.view().text1Visible);
    EXPECT_EQ(fakes.fileDialog.requests.back().fileName, "*.WAV");

    fakes.fileDialog.answers.push_back(dir.file("qrz.wav"));
    audio.onAssign(0);
    const FileDialogRequest& asked = fakes.fileDialog.requests.back();
    EXPECT_EQ(asked.title, "Choose a .WAV file");
    EXPECT_EQ(asked.defaultExtension, "WAV");
    EXPECT_EQ(asked.filter, "WAV files (*.WAV)|*.WAV|All files (*.*)|*.*");
    EXPECT_EQ(asked.fileName, "cq.wav");
    EXPECT_EQ(asked.startFolder + "/", dir.path());
    EXPECT_TRUE(audio.view().text1Visible);
    EXPECT_EQ(audio.view().text1Row, 0);
    EXPECT_EQ(audio.view().Text1, "CQ TEST");

    audio.onText1Changed("QRZ?");
    audio.onText1Done();
    EXPECT_FALSE(audio.view().text1Visible);
    EXPECT_EQ(audio.voices()[0].file, dir.file("qrz.wav"));
    // The typed text is the whole caption: the play tag is gone.
    EXPECT_EQ(audio.view().ButtonLabel[0].caption, "QRZ?");
    EXPECT_EQ(audio.playCount(0), 1);
}

// ---- Recording ----

TEST_F(AudioTest, RecordingGoesIntoTheChosenFileAndAsksForALabel) {
    fakes.fileDialog.answers.push_back(dir.file("f5.wav"));
    audio.onRecord(4);
    EXPECT_EQ(recorder.commands, (Lines{"start " + dir.file("f5.wav")}));
    EXPECT_EQ(audio.view().recordingLabel, "[Recording F-5 Key - Stop ends it]");
    EXPECT_FALSE(audio.view().notPlayingVisible);
    forget();
    EXPECT_FALSE(audio.PlayVoiceMessage(0, false));  // no playing while recording
    EXPECT_EQ(fakes.beep.count, 1);
    EXPECT_TRUE(fakes.serial.events.empty());
    EXPECT_TRUE(fakes.wavePlayer.commands.empty());
    audio.CmdStop();
    EXPECT_EQ(recorder.commands.back(), "stop");
    EXPECT_EQ(audio.view().recordingLabel, "");
    EXPECT_EQ(audio.voices()[4].file, dir.file("f5.wav"));
    EXPECT_TRUE(audio.view().text1Visible);
    EXPECT_EQ(audio.view().text1Row, 4);
}

TEST_F(AudioTest, RecordingsThatCannotStartOrBeWrittenKeepTheOldFile) {
    recorder.failStart = "No sound input was found to record from.";
    fakes.fileDialog.answers.push_back(dir.file("f5.wav"));
    audio.onRecord(4);
    EXPECT_EQ(lastMessage(), "No sound input was found to record from.");
    EXPECT_EQ(audio.view().recordingLabel, "");
    EXPECT_EQ(audio.voices()[4].file, "");

    recorder.failStart.clear();
    recorder.failStop = "Could not write";
    fakes.fileDialog.answers.push_back(dir.file("new-cq.wav"));
    audio.onRecord(0);
    audio.CmdStop();
    EXPECT_EQ(audio.voices()[0].file, dir.file("cq.wav"));
    EXPECT_EQ(lastMessage(), "The recording of F-1 Key was not saved.\n\nCould not write");
    EXPECT_FALSE(audio.view().text1Visible);

    recorder.commands.clear();  // over an existing file: asked first
    fakes.fileDialog.answers.push_back(dir.file("cq.wav"));
    fakes.messageBox.answer(MsgResult::No);
    audio.onRecord(0);
    EXPECT_TRUE(recorder.commands.empty());
    EXPECT_EQ(fakes.fileDialog.requests.back().title, "Record F-1 Key into a .WAV file");
}

TEST_F(AudioTest, APlaybackThatMakesNoProgressReleasesPttAndSaysWhy) {
    fakes.wavePlayer.length = 2000;
    repeater.SendFunctionKeyMessage(kF1, false);
    fakes.wavePlayer.reportPosition(3000);  // late, but within the margin
    EXPECT_TRUE(audio.DVKPlaying());
    EXPECT_EQ(fakes.serial.events, kPttOn);
    fakes.wavePlayer.reportPosition(3050);
    EXPECT_FALSE(audio.DVKPlaying());
    EXPECT_EQ(fakes.serial.events, kPttCycle);
    EXPECT_FALSE(repeater.running());
    EXPECT_EQ(lastMessage(),
              "The sound output made no progress with the message for more than a second past "
              "its end, so the message was broken off and the SSB PTT line released.");
}

}  // namespace
}  // namespace keslog
