#include <QListWidget>
#include <QTextBrowser>

#include "app/EditLogDialog.h"
#include "app/QtPlatform.h"
#include "app/QtTestApp.h"
#include "app/ViewlogWindow.h"
#include "entry/EntryFixture.h"
#include "storage/LogFile.h"

namespace keslog {
namespace {

class LogFormWindowTest : public test::MainWindowTest {
  protected:
    bool menuVisible(const char* name) {
        auto* menu = find<QMenu>(name);
        return menu && menu->menuAction()->isVisible();
    }
    QAction* action(const char* name) { return find<QAction>(name); }
};

TEST_F(LogFormWindowTest, NoLogStateShowsOnlyFileAndHelpAnOpenLogTheEntryLine) {
    window.form().load();
    window.render();
    EXPECT_TRUE(menuVisible("mnuFile"));
    EXPECT_TRUE(menuVisible("mnuHelp"));
    EXPECT_FALSE(menuVisible("mnuEdit"));
    EXPECT_FALSE(menuVisible("mnuView"));
    EXPECT_FALSE(action("mnuFileSave")->isVisible());
    EXPECT_TRUE(action("mnuFileNewLog")->isVisible());
    EXPECT_EQ(action("mnuFilePostContest")->text(), "Post-Contest . . .");
    EXPECT_FALSE(action("mnuFileArray1")->isVisible());
    EXPECT_EQ(window.windowTitle(), "KESLOG");

    // An open log shows the entry line with the contest heading.
    state.logOpen = true;
    state.contestNr = contest::Cqww;
    state.ModeFlag = {false, true};
    state.currentLogPath = "/logs/N6TR.KSL";
    state.settings.RecentFile3 = "/logs/OLD.KSL";
    test::showWindow(window);
    EXPECT_TRUE(menuVisible("mnuView"));
    EXPECT_TRUE(window.findChild<QLineEdit*>("InData0")->isVisible());
    EXPECT_EQ(label("NumberLabel"), "  Zone");
    EXPECT_EQ(label("QSONrLabel"), "QSO Nr  1    (20m CW)");
    EXPECT_FALSE(action("mnuFileArray1")->isVisible());
    EXPECT_TRUE(action("mnuFileArray3")->isVisible());
    EXPECT_EQ(action("mnuFileArray3")->text(), "/logs/OLD.KSL");
}

TEST_F(LogFormWindowTest, CtrlDownAndUpStepThroughTheActiveBandsThePlaceIsKeptInTwips) {
    state.logOpen = true;
    state.contestNr = contest::Ss;
    state.ModeFlag = {false, true};
    state.BandActive = {false, false, false, true, true, false, false, false, false};
    window.form().load();
    window.render();
    auto* call = window.findChild<QLineEdit*>("InData0");
    test::press(call, Qt::Key_Down, {}, Qt::ControlModifier);
    EXPECT_EQ(label("QSONrLabel"), "QSO Nr  1    (40m CW)");
    test::press(call, Qt::Key_Up, {}, Qt::ControlModifier);
    EXPECT_EQ(label("QSONrLabel"), "QSO Nr  1    (20m CW)");

    // The window's place is stored in twips.
    window.setGeometry(100, 60, 700, 400);
    window.storeWindowCoordinates(state.settings);
    EXPECT_EQ(state.settings.WindowCoords[window_row::LogForm],
              (WindowCoordinates{1500, 900, 10500, 6000}));
    state.settings.WindowCoords[window_row::LogForm] = {3000, 1500, 9000, 7500};
    window.restorePlace(state.settings);
    EXPECT_EQ(window.size(), QSize(600, 500));
}

TEST_F(LogFormWindowTest, HelpOpensTheContentsAndUsingHelpPages) {
    QtHelpViewer help(std::string(KESLOG_DATA_DIR) + "/help");
    help.show(HelpCommand::Contents);
    QTextBrowser* browser = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == "KESLOG Help" && w->isVisible())
            browser = w->findChild<QTextBrowser*>();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->documentTitle(), "KESLOG Help - Contents");
    help.show(HelpCommand::HelpOnHelp);
    EXPECT_EQ(browser->documentTitle(), "KESLOG Help - Using Help");
    browser->window()->close();
}

// A Sprint log of 60 QSOs on disk, each worth a point and a state.
void openSprintLog(MainMod& state, const test::TempDir& dir) {
    state = test::newLog(contest::Sprint);
    state.logOpen = true;
    state.programDir = dir.path();
    state.currentLogPath = dir.file("TEST.KSL");
    ASSERT_TRUE(createLogFile(state).isOk());
    for (int n = 1; n <= 60; ++n) {
        QSORecName q;
        q.QDate = 31041;
        q.QTime = static_cast<std::int16_t>(100 + n);
        q.QBandMode = static_cast<BandModeCode>(3 + n % 2);
        q.QCall = "K" + std::to_string(n) + "SP";
        q.QNr = static_cast<std::int16_t>(n);
        q.QRcvd = static_cast<std::int16_t>(n * 3);
        q.QName = "ANN";
        ReceivedExchange exchange;
        exchange.multText = state.reference.SprintMults[static_cast<std::size_t>(n % 4)];
        setMultAndPoints(state, q, exchange, false);
        ASSERT_TRUE(addLoggedQso(state, q).isOk());
        ASSERT_TRUE(writeQso(state, n).isOk());
    }
}

TEST_F(LogFormWindowTest, ViewLogPagesClosingAfterAnEditReplaysTheLogTheEditorShowsAnEntry) {
    openSprintLog(state, dir);
    test::showWindow(window);
    auto* viewlog = window.findChild<ViewlogWindow*>("Viewlog");
    ASSERT_NE(viewlog, nullptr);
    EXPECT_FALSE(viewlog->isVisible());
    action("mnuViewLog")->trigger();
    ASSERT_TRUE(viewlog->isVisible());
    auto* page = viewlog->findChild<QListWidget*>("LogPage");
    ASSERT_GT(page->count(), 1);
    EXPECT_EQ(page->item(0)->text().toStdString(), viewLogLine(state, 1, 2026));

    viewlog->findChild<QPushButton*>("cmdEnd")->click();
    EXPECT_EQ(page->item(page->count() - 1)->text().toStdString(), viewLogLine(state, 60, 2026));
    EXPECT_EQ(viewlog->findChild<QScrollBar*>("VScroll1")->value(), viewlog->viewer().viewTop());

    // An edit in the file and the tables; closing brings the totals along.
    const int multsBefore = state.totals.multCount;
    EntryEditor editor(state, platform);
    editor.load(1);
    editor.setText(EditField::Mult, "WY");
    ASSERT_TRUE(editor.onOK());
    viewlog->viewer().markEdited();
    EXPECT_EQ(state.totals.multCount, multsBefore);
    viewlog->findChild<QPushButton*>("cmdClose")->click();
    EXPECT_FALSE(viewlog->isVisible());
    EXPECT_FALSE(action("mnuViewLog")->isChecked());
    EXPECT_EQ(state.totals.multCount, multsBefore + 1);

    editor.load(7);
    EditLogDialog dialog(editor, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Edit Log Entry");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Text5")->text(), "K7SP");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Text12")->text(), "ANN");
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("Text10")->isVisible());
}

}  // namespace
}  // namespace keslog
