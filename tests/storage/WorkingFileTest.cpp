#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "LogFixtures.h"
#include "platform/Files.h"
#include "storage/Backup.h"
#include "storage/LogFile.h"
#include "storage/LogNames.h"
#include "storage/WorkingFile.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using test::sampleQso;
using test::TempDir;

class WorkingFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state = test::logFor(contest::Cqww, "");
        state.programDir = dir.path();
        state.currentLogPath = state.workingFilePath();
        state.QTHUSAFlag = true;
        ASSERT_TRUE(createLogFile(state));
        for (int n = 1; n <= 3; ++n) ASSERT_TRUE(test::logQso(state, sampleQso(n)));
        state.settings.RecentFile1 = "/old/1.KSL";
        state.settings.RecentFile2 = "/old/2.KSL";
    }

    TempDir dir;
    MainMod state;
};

TEST_F(WorkingFileTest, SaveAsMovesTheLogToItsNameAndLogsThereFromThenOn) {
    const std::string working = dir.read("!temp%!!.cqb");
    dir.write("W1AW.KSL", std::string(500, 'x'));  // an older file of the name is replaced
    ASSERT_TRUE(saveWorkingLogAs(state, dir.file("W1AW.KSL")));
    EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
    EXPECT_EQ(dir.read("W1AW.KSL"), working);
    EXPECT_EQ(state.currentLogPath, dir.file("W1AW.KSL"));
    EXPECT_FALSE(state.isWorkingFileOpen());
    EXPECT_EQ(state.settings.OpenFilePath, dir.path().substr(0, dir.path().size() - 1));
    EXPECT_EQ(state.settings.RecentFile1, dir.file("W1AW.KSL"));
    EXPECT_EQ(state.settings.RecentFile2, "/old/1.KSL");
    EXPECT_EQ(state.settings.RecentFile3, "/old/2.KSL");

    ASSERT_TRUE(test::logQso(state, sampleQso(4)));
    EXPECT_EQ(dir.read("W1AW.KSL"), wholeLogBytes(state));
    EXPECT_FALSE(fileExists(dir.file("!temp%!!.cqb")));
}

TEST_F(WorkingFileTest, ASaveAsThatFailsStaysOnTheWorkingFile) {
    const std::string working = dir.read("!temp%!!.cqb");
    // The working file itself, and a folder that is not there.
    for (const std::string& target :
         {dir.path() + "./!temp%!!.cqb", dir.file("no/such/folder/W1AW.KSL")}) {
        SCOPED_TRACE(target);
        ASSERT_FALSE(saveWorkingLogAs(state, target).isOk());
        EXPECT_EQ(dir.read("!temp%!!.cqb"), working);
        EXPECT_TRUE(state.isWorkingFileOpen());
        EXPECT_EQ(state.settings.RecentFile1, "/old/1.KSL");
    }
}

TEST(LogExtension, KslInAnyCase) {
    for (const char* good : {"a.KSL", "/x/a.ksl", "a.Ksl", "KSL"})
        EXPECT_TRUE(hasLogExtension(good));
    for (const char* bad : {"a.LOG", "a.KSL.bak", "KS", "", "a.KSb"})
        EXPECT_FALSE(hasLogExtension(bad)) << bad;
}

TEST_F(WorkingFileTest, BackupWritesTheWholeLogIntoTheBackupFolder) {
    ASSERT_TRUE(saveWorkingLogAs(state, dir.file("W1AW.KSL")));
    std::filesystem::create_directory(dir.file("stick"));
    state.settings.BackUpDrive = dir.file("stick");
    ASSERT_EQ(backupPath(state), dir.file("stick/W1AW.KSL"));
    dir.write("stick/W1AW.KSL", "yesterday's backup");
    ASSERT_TRUE(backupLog(state));
    EXPECT_EQ(dir.read("stick/W1AW.KSL"), dir.read("W1AW.KSL"));

    state.settings.BackUpDrive = dir.file("stick/");
    EXPECT_EQ(backupPath(state), dir.file("stick/W1AW.KSL"));
}

TEST_F(WorkingFileTest, NoBackupWhenBackupsAreOff) {
    for (const char* off : {"[none]", "", "  "}) {
        state.settings.BackUpDrive = off;
        EXPECT_EQ(backupPath(state), std::nullopt);
        EXPECT_TRUE(backupLog(state));
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);  // the working file alone
}

TEST_F(WorkingFileTest, BackupOverTheOpenLogIsRefused) {
    ASSERT_TRUE(saveWorkingLogAs(state, dir.file("W1AW.KSL")));
    const std::string log = dir.read("W1AW.KSL");
    for (const std::string& folder : {dir.path(), dir.path() + "./", dir.path() + "sub/.."}) {
        SCOPED_TRACE(folder);
        std::filesystem::create_directory(dir.file("sub"));
        state.settings.BackUpDrive = folder;
        const Status backup = backupLog(state);
        ASSERT_FALSE(backup.isOk());
        EXPECT_EQ(backup.message(), "The backup folder " + folder +
                                        " is the folder of the open log, so the backup would "
                                        "replace the log itself.  Choose another backup folder "
                                        "in the preferences.");
        EXPECT_EQ(dir.read("W1AW.KSL"), log);
    }
}

TEST_F(WorkingFileTest, BackupToAMissingFolderSaysSo) {
    state.settings.BackUpDrive = "A";  // a drive letter from an old settings file
    const Status backup = backupLog(state);
    ASSERT_FALSE(backup.isOk());
    EXPECT_EQ(backup.message(),
              "The backup folder A does not exist or cannot be reached.  No backup was written.");
    // A missing folder is a drive without its disk: the operator may retry.
    EXPECT_EQ(backup.systemError(), ENOENT);
}

TEST(LogNames, CaptionOfTheLogLabel) {
    MainMod state;
    state.programDir = "/prog/";
    state.currentLogPath = state.workingFilePath();
    state.contestNr = contest::Cqww;
    state.ModeFlag = {false, true};
    EXPECT_EQ(logCaption(state), "Log: [Unnamed] - - Contest: CQWW DX CW");

    state.currentLogPath = "/home/op/logs/2026/cqww-cw-k1ar.KSL";  // 35 characters
    state.ModeFlag = {true, false};
    EXPECT_EQ(logCaption(state), "Log: /home/op/logs/2...-cw-k1ar.KSL - - Contest: CQWW DX SSB");

    state.currentLogPath = "/home/op/contest-logs/26/cqp-w6xyz-l.KSL";  // 40 characters
    ASSERT_EQ(state.currentLogPath.size(), 40u);
    state.contestNr = contest::Cqp;
    EXPECT_EQ(logCaption(state), "Log: /home/op/contes...-w6xyz-l.KSL - - Contest: CQP");

    state.currentLogPath = "/logs/K1AR.KSL";
    state.contestNr = contest::Sprint;
    state.ModeFlag = {false, true};
    EXPECT_EQ(logCaption(state), "Log: /logs/K1AR.KSL - - Contest: Sprint  CW");
}

TEST(LogNames, RecentFiles) {
    Settings s;
    rememberRecentFile(s, "/a.KSL");
    rememberRecentFile(s, "/a.KSL");  // opened twice: once at the top
    EXPECT_EQ(s.RecentFile1, "/a.KSL");
    EXPECT_EQ(s.RecentFile2, "");
    for (const char* f : {"/b.KSL", "/c.KSL", "/d.KSL", "/e.KSL"}) rememberRecentFile(s, f);
    EXPECT_EQ(s.RecentFile1, "/e.KSL");
    EXPECT_EQ(s.RecentFile4, "/b.KSL");  // "/a.KSL" dropped out

    // The second file opened again is not searched for: it stands twice.
    rememberRecentFile(s, "/d.KSL");
    EXPECT_EQ(s.RecentFile1, "/d.KSL");
    EXPECT_EQ(s.RecentFile2, "/e.KSL");
    EXPECT_EQ(s.RecentFile3, "/d.KSL");
    EXPECT_EQ(s.RecentFile4, "/c.KSL");
}

TEST(LogNames, FitPathGivesUpTheMiddle) {
    const auto atMost = [](std::size_t n) {
        return [n](std::string_view text) { return text.size() <= n; };
    };
    const std::string path = "/home/op/logs/ww.KSL";  // 20 characters, middle 10
    EXPECT_EQ(fitPath("Loading: ", path, atMost(40)), "Loading: /home/op/logs/ww.KSL");
    EXPECT_EQ(fitPath("Loading: ", path, atMost(23)), "Loading: /home...ww.KSL");
    EXPECT_EQ(fitPath("Loading: ", path, atMost(25)), "Loading: /home/.../ww.KSL");
    // Nothing fits: the shortest form, never a negative length.
    EXPECT_EQ(fitPath("Loading: ", path, atMost(0)), "Loading: ...");
    EXPECT_EQ(fitPath("Loading: ", "", atMost(0)), "Loading: ...");
    EXPECT_EQ(fitPath("Processing: ", "ab", atMost(0)), "Processing: ...");
    EXPECT_EQ(fileNameOf("/a/b/c.KSL"), "c.KSL");
    EXPECT_EQ(folderOf("/a/b/c.KSL"), "/a/b");
    EXPECT_EQ(folderOf("c.KSL"), "");
}

}  // namespace
}  // namespace keslog
