#include <QAbstractButton>
#include <QListWidget>
#include <QMessageBox>

#include "app/QtPlatform.h"
#include "app/QtTestApp.h"
#include "forms/StoredLogFiles.h"
#include "platform/Files.h"
#include "storage/LogFile.h"
#include "storage/LogFixtures.h"

namespace keslog {
namespace {

class LogFilesWindowTest : public test::QtTest {
  protected:
    void SetUp() override { test::copyShippedStartupFiles(dir); }

    // The window started on the program folder, shown.
    void start() {
        ASSERT_TRUE(window.form().startUp(dir.path()));
        test::showWindow(window);
    }
    // A log of n sample QSOs.
    void writeLog(const std::string& path, ContestNr contest, int n) {
        MainMod log = test::logFor(contest, path);
        log.QTHUSAFlag = true;
        ASSERT_TRUE(createLogFile(log));
        for (int i = 1; i <= n; ++i) ASSERT_TRUE(test::logQso(log, test::sampleQso(i)));
    }
    // Answers the next modal message box once it shows: records its text
    // and presses the button.
    void answerNextBox(QMessageBox::StandardButton button) {
        test::onModal([this, button](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            if (!box) return;
            seenText = box->text();
            seenDefault = box->standardButton(box->defaultButton());
            box->button(button)->click();
        });
    }
    std::string label(const char* name) {
        return window.findChild<QLabel*>(name)->text().toStdString();
    }
    QAction* action(const char* name) { return window.findChild<QAction*>(name); }

    test::TempDir dir;
    test::FakePlatform fakes;
    QtMessageBox qtBox;
    Platform platform = fakes.services({.messageBox = &qtBox});
    MainMod state;
    StoredLogFiles files{platform};
    LogFormWindow window{state, platform, files};
    QString seenText;
    QMessageBox::StandardButton seenDefault = QMessageBox::NoButton;
};

TEST_F(LogFilesWindowTest, FileNewStartsTheUnnamedLogOfTheChosenContest) {
    start();
    test::onModal([](QWidget& dialog) {
        if (dialog.objectName() != "ChCoForm") return;
        auto* list = dialog.findChild<QListWidget*>("List1");
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->text().startsWith("WPX")) list->setCurrentRow(row);
        dialog.findChild<QPushButton*>("CmdOK")->click();
    });
    action("mnuFileNewLog")->trigger();
    ASSERT_TRUE(state.logOpen);
    EXPECT_EQ(state.contestNr, contest::Wpx);
    EXPECT_TRUE(fileExists(state.workingFilePath()));
    EXPECT_EQ(label("FileIDLabel"), std::string("Log: [Unnamed] - - Contest: WPX") +
                                        (state.ModeFlag[1] ? " CW" : " SSB"));
    EXPECT_TRUE(action("mnuFileSave")->isVisible());
}

TEST_F(LogFilesWindowTest, RecoveryQuestionReopensTheUnnamedLog) {
    MainMod log = test::logFor(contest::Naqp, "");
    log.programDir = dir.path();
    writeLog(log.workingFilePath(), contest::Naqp, 2);
    start();
    answerNextBox(QMessageBox::Yes);
    window.form().checkWorkingFile();
    window.render();
    EXPECT_EQ(seenText.toStdString(),
              "KESLOG has detected a backup file indicating the program was terminated "
              "abnormally.  Do you want to open it as a log file?");
    EXPECT_EQ(label("FileIDLabel"), "Log: [Unnamed] - - Contest: NAQP CW");
    EXPECT_EQ(state.QSONr, 3);
}

TEST_F(LogFilesWindowTest, OverwriteQuestionDefaultsToCancel) {
    answerNextBox(QMessageBox::Cancel);
    EXPECT_EQ(qtBox.show({"The selected output file /logs/A.KSL already exists. "
                          "OK to overwrite it?",
                          "KESLOG", MsgButtons::OkCancel, MsgIcon::Exclamation, 1}),
              MsgResult::Cancel);
    EXPECT_EQ(seenDefault, QMessageBox::Cancel);
    answerNextBox(QMessageBox::Ok);
    EXPECT_EQ(qtBox.show({"x", "KESLOG", MsgButtons::OkCancel, MsgIcon::Exclamation, 1}),
              MsgResult::Ok);
}

TEST_F(LogFilesWindowTest, FileOpenShowsTheLogAndPostContestLeavesTheWindowEmpty) {
    writeLog(dir.file("K1AR.KSL"), contest::Cqww, 1);
    const std::string path = dir.file("OTHER.KSL");
    writeLog(path, contest::Cqww, 3);
    start();
    fakes.fileDialog.answers.push_back(path);
    action("mnuFileOpenLog")->trigger();
    ASSERT_TRUE(state.logOpen);
    EXPECT_EQ(label("FileIDLabel"), "Log: " + path.substr(0, 15) + "..." +
                                        path.substr(path.size() - 12) + " - - Contest: CQWW DX CW");
    EXPECT_EQ(label("QSONrLabel"), qsoNrLabelText(4, test::sampleQso(3).QBandMode));
    EXPECT_TRUE(action("mnuFileArray1")->isVisible());

    QString title;
    test::onModal([&title](QWidget& dialog) {
        title = dialog.windowTitle();
        dialog.findChild<QAbstractButton*>("CheckElectronicFiles")->click();
        dialog.findChild<QAbstractButton*>("CmdOK")->click();
    });
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    action("mnuFilePostContest")->trigger();
    EXPECT_EQ(title, "Post-Contest Processing");
    EXPECT_TRUE(fileExists(dir.file("K1AR.LOG")));
    EXPECT_FALSE(state.logOpen);
    EXPECT_EQ(window.windowTitle(), "KESLOG");
    EXPECT_FALSE(action("mnuFileSave")->isVisible());
    EXPECT_FALSE(window.findChild<QLabel*>("QSONrLabel")->isVisible());

    // Cancelling the file dialog leaves everything as it is.
    fakes.fileDialog.answers.push_back(std::nullopt);
    action("mnuFilePostContest")->trigger();
    EXPECT_EQ(fakes.fileDialog.requests.back().title, "Select KSL Log File to Process");
    EXPECT_FALSE(state.logOpen);
}

}  // namespace
}  // namespace keslog
