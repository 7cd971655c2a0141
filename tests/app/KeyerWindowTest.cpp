#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWindow>

#include "app/LogFormWindow.h"
#include "app/QtPlatform.h"
#include "support/FakePlatform.h"
#include "support/StandardMorse.h"

namespace keslog {
namespace {

class NoLogFiles : public ILogFiles {
  public:
    Status openLog(MainMod&, const std::string&) override { return Status::error("no"); }
    Status saveLog(MainMod&) override { return Status::ok(); }
};

void press(QObject* target, int key, const QString& text = {}) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &up);
}

class KeyerWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char arg0[] = "app_tests";
        static char* argv[] = {arg0, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    KeyerWindowTest() {
        state.logOpen = true;
        state.contestNr = contest::Cqww;
        state.ModeFlag = {false, true};
        state.CurrentBandMode = bandModeCode(band::B20, false);
        state.currentLogPath = "/logs/N6TR.KSL";
        state.settings.CWActivated = true;
        state.settings.CWComport = "Com1";
        keyer.setCharacters(test::standardMorse());
        window.attachKeyer(keyer, keys);
        window.form().load();
        window.render();
        window.show();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
    }

    template <typename T>
    T* find(const char* name) {
        return window.findChild<T*>(name);
    }

    test::FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    PortLines lines{fakes.serial, fakes.ports};
    test::FakeKeyingScheduler scheduler;
    test::FakeSidetone tone;
    CWKeyer keyer{state, platform, lines, {scheduler, tone, tone}};
    LatchedKeyState keys;
    NoLogFiles files;
    LogFormWindow window{state, platform, files};
};

TEST_F(KeyerWindowTest, KeyboardCwOpensWithCapsLockAndSendsEachCharacter) {
    auto* call = find<QLineEdit>("InData0");
    auto* typed = find<QLineEdit>("KeyboardCWText");
    EXPECT_FALSE(typed->isVisible());
    call->setText("K1AB");
    call->setFocus();
    call->setCursorPosition(2);
    press(call, Qt::Key_CapsLock);
    EXPECT_TRUE(typed->isVisible());
    EXPECT_TRUE(find<QLabel>("KeyboardCWLabel")->isVisible());
    EXPECT_EQ(find<QLabel>("KeyboardCWLabel")->text(), "Keyboard CW (Caps Lock to Close):");
    EXPECT_FALSE(find<QLabel>("FileIDLabel")->isVisible());
    EXPECT_EQ(typed->text(), "");

    press(typed, Qt::Key_A, "a");  // "A" is dot dash
    EXPECT_EQ(scheduler.edges.size(), 4U);
    const QString shot = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!shot.isEmpty()) window.grab().save(shot + "/logform-keyboard-cw.png");

    press(typed, Qt::Key_Plus, "+");
    EXPECT_EQ(state.cw.CWSpeed, 30);
    EXPECT_EQ(find<QLabel>("SpeedDisplayLabel")->text(), "30");

    press(typed, Qt::Key_CapsLock);
    EXPECT_FALSE(typed->isVisible());
    EXPECT_TRUE(find<QLabel>("FileIDLabel")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), call);
    EXPECT_EQ(call->cursorPosition(), 2);
}

TEST_F(KeyerWindowTest, SpeedBarSetsTheSpeedWithinEighteenToFifty) {
    auto* bar = find<QScrollBar>("SpeedScroll");
    EXPECT_EQ(bar->minimum(), 18);
    EXPECT_EQ(bar->maximum(), 50);
    EXPECT_EQ(bar->value(), 28);
    bar->setValue(35);
    EXPECT_EQ(state.cw.CWSpeed, 35);
    EXPECT_EQ(state.cw.DotCount, 34'000'000);
    EXPECT_EQ(find<QLabel>("SpeedDisplayLabel")->text(), "35");
}

TEST_F(KeyerWindowTest, InputWaitsWhileAMessageIsKeyedButEscapeIsSeenAtOnce) {
    auto* call = find<QLineEdit>("InData0");
    call->setFocus();
    QApplication::processEvents();
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);
    qApp->installEventFilter(&keys);

    keys.holdInput(true);
    press(handle, Qt::Key_X, "X");
    press(handle, Qt::Key_Escape);
    EXPECT_EQ(call->text(), "");  // held back
    EXPECT_TRUE(keys.wasPressed(AsyncKey::Escape));

    keys.holdInput(false);
    QApplication::processEvents();
    EXPECT_EQ(call->text(), "X");  // handed on after the message
    qApp->removeEventFilter(&keys);
}

TEST_F(KeyerWindowTest, RadioLabelShowsTheTransmittingRadioInItsColour) {
    window.showTxRadio(2);
    auto* label = find<QLabel>("ActiveRadioLabel");
    EXPECT_EQ(label->text(), "TX R2");
    EXPECT_TRUE(label->styleSheet().contains("rgb(255, 0, 0)"));
    window.showTxRadio(1);
    EXPECT_EQ(label->text(), "TX R1");
    EXPECT_TRUE(label->styleSheet().contains("rgb(0, 0, 255)"));
}

}  // namespace
}  // namespace keslog
