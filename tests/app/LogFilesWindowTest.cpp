#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "QtTestApp.h"
#include "app/LogFormWindow.h"
#include "app/QtPlatform.h"
#include "forms/StoredLogFiles.h"
#include "platform/Files.h"
#include "storage/LogFile.h"
#include "storage/LogFixtures.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

class LogFilesWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::ensureQApplication(); }
    void SetUp() override { test::copyShippedStartupFiles(dir); }

    // Answers the next modal message box once it shows: saves a picture of
    // it when asked to, records its text and presses the button.
    void answerNextBox(QMessageBox::StandardButton button, const QString& picture) {
        QTimer::singleShot(0, [this, button, picture] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            seenText = box->text();
            seenDefault = box->standardButton(box->defaultButton());
            const QString shot = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
            if (!shot.isEmpty()) box->grab().save(shot + "/" + picture);
            box->button(button)->click();
        });
    }

    test::TempDir dir;
    test::FakePlatform fakes;
    QtMessageBox qtBox;
    Platform platform{qtBox,       fakes.fileDialog, fakes.timers, fakes.events,
                      fakes.keys,  fakes.serial,     fakes.ports,  fakes.wavePlayer,
                      fakes.clock, fakes.help,       fakes.beep,   fakes.busy};
    MainMod state;
    StoredLogFiles files{platform};
    QString seenText;
    QMessageBox::StandardButton seenDefault = QMessageBox::NoButton;
};

TEST_F(LogFilesWindowTest, FileOpenShowsTheLogAndItsCaption) {
    MainMod log = test::logFor(contest::Cqww, dir.file("K1AR.KSL"));
    log.QTHUSAFlag = true;
    ASSERT_TRUE(createLogFile(log));
    for (int n = 1; n <= 3; ++n) ASSERT_TRUE(test::logQso(log, test::sampleQso(n)));

    LogFormWindow window(state, platform, files);
    ASSERT_TRUE(window.form().startUp(dir.path()));
    window.form().load();
    window.render();
    window.show();
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    window.findChild<QAction*>("mnuFileOpenLog")->trigger();

    const std::string path = dir.file("K1AR.KSL");
    EXPECT_EQ(window.findChild<QLabel*>("FileIDLabel")->text().toStdString(),
              "Log: " + path.substr(0, 15) + "..." + path.substr(path.size() - 12) +
                  " - - Contest: CQWW DX CW");
    EXPECT_EQ(window.findChild<QLabel*>("QSONrLabel")->text().toStdString(),
              qsoNrLabelText(4, test::sampleQso(3).QBandMode));
    EXPECT_TRUE(window.findChild<QAction*>("mnuFileArray1")->isVisible());
    const QString shot = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!shot.isEmpty()) window.grab().save(shot + "/logform-opened.png");
}

TEST_F(LogFilesWindowTest, FileNewStartsTheUnnamedLogOfTheChosenContest) {
    LogFormWindow window(state, platform, files);
    ASSERT_TRUE(window.form().startUp(dir.path()));
    window.form().load();
    window.render();
    window.show();
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != "ChCoForm") return;
        auto* list = dialog->findChild<QListWidget*>("List1");
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->text().startsWith("WPX")) list->setCurrentRow(row);
        const QString shot = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
        if (!shot.isEmpty()) dialog->grab().save(shot + "/new-contest-choice.png");
        dialog->findChild<QPushButton*>("CmdOK")->click();
    });
    window.findChild<QAction*>("mnuFileNewLog")->trigger();

    ASSERT_TRUE(state.logOpen);
    EXPECT_EQ(state.contestNr, contest::Wpx);
    EXPECT_TRUE(fileExists(state.workingFilePath()));
    EXPECT_EQ(
        window.findChild<QLabel*>("FileIDLabel")->text().toStdString(),
        std::string("Log: [Unnamed] - - Contest: WPX") + (state.ModeFlag[1] ? " CW" : " SSB"));
    EXPECT_TRUE(window.findChild<QAction*>("mnuFileSave")->isVisible());
    const QString shot = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    if (!shot.isEmpty()) window.grab().save(shot + "/logform-new.png");
}

TEST_F(LogFilesWindowTest, RecoveryQuestionReopensTheUnnamedLog) {
    MainMod log = test::logFor(contest::Naqp, "");
    log.programDir = dir.path();
    log.currentLogPath = log.workingFilePath();
    ASSERT_TRUE(createLogFile(log));
    for (int n = 1; n <= 2; ++n) ASSERT_TRUE(test::logQso(log, test::sampleQso(n)));

    LogFormWindow window(state, platform, files);
    ASSERT_TRUE(window.form().startUp(dir.path()));
    window.form().load();
    window.render();
    window.show();
    answerNextBox(QMessageBox::Yes, "recovery-question.png");
    window.form().checkWorkingFile();
    window.render();
    EXPECT_EQ(seenText.toStdString(),
              "KESLOG has detected a backup file indicating the program was terminated "
              "abnormally.  Do you want to open it as a log file?");
    EXPECT_EQ(window.findChild<QLabel*>("FileIDLabel")->text().toStdString(),
              "Log: [Unnamed] - - Contest: NAQP CW");
    EXPECT_EQ(state.QSONr, 3);
}

TEST_F(LogFilesWindowTest, OverwriteQuestionDefaultsToCancel) {
    answerNextBox(QMessageBox::Cancel, "overwrite-question.png");
    const MsgResult answer =
        qtBox.show({"The selected output file /logs/A.KSL already exists. "
                    "OK to overwrite it?",
                    "KESLOG", MsgButtons::OkCancel, MsgIcon::Exclamation, 1});
    EXPECT_EQ(answer, MsgResult::Cancel);
    EXPECT_EQ(seenDefault, QMessageBox::Cancel);

    answerNextBox(QMessageBox::Ok, "");
    EXPECT_EQ(qtBox.show({"x", "KESLOG", MsgButtons::OkCancel, MsgIcon::Exclamation, 1}),
              MsgResult::Ok);
}

TEST_F(LogFilesWindowTest, PostContestProcessesAChosenLogAndLeavesTheWindowEmpty) {
    MainMod log = test::logFor(contest::Cqww, dir.file("K1AR.KSL"));
    ASSERT_TRUE(createLogFile(log));
    ASSERT_TRUE(test::logQso(log, test::sampleQso(1)));
    MainMod other = test::logFor(contest::Cqww, dir.file("OTHER.KSL"));
    ASSERT_TRUE(createLogFile(other));

    LogFormWindow window(state, platform, files);
    ASSERT_TRUE(window.form().startUp(dir.path()));
    window.form().load();
    window.render();
    window.show();
    fakes.fileDialog.answers.push_back(dir.file("OTHER.KSL"));
    window.findChild<QAction*>("mnuFileOpenLog")->trigger();
    ASSERT_TRUE(state.logOpen);

    QString title;
    QTimer::singleShot(0, [&title] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) return;
        title = dialog->windowTitle();
        dialog->findChild<QAbstractButton*>("CheckElectronicFiles")->click();
        dialog->findChild<QAbstractButton*>("CmdOK")->click();
    });
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    window.findChild<QAction*>("mnuFilePostContest")->trigger();

    EXPECT_EQ(title, "Post-Contest Processing");
    EXPECT_TRUE(fileExists(dir.file("K1AR.LOG")));
    EXPECT_FALSE(state.logOpen);
    EXPECT_EQ(window.windowTitle(), "KESLOG");
    EXPECT_FALSE(window.findChild<QAction*>("mnuFileSave")->isVisible());
    EXPECT_FALSE(window.findChild<QLabel*>("QSONrLabel")->isVisible());

    // Cancelling the file dialog leaves everything as it is.
    fakes.fileDialog.answers.push_back(std::nullopt);
    window.findChild<QAction*>("mnuFilePostContest")->trigger();
    EXPECT_EQ(fakes.fileDialog.requests.back().title, "Select KSL Log File to Process");
    EXPECT_FALSE(state.logOpen);
}

}  // namespace
}  // namespace keslog
