#include "app/KeyerWindowRig.h"
#include "platform/linux/RealtimeScheduler.h"

namespace keslog {
namespace {

using test::press;

class KeyerWindowTest : public test::KeyerWindowRig {
  protected:
    KeyerWindowTest() {
        state.logOpen = true;
        state.contestNr = contest::Cqww;
        state.ModeFlag = {false, true};
        state.currentLogPath = "/logs/N6TR.KSL";
        showWindow();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
    }
};

TEST_F(KeyerWindowTest, KeyboardCwOpensWithCapsLockAndSendsEachCharacter) {
    auto* call = find<QLineEdit>("InData0");
    auto* typed = find<QLineEdit>("KeyboardCWText");
    EXPECT_FALSE(typed->isVisible());
    call->setFocus();
    for (const char* c : {"k", "1", "a", "b"}) press(call, QChar(c[0]).toUpper().unicode(), c);
    press(call, Qt::Key_Left);
    press(call, Qt::Key_Left);
    EXPECT_EQ(call->text(), "K1AB");
    EXPECT_EQ(call->cursorPosition(), 2);
    EXPECT_EQ(window.form().entry().view().InData[0].caret, 2);
    press(call, Qt::Key_CapsLock);
    EXPECT_EQ(window.form().entry().view().InData[0].caret, 2);
    EXPECT_TRUE(typed->isVisible());
    EXPECT_TRUE(find<QLabel>("KeyboardCWLabel")->isVisible());
    EXPECT_EQ(find<QLabel>("KeyboardCWLabel")->text(), "Keyboard CW (Caps Lock to Close):");
    EXPECT_FALSE(find<QLabel>("FileIDLabel")->isVisible());
    EXPECT_EQ(typed->text(), "");

    press(typed, Qt::Key_A, "a");  // "A" is dot dash
    EXPECT_EQ(scheduler.edges.size(), 4U);

    press(typed, Qt::Key_Plus, "+");
    EXPECT_EQ(state.cw.CWSpeed, 30);
    EXPECT_EQ(find<QLabel>("SpeedDisplayLabel")->text(), "30");

    press(typed, Qt::Key_CapsLock);
    EXPECT_FALSE(typed->isVisible());
    EXPECT_TRUE(find<QLabel>("FileIDLabel")->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), call);
    EXPECT_EQ(call->cursorPosition(), 2);
}

TEST_F(KeyerWindowTest, SpeedBarSetsTheSpeedWithinEighteenToFiftyRadioLabelItsColour) {
    auto* bar = find<QScrollBar>("SpeedScroll");
    EXPECT_EQ(bar->minimum(), 18);
    EXPECT_EQ(bar->maximum(), 50);
    EXPECT_EQ(bar->value(), 28);
    bar->setValue(35);
    EXPECT_EQ(state.cw.CWSpeed, 35);
    EXPECT_EQ(state.cw.DotCount, 34'000'000);
    EXPECT_EQ(find<QLabel>("SpeedDisplayLabel")->text(), "35");

    // The radio label shows the transmitting radio in its colour.
    window.showTxRadio(2);
    auto* label = find<QLabel>("ActiveRadioLabel");
    EXPECT_EQ(label->text(), "TX R2");
    EXPECT_TRUE(label->styleSheet().contains("rgb(255, 0, 0)"));
    window.showTxRadio(1);
    EXPECT_EQ(label->text(), "TX R1");
    EXPECT_TRUE(label->styleSheet().contains("rgb(0, 0, 255)"));
}

TEST_F(KeyerWindowTest, InputWaitsWhileAMessageIsKeyedEscapeIsSeenAtOnceTheWindowLives) {
    auto* call = find<QLineEdit>("InData0");
    call->setFocus();
    QApplication::processEvents();
    QWindow* handle = window.windowHandle();
    ASSERT_NE(handle, nullptr);
    qApp->installEventFilter(&keys);

    keys.holdInput(true);
    press(handle, Qt::Key_Escape);
    press(handle, Qt::Key_X, "X");
    EXPECT_EQ(call->text(), "");  // held back
    EXPECT_TRUE(keys.wasPressed(AsyncKey::Escape));

    keys.holdInput(false);
    QApplication::processEvents();
    EXPECT_EQ(call->text(), "X");  // handed on after the message

    // While the real scheduler keys, the window lives and typing waits.
    RealtimeKeyingScheduler real([] { QApplication::processEvents(); });
    CWKeyer realKeyer(state, platform, lines, {real, soundCard, pcSpeaker});
    realKeyer.setHost(window);
    bool ticked = false;
    QTimer::singleShot(40, [&] {
        ticked = true;
        press(handle, Qt::Key_Y, "Y");
    });
    realKeyer.SendCW("EE", false);
    EXPECT_TRUE(ticked);           // events were processed while sending
    EXPECT_EQ(call->text(), "X");  // but the typed key waited
    EXPECT_EQ(fakes.serial.events, (std::vector<std::string>{"open 1", "dtr 1 on", "dtr 1 off",
                                                             "dtr 1 on", "dtr 1 off", "close 1"}));
    QApplication::processEvents();
    EXPECT_EQ(call->text(), "XY");
    qApp->removeEventFilter(&keys);
}

}  // namespace
}  // namespace keslog
