#include "app/QtTestApp.h"
#include "entry/Scoring.h"

namespace keslog {
namespace {

using test::press;

// Keys sent to the window go to whatever has the focus.
void typeText(QWindow* window, const QString& text) {
    for (QChar c : text) press(window, c.toUpper().unicode(), QString(c));
}

class EntryWindowTest : public test::MainWindowTest {
  protected:
    EntryWindowTest() {
        test::copyShippedStartupFiles(dir);
        state.programDir = dir.path();
        EXPECT_TRUE(readStartupFiles(state).isOk());
        state.logOpen = true;
        state.contestNr = contest::Cqww;
        state.ModeFlag = {false, true};
        state.QTHUSAFlag = true;
        state.currentLogPath = dir.file("N6TR.KSL");
        state.resetLog();
        replayLog(state);
        test::showWindow(window);
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
    }
};

TEST_F(EntryWindowTest, QsosLoggedRefusedAndKilledFromTheKeyboardAndMenu) {
    QWindow* keys = window.windowHandle();
    ASSERT_NE(keys, nullptr);
    auto* call = find<QLineEdit>("InData0");
    auto* exchange = find<QLineEdit>("InData1");
    EXPECT_EQ(QApplication::focusWidget(), call);

    // A refused exchange is selected in its box.
    typeText(keys, "q1ab");  // a call of no country: no zone filled in
    press(keys, Qt::Key_Tab);
    typeText(keys, "41");
    press(keys, Qt::Key_Return);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1U);
    EXPECT_EQ(fakes.messageBox.shown[0].text, "Enter zone between 1 and 40.");
    EXPECT_EQ(QApplication::focusWidget(), exchange);
    EXPECT_EQ(exchange->selectedText(), "41");
    press(keys, Qt::Key_Escape);

    typeText(keys, "w1aw");
    EXPECT_EQ(call->text(), "W1AW");
    EXPECT_EQ(exchange->text(), " 05");  // the zone of the call's country
    EXPECT_EQ(label("NeedPfxLabel"), "Country Ck\n      K\n NEEDED");
    press(keys, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), exchange);
    press(keys, Qt::Key_Return);
    EXPECT_EQ(call->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), call);

    typeText(keys, "dl1abc");  // logged from the call box, zone as filled in
    press(keys, Qt::Key_Return);

    typeText(keys, "ja1xy");
    press(keys, Qt::Key_Backspace);
    typeText(keys, "yz");
    press(keys, Qt::Key_Tab);
    find<QPushButton>("AddButton")->click();

    // W1AW 0 points (USA), DL and JA 3 each; K, DL, JA and zones 5, 14, 25.
    EXPECT_EQ(state.log.count(), 3);
    EXPECT_EQ(label("QSONrLabel"), "QSO Nr  4    (20m CW)");
    EXPECT_EQ(label("MultsLabel"), "Mults:  6");
    EXPECT_EQ(label("ScoreLabel"), "Score: 36");
    EXPECT_EQ(label("LastQSOLabel"), "Last: 20  CW  1200 JA1XYZ        3   25 JA    3");
    EXPECT_EQ(call->text(), "");
    EXPECT_EQ(exchange->text(), "");

    typeText(keys, "dl1a");
    EXPECT_EQ(label("CallMatchLabel1"), "This band: DL1ABC ");

    typeText(keys, "bc");  // a logged call: the matches stay while typing
    EXPECT_EQ(label("CallMatchLabel1"), "This band: DL1ABC ");
    press(keys, Qt::Key_Tab);  // the dupe check brings the grid instead
    EXPECT_FALSE(find<QLabel>("CallMatchLabel1")->isVisible());
    EXPECT_TRUE(find<QLabel>("ModeLabel")->isVisible());
    press(keys, Qt::Key_Escape);
    EXPECT_EQ(call->text(), "");
    EXPECT_FALSE(find<QLabel>("ModeLabel")->isVisible());

    fakes.messageBox.answer(MsgResult::Yes);
    window.findChild<QAction*>("mnuEditKillLastEntry")->trigger();
    EXPECT_EQ(fakes.messageBox.shown.back().text, "Kill last log entry?");
    EXPECT_EQ(state.log.count(), 2);
    EXPECT_EQ(label("QSONrLabel"), "QSO Nr  3    (20m CW)");
    EXPECT_EQ(label("ScoreLabel"), "Score: 12");
}

}  // namespace
}  // namespace keslog
