#include <gtest/gtest.h>

#include <filesystem>

#include "forms/LogFormRig.h"
#include "platform/Files.h"
#include "storage/LogFile.h"
#include "storage/LogFixtures.h"

namespace keslog {
namespace {

using test::FakePlatform;
using test::sampleQso;

// The File menu of the main window on real log files in a temporary
// program folder; the operator answers through the fakes.
class FileMenuTest : public ::testing::Test, protected test::LogFormOnFiles<test::ChoosingHost> {
  protected:
    void SetUp() override {
        test::copyShippedStartupFiles(dir);
        ASSERT_TRUE(form.startUp(dir.path()));
        form.load();
    }

    // A log file of n QSOs written the way logging writes it.
    void writeLog(const std::string& name, ContestNr contest, int n) {
        MainMod log = test::logFor(contest, dir.file(name));
        log.QTHUSAFlag = contest == contest::Cqww;
        ASSERT_TRUE(createLogFile(log));
        for (int i = 1; i <= n; ++i) ASSERT_TRUE(test::logQso(log, sampleQso(i)));
    }

    // An unnamed log of n QSOs, as New leaves it.
    void startUnnamedLog(int n) {
        state.contestNr = contest::Naqp;
        state.ModeFlag = {false, true};
        state.currentLogPath = state.workingFilePath();
        ASSERT_TRUE(createLogFile(state));
        for (int i = 1; i <= n; ++i) ASSERT_TRUE(test::logQso(state, sampleQso(i)));
        state.logOpen = true;
        form.load();
    }

    const MessageRequest& lastMessage() const { return fakes.messageBox.shown.back(); }
};

TEST_F(FileMenuTest, OpenAsksForTheFileAndShowsTheLog) {
    writeLog("K1AR.KSL", contest::Cqww, 3);
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    form.onFileOpen();

    ASSERT_EQ(fakes.fileDialog.requests.size(), 1u);
    const FileDialogRequest& r = fakes.fileDialog.requests[0];
    EXPECT_EQ(r.title, "Open Existing KSL Log File");
    EXPECT_EQ(r.defaultExtension, "KSL");
    EXPECT_EQ(r.fileName, "*.KSL");
    EXPECT_EQ(r.filter, "KSL logs (*.KSL)|*.KSL");
    EXPECT_EQ(r.startFolder, dir.path());

    EXPECT_TRUE(state.logOpen);
    EXPECT_EQ(state.contestNr, contest::Cqww);
    EXPECT_TRUE(state.QTHUSAFlag);
    EXPECT_EQ(state.QSONr, 4);
    EXPECT_EQ(state.settings.RecentFile1, dir.file("K1AR.KSL"));
    EXPECT_EQ(state.settings.OpenFilePath, dir.path().substr(0, dir.path().size() - 1));
    const LogFormView& v = form.view();
    EXPECT_TRUE(v.entryVisible);
    EXPECT_EQ(v.qsoNrLabel, qsoNrLabelText(4, sampleQso(3).QBandMode));
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    EXPECT_EQ(fakes.busy.notices,
              (std::vector<std::string>{"Loading: " + dir.file("K1AR.KSL"),
                                        "Processing: " + dir.file("K1AR.KSL"), ""}));

    // The next open starts in the folder of this one.
    form.onFileOpen();  // "Do you want to open a different one?" Yes, then cancelled
    EXPECT_EQ(lastMessage().text,
              "A log file is already open.  Do you want to open a different one?");
    EXPECT_EQ(lastMessage().title, "Log Already Opened");
    EXPECT_EQ(fakes.fileDialog.requests.back().startFolder, state.settings.OpenFilePath);
    EXPECT_EQ(state.currentLogPath, dir.file("K1AR.KSL"));

    // New over a named log asks first.
    fakes.messageBox.answer(MsgResult::No);
    form.onFileNew();
    EXPECT_EQ(lastMessage().text, "A log file is already open.  Do you want to start a new one? ");
    EXPECT_EQ(lastMessage().title, "Log Already Opened");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(lastMessage().defaultButton, 1);
    EXPECT_EQ(host.choices, 0);
    EXPECT_EQ(state.currentLogPath, dir.file("K1AR.KSL"));
}

TEST_F(FileMenuTest, AnIncompleteLastRecordIsShownAndADamagedFileChangesNothing) {
    writeLog("K1AR.KSL", contest::Cqww, 2);
    dir.write("K1AR.KSL", dir.read("K1AR.KSL") + "K1");
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    form.onFileOpen();
    ASSERT_TRUE(state.logOpen);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(lastMessage().title, "Incomplete Log Record");
    EXPECT_TRUE(lastMessage().text.starts_with("The last record of " + dir.file("K1AR.KSL") +
                                               " is incomplete (2 of 26 bytes)"));

    dir.write("BAD.KSL", std::string(25, '\0'));
    fakes.fileDialog.answers.push_back(dir.file("BAD.KSL"));
    fakes.messageBox.answer(MsgResult::Yes);  // open a different one
    form.onFileOpen();
    EXPECT_EQ(lastMessage().text, "The file " + dir.file("BAD.KSL") +
                                      " is not a KESLOG log: it is too short to hold a log "
                                      "header.  Nothing was opened.");
    EXPECT_EQ(lastMessage().title, "File Opening Error");
    EXPECT_EQ(state.currentLogPath, dir.file("K1AR.KSL"));
    EXPECT_EQ(state.QSONr, 3);
    EXPECT_EQ(state.settings.RecentFile1, dir.file("K1AR.KSL"));
    EXPECT_EQ(state.settings.RecentFile2, "");
    EXPECT_EQ(dir.read("BAD.KSL"), std::string(25, '\0'));
}

TEST_F(FileMenuTest, AnUnusableFrequencyFileIsNamedOnceAndStartedAnew) {
    writeLog("K1AR.KSL", contest::Cqww, 2);
    dir.write("K1AR.KSF", "00001 garbage!!!\r\n00002 0000000000\r\n");
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    form.onFileOpen();
    ASSERT_EQ(state.QSONr, 3);
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(lastMessage().title, "Frequency File");
    EXPECT_EQ(lastMessage().text, "The frequency file " + dir.file("K1AR.KSF") +
                                      " cannot be used: the line of QSO 1 is not its number and "
                                      "a frequency.  The QSOs show their bands only; the log "
                                      "itself is whole.");
    EXPECT_FALSE(fileExists(dir.file("K1AR.KSF")));
}

TEST_F(FileMenuTest, UnnamedLogIsGivenUpOnlyOnceSaved) {
    startUnnamedLog(2);
    writeLog("K1AR.KSL", contest::Cqww, 1);

    // Cancel at the question ends the command.
    fakes.messageBox.answer(MsgResult::Cancel);
    form.onFileOpen();
    EXPECT_EQ(lastMessage().text, "Save current log file? ");
    EXPECT_EQ(lastMessage().title, "Save Current File?");
    EXPECT_EQ(lastMessage().buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(fakes.fileDialog.requests.empty());

    // Yes, and the Save As dialog is cancelled: the command ends too.
    fakes.messageBox.answer(MsgResult::Yes);
    fakes.fileDialog.answers.push_back(std::nullopt);
    form.onFileOpen();
    ASSERT_EQ(fakes.fileDialog.requests.size(), 1u);
    EXPECT_EQ(fakes.fileDialog.requests[0].title, "Save Current Log As");
    EXPECT_TRUE(state.isWorkingFileOpen());
    EXPECT_TRUE(fileExists(state.workingFilePath()));

    // Yes, saved under a name: then the other log opens.
    fakes.messageBox.answer(MsgResult::Yes);
    fakes.fileDialog.answers.push_back(dir.file("NAQP.KSL"));
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    form.onFileOpen();
    EXPECT_FALSE(fileExists(state.workingFilePath()));
    EXPECT_EQ(parseLogFile(dir.read("NAQP.KSL"), "x")->qsos.size(), 2u);
    EXPECT_EQ(state.currentLogPath, dir.file("K1AR.KSL"));
    EXPECT_EQ(state.settings.RecentFile1, dir.file("K1AR.KSL"));
    EXPECT_EQ(state.settings.RecentFile2, dir.file("NAQP.KSL"));

    // Declined: the unnamed log goes once another opens, not before.
    startUnnamedLog(1);
    fakes.messageBox.answer(MsgResult::No);
    fakes.fileDialog.answers.push_back(std::nullopt);
    form.onFileOpen();  // cancelled: the unnamed log stays
    EXPECT_TRUE(fileExists(state.workingFilePath()));
    EXPECT_TRUE(state.isWorkingFileOpen());

    fakes.messageBox.answer(MsgResult::No);
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    form.onFileOpen();
    EXPECT_EQ(state.currentLogPath, dir.file("K1AR.KSL"));
    EXPECT_FALSE(fileExists(state.workingFilePath()));
}

TEST_F(FileMenuTest, SaveAsChecksTheNameAndAsksBeforeReplacing) {
    startUnnamedLog(2);
    const std::string working = dir.read("!temp%!!.cqb");

    fakes.fileDialog.answers.push_back(dir.file("NAQP.LOG"));
    form.onFileSave();
    const FileDialogRequest& r = fakes.fileDialog.requests.back();
    EXPECT_EQ(r.title, "Save Current Log As");
    EXPECT_EQ(r.defaultExtension, "KSL");
    EXPECT_EQ(r.filter, "KSL logs (*.KSL)|*.KSL|All files (*.*)|*.*");
    EXPECT_EQ(r.startFolder, dir.path());
    EXPECT_EQ(lastMessage().text, "Log file must have the extension .KSL");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Stop);
    EXPECT_TRUE(state.isWorkingFileOpen());

    dir.write("NAQP.KSL", "last year's log");
    fakes.fileDialog.answers.push_back(dir.file("NAQP.KSL"));
    fakes.messageBox.answer(MsgResult::Cancel);
    form.onFileSave();
    EXPECT_EQ(lastMessage().text, "The selected output file " + dir.file("NAQP.KSL") +
                                      " already exists. OK to overwrite it?");
    EXPECT_EQ(lastMessage().buttons, MsgButtons::OkCancel);
    EXPECT_EQ(lastMessage().defaultButton, 1);
    EXPECT_EQ(dir.read("NAQP.KSL"), "last year's log");
    EXPECT_TRUE(state.isWorkingFileOpen());

    fakes.fileDialog.answers.push_back(dir.file("naqp.ksl"));
    form.onFileSave();
    EXPECT_EQ(dir.read("naqp.ksl"), working);
    EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
    const std::string path = dir.file("naqp.ksl");
    EXPECT_EQ(form.view().fileIdLabel, "Log: " + path.substr(0, 15) + "..." +
                                           path.substr(path.size() - 12) + " - - Contest: NAQP CW");
    // Saving a named log does nothing.
    const std::size_t dialogs = fakes.fileDialog.requests.size();
    form.onFileSave();
    EXPECT_EQ(fakes.fileDialog.requests.size(), dialogs);
}

TEST_F(FileMenuTest, BackupRetriesUntilTheOperatorGivesUp) {
    writeLog("K1AR.KSL", contest::Cqww, 2);
    fakes.fileDialog.answers.push_back(dir.file("K1AR.KSL"));
    form.onFileOpen();
    state.settings.BackUpDrive = dir.file("stick");

    fakes.messageBox.answer(MsgResult::Retry);
    fakes.messageBox.answer(MsgResult::Cancel);
    form.onFileBackup();
    ASSERT_EQ(fakes.messageBox.shown.size(), 2u);
    EXPECT_EQ(lastMessage().text,
              "Drive unavailable.  If it's a removable disk drive, insert a disk.");
    EXPECT_EQ(lastMessage().title, "File or Disk Error");
    EXPECT_EQ(lastMessage().buttons, MsgButtons::RetryCancel);

    // The operator plugs the stick in.
    std::filesystem::create_directory(dir.file("stick"));
    form.onFileBackup();
    EXPECT_EQ(fakes.messageBox.shown.size(), 2u);
    EXPECT_EQ(dir.read("stick/K1AR.KSL"), dir.read("K1AR.KSL"));
}

TEST_F(FileMenuTest, NewStartsAnUnnamedLogOfTheChosenContest) {
    host.contest = "NAQP";
    form.onFileNew();
    EXPECT_EQ(host.choices, 1);
    ASSERT_TRUE(state.logOpen);
    EXPECT_EQ(state.contestNr, contest::Naqp);
    EXPECT_TRUE(state.isWorkingFileOpen());
    EXPECT_EQ(state.QSONr, 1);
    EXPECT_EQ(dir.read("!temp%!!.cqb"), encodeHeader(buildHeader(state)));
    EXPECT_EQ(dir.read("!temp%!!.cqb").substr(20, 3), "NA ");
    EXPECT_EQ(state.mults.NAQPMults.rows.size(), 111u);  // today's NA list set up
    EXPECT_EQ(state.CurrentBandMode, state.ModeFlag[1] ? 3 : 11);
    EXPECT_EQ(form.view().fileIdLabel, std::string("Log: [Unnamed] - - Contest: NAQP") +
                                           (state.ModeFlag[1] ? " CW" : " SSB"));
    EXPECT_TRUE(form.view().saveVisible);
    EXPECT_TRUE(fakes.messageBox.shown.empty());

    // Over an unnamed log: declined to save, then no contest chosen: the
    // unnamed log goes on.
    startUnnamedLog(3);
    const std::string working = dir.read("!temp%!!.cqb");
    host.contest = "";
    fakes.messageBox.answer(MsgResult::No);
    form.onFileNew();
    EXPECT_EQ(host.choices, 2);
    EXPECT_TRUE(state.logOpen);
    EXPECT_EQ(state.QSONr, 4);
    EXPECT_EQ(dir.read("!temp%!!.cqb"), working);

    // Yes to saving, Save As cancelled: the command ends there.
    fakes.messageBox.answer(MsgResult::Yes);
    fakes.fileDialog.answers.push_back(std::nullopt);
    form.onFileNew();
    EXPECT_EQ(host.choices, 2);
    EXPECT_EQ(dir.read("!temp%!!.cqb"), working);

    // Declined, and a contest chosen: the new log's file holds its header alone.
    host.contest = "CQWW";
    fakes.messageBox.answer(MsgResult::No);
    form.onFileNew();
    EXPECT_EQ(state.contestNr, contest::Cqww);
    EXPECT_EQ(state.QSONr, 1);
    EXPECT_EQ(dir.read("!temp%!!.cqb"), encodeHeader(buildHeader(state)));
}

// A log named on the command line opens after start-up as File, Open opens
// it, or is refused with the message File, Open gives.
TEST_F(FileMenuTest, CommandLineOpensALogAndRefusesWhatIsNoReadableLog) {
    dir.write("notes.txt", "73");
    dir.write("short.KSL", "hello");
    std::filesystem::create_directory(dir.file("folder.KSL"));
    struct Case {
        std::string name;
        std::string text;
    };
    const Case cases[] = {
        {"notes.txt",
         "The file " + dir.file("notes.txt") + " is not a .KSL log file.  Nothing was opened."},
        {"short.KSL", "The file " + dir.file("short.KSL") +
                          " is not a KESLOG log: it is too short to hold a log header.  "
                          "Nothing was opened."},
        {"folder.KSL", "The selected data file " + dir.file("folder.KSL") +
                           " doesn't exist.  Make another selection."},
        {"missing.KSL", "The selected data file " + dir.file("missing.KSL") +
                            " doesn't exist.  Make another selection."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.messageBox.shown.clear();
        form.openAtStart(dir.file(c.name));
        ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
        EXPECT_EQ(lastMessage().text, c.text);
        EXPECT_EQ(lastMessage().title, "File Opening Error");
        EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
        EXPECT_FALSE(state.logOpen);
        EXPECT_FALSE(form.view().entryVisible);
        EXPECT_EQ(form.view().title, "KESLOG");
        EXPECT_EQ(state.settings.RecentFile1, "");
    }

    writeLog("K1AR.KSL", contest::Cqww, 3);
    fakes.messageBox.shown.clear();
    form.openAtStart(dir.file("K1AR.KSL"));
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    EXPECT_TRUE(state.logOpen);
    EXPECT_EQ(state.currentLogPath, dir.file("K1AR.KSL"));
    EXPECT_EQ(state.QSONr, 4);
    EXPECT_EQ(state.settings.RecentFile1, dir.file("K1AR.KSL"));
    EXPECT_TRUE(form.view().entryVisible);
}

// The recovery question comes first; the named log opens only when the
// working file was given up.
TEST_F(FileMenuTest, CommandLineLogWaitsForTheRecoveryQuestion) {
    for (const MsgResult answer : {MsgResult::Yes, MsgResult::No}) {
        SCOPED_TRACE(answer == MsgResult::Yes ? "reopened" : "given up");
        writeLog("K1AR.KSL", contest::Cqww, 3);
        MainMod log = test::logFor(contest::Naqp, "");
        log.programDir = dir.path();
        log.currentLogPath = log.workingFilePath();
        ASSERT_TRUE(createLogFile(log));
        ASSERT_TRUE(test::logQso(log, sampleQso(1)));

        test::LogFormOnFiles<test::ChoosingHost> restarted;
        ASSERT_TRUE(restarted.form.startUp(dir.path()));
        restarted.fakes.messageBox.answer(answer);
        restarted.form.openAtStart(dir.file("K1AR.KSL"));

        const auto& shown = restarted.fakes.messageBox.shown;
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown[0].title, "KESLOG");  // the recovery question
        EXPECT_TRUE(restarted.state.logOpen);
        if (answer == MsgResult::Yes) {
            ASSERT_EQ(shown.size(), 2u);
            EXPECT_EQ(shown[1].text, "The unnamed log was reopened from its working file, so " +
                                         dir.file("K1AR.KSL") +
                                         " was not opened.  File, Open opens it.");
            EXPECT_EQ(shown[1].title, "Log Not Opened");
            EXPECT_EQ(shown[1].icon, MsgIcon::Information);
            EXPECT_TRUE(restarted.state.isWorkingFileOpen());
            EXPECT_EQ(restarted.state.log.at(1), sampleQso(1));
            EXPECT_EQ(restarted.state.QSONr, 2);
            EXPECT_EQ(restarted.state.settings.RecentFile1, "");
            removeFile(dir.file("!temp%!!.cqb"));
        } else {
            EXPECT_EQ(shown.size(), 1u);
            EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
            EXPECT_EQ(restarted.state.currentLogPath, dir.file("K1AR.KSL"));
            EXPECT_EQ(restarted.state.QSONr, 4);
        }
    }
}

}  // namespace
}  // namespace keslog
