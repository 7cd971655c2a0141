#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextBrowser>

#include "QtTestApp.h"
#include "app/AppTestSupport.h"
#include "app/LogFormWindow.h"
#include "app/QtPlatform.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

class LogFormWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::ensureQApplication(); }
    test::FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    test::NoLogFiles files;
};

bool menuVisible(QWidget& w, const char* name) {
    auto* menu = w.findChild<QMenu*>(name);
    return menu && menu->menuAction()->isVisible();
}

TEST_F(LogFormWindowTest, NoLogStateShowsOnlyFileAndHelp) {
    LogFormWindow window(state, platform, files);
    window.form().load();
    window.render();
    EXPECT_TRUE(menuVisible(window, "mnuFile"));
    EXPECT_TRUE(menuVisible(window, "mnuHelp"));
    EXPECT_FALSE(menuVisible(window, "mnuEdit"));
    EXPECT_FALSE(menuVisible(window, "mnuView"));
    EXPECT_FALSE(window.findChild<QAction*>("mnuFileSave")->isVisible());
    EXPECT_TRUE(window.findChild<QAction*>("mnuFileNewLog")->isVisible());
    EXPECT_EQ(window.findChild<QAction*>("mnuFilePostContest")->text(), "Post-Contest . . .");
    EXPECT_FALSE(window.findChild<QAction*>("mnuFileArray1")->isVisible());
    EXPECT_EQ(window.windowTitle(), "KESLOG");
    const QString shot = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!shot.isEmpty()) window.grab().save(shot + "/logform-nolog.png");
}

TEST_F(LogFormWindowTest, OpenLogShowsTheEntryLineWithTheContestHeading) {
    state.logOpen = true;
    state.contestNr = contest::Cqww;
    state.ModeFlag = {false, true};
    state.currentLogPath = "/logs/N6TR.KSL";
    state.settings.RecentFile3 = "/logs/OLD.KSL";
    LogFormWindow window(state, platform, files);
    window.form().load();
    window.render();
    window.show();
    EXPECT_TRUE(menuVisible(window, "mnuView"));
    EXPECT_TRUE(window.findChild<QLineEdit*>("InData0")->isVisible());
    EXPECT_EQ(window.findChild<QLabel*>("NumberLabel")->text(), "  Zone");
    EXPECT_EQ(window.findChild<QLabel*>("QSONrLabel")->text(), "QSO Nr  1    (20m CW)");
    EXPECT_FALSE(window.findChild<QAction*>("mnuFileArray1")->isVisible());
    EXPECT_TRUE(window.findChild<QAction*>("mnuFileArray3")->isVisible());
    EXPECT_EQ(window.findChild<QAction*>("mnuFileArray3")->text(), "/logs/OLD.KSL");
    const QString shot = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!shot.isEmpty()) window.grab().save(shot + "/logform-open.png");
}

TEST_F(LogFormWindowTest, CtrlDownAndUpStepThroughTheActiveBands) {
    state.logOpen = true;
    state.contestNr = contest::Ss;
    state.ModeFlag = {false, true};
    state.BandActive = {false, false, false, true, true, false, false, false, false};
    LogFormWindow window(state, platform, files);
    window.form().load();
    window.render();
    auto* call = window.findChild<QLineEdit*>("InData0");
    const auto press = [call](int key) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::ControlModifier);
        QCoreApplication::sendEvent(call, &down);
    };
    press(Qt::Key_Down);
    EXPECT_EQ(window.findChild<QLabel*>("QSONrLabel")->text(), "QSO Nr  1    (40m CW)");
    press(Qt::Key_Up);
    EXPECT_EQ(window.findChild<QLabel*>("QSONrLabel")->text(), "QSO Nr  1    (20m CW)");
}

TEST_F(LogFormWindowTest, WindowPlaceIsStoredInTwips) {
    LogFormWindow window(state, platform, files);
    window.setGeometry(100, 60, 700, 400);
    window.storeWindowCoordinates(state.settings);
    EXPECT_EQ(state.settings.WindowCoords[window_row::LogForm],
              (WindowCoordinates{1500, 900, 10500, 6000}));
    state.settings.WindowCoords[window_row::LogForm] = {3000, 1500, 9000, 7500};
    window.restorePlace(state.settings);
    EXPECT_EQ(window.size(), QSize(600, 500));
}

}  // namespace
}  // namespace keslog

namespace keslog {
namespace {

QTextBrowser* helpBrowser() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowTitle() == "KESLOG Help" && w->isVisible())
            return w->findChild<QTextBrowser*>();
    return nullptr;
}

TEST(QtHelpViewer, OpensTheContentsAndUsingHelpPages) {
    test::ensureQApplication();
    QtHelpViewer help(std::string(KESLOG_DATA_DIR) + "/help");
    help.show(HelpCommand::Contents);
    QTextBrowser* browser = helpBrowser();
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->documentTitle(), "KESLOG Help - Contents");
    help.show(HelpCommand::HelpOnHelp);
    EXPECT_EQ(browser->documentTitle(), "KESLOG Help - Using Help");
    const QString shot = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!shot.isEmpty()) browser->window()->grab().save(shot + "/help.png");
    browser->window()->close();
}

}  // namespace
}  // namespace keslog
