#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include "QtTestApp.h"
#include "app/AppTestSupport.h"
#include "app/EditLogDialog.h"
#include "app/LogFormWindow.h"
#include "app/ViewlogWindow.h"
#include "entry/EntryFixture.h"
#include "storage/LogFile.h"

namespace keslog {
namespace {

void screenshot(QWidget& widget, const QString& name) {
    const QString dir = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!dir.isEmpty()) widget.grab().save(dir + "/" + name + ".png");
}

class LogViewerWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::ensureQApplication(); }

    // A Sprint log of 60 QSOs on disk, each worth a point and a state.
    void openLog() {
        state = test::newLog(contest::Sprint);
        state.logOpen = true;
        state.programDir = dir.path() + "/";
        state.currentLogPath = dir.path() + "/TEST.KSL";
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

    test::TempDir dir;
    test::FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    test::NoLogFiles files;
};

TEST_F(LogViewerWindowTest, ViewLogPagesAndClosingAfterAnEditReplaysTheLog) {
    openLog();
    LogFormWindow window(state, platform, files);
    window.form().load();
    window.render();
    window.show();
    auto* viewlog = window.findChild<ViewlogWindow*>("Viewlog");
    ASSERT_NE(viewlog, nullptr);
    EXPECT_FALSE(viewlog->isVisible());
    window.findChild<QAction*>("mnuViewLog")->trigger();
    ASSERT_TRUE(viewlog->isVisible());
    auto* page = viewlog->findChild<QListWidget*>("LogPage");
    ASSERT_GT(page->count(), 1);
    EXPECT_EQ(page->item(0)->text().toStdString(), viewLogLine(state, 1, 2026));

    viewlog->findChild<QPushButton*>("cmdEnd")->click();
    EXPECT_EQ(page->item(page->count() - 1)->text().toStdString(), viewLogLine(state, 60, 2026));
    EXPECT_EQ(viewlog->findChild<QScrollBar*>("VScroll1")->value(), viewlog->viewer().viewTop());
    screenshot(*viewlog, "viewlog-sprint");

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
    EXPECT_FALSE(window.findChild<QAction*>("mnuViewLog")->isChecked());
    EXPECT_EQ(state.totals.multCount, multsBefore + 1);
}

TEST_F(LogViewerWindowTest, EditorDialogShowsTheEntry) {
    openLog();
    EntryEditor editor(state, platform);
    editor.load(7);
    EditLogDialog dialog(editor, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Edit Log Entry");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Text5")->text(), "K7SP");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("Text12")->text(), "ANN");
    EXPECT_FALSE(dialog.findChild<QLineEdit*>("Text10")->isVisible());
    screenshot(dialog, "editlog-sprint");
}

}  // namespace
}  // namespace keslog
