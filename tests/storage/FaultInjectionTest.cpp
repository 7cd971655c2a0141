#include <gtest/gtest.h>

#include <filesystem>

#include "LogFixtures.h"
#include "platform/Files.h"
#include "storage/Backup.h"
#include "storage/LogConversion.h"
#include "storage/LogFile.h"
#include "storage/WorkingFile.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using test::sampleQso;
using test::TempDir;

std::size_t filesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

class FaultInjectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        state = test::logFor(contest::Cqww, "");
        state.programDir = dir.path();
        state.currentLogPath = state.workingFilePath();
        ASSERT_TRUE(createLogFile(state));
        for (int n = 1; n <= 3; ++n) ASSERT_TRUE(test::logQso(state, sampleQso(n)));
        onDisk = dir.read("!temp%!!.cqb");
    }

    TempDir dir;
    MainMod state;
    std::string onDisk;
};

TEST_F(FaultInjectionTest, FailedAppendKeepsTheQsoInMemoryAndTheFileWhole) {
    {
        test::FileSizeLimit full(onDisk.size() + 10);
        const Status logged = test::logQso(state, sampleQso(4));
        ASSERT_FALSE(logged.isOk());
        EXPECT_EQ(logged.message().rfind("Could not write " + state.currentLogPath + ": ", 0), 0u)
            << logged.message();
    }
    EXPECT_EQ(state.log.count(), 4);
    EXPECT_EQ(state.QSONr, 5);
    const std::string after = dir.read("!temp%!!.cqb");
    EXPECT_EQ(after.substr(0, onDisk.size()), onDisk);
    const Result<LogFileContents> read = parseLogFile(after, "x");
    ASSERT_TRUE(read.isOk());
    EXPECT_EQ(read->qsos.size(), 3u);

    // Room again: the next QSO brings the one that failed along.
    ASSERT_TRUE(test::logQso(state, sampleQso(5)));
    EXPECT_EQ(dir.read("!temp%!!.cqb"), wholeLogBytes(state));
}

TEST_F(FaultInjectionTest, FailedNewLogLeavesTheOldFile) {
    MainMod fresh = test::logFor(contest::Ss, state.currentLogPath);
    {
        test::FileSizeLimit full(10);
        EXPECT_FALSE(createLogFile(fresh).isOk());
    }
    EXPECT_EQ(dir.read("!temp%!!.cqb"), onDisk);
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST_F(FaultInjectionTest, FailedSaveAsStaysOnTheWorkingFile) {
    {
        test::FileSizeLimit full(onDisk.size() - 1);
        EXPECT_FALSE(saveWorkingLogAs(state, dir.file("W1AW.KSL")).isOk());
    }
    EXPECT_TRUE(state.isWorkingFileOpen());
    EXPECT_EQ(dir.read("!temp%!!.cqb"), onDisk);
    EXPECT_FALSE(fileExists(dir.file("W1AW.KSL")));
    EXPECT_EQ(filesIn(dir.path()), 1u);
}

TEST_F(FaultInjectionTest, FailedBackupKeepsTheOldBackup) {
    std::filesystem::create_directory(dir.file("stick"));
    state.settings.BackUpDrive = dir.file("stick");
    dir.write("stick/!temp%!!.cqb", "the last good backup");
    {
        test::FileSizeLimit full(onDisk.size() - 1);
        const Status backup = backupLog(state);
        ASSERT_FALSE(backup.isOk());
        EXPECT_FALSE(backup.message().empty());
    }
    EXPECT_EQ(dir.read("stick/!temp%!!.cqb"), "the last good backup");
    EXPECT_EQ(filesIn(dir.file("stick")), 1u);
}

TEST_F(FaultInjectionTest, FailedConversionLeavesTheOriginal) {
    const std::string original = dir.read("!temp%!!.cqb");
    dir.write("OLD.KSL", original);
    {
        test::FileSizeLimit full(original.size() - 1);
        EXPECT_FALSE(replaceWithConverted(dir.file("OLD.KSL"), original, original).isOk());
    }
    EXPECT_EQ(dir.read("OLD.KSL"), original);
    EXPECT_FALSE(fileExists(dir.file("OLD.KSb")));
    EXPECT_EQ(filesIn(dir.path()), 2u);
}

}  // namespace
}  // namespace keslog
