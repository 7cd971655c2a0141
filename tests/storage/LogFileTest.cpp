#include <gtest/gtest.h>

#include <filesystem>

#include "LogFixtures.h"
#include "platform/Files.h"
#include "storage/LogFile.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using test::logFor;
using test::sampleQso;
using test::TempDir;

class LogFileTest : public ::testing::Test {
  protected:
    MainMod newLog(ContestNr contest) {
        MainMod state = logFor(contest, dir.file("TEST.KSL"));
        EXPECT_TRUE(createLogFile(state));
        return state;
    }
    std::string file() const { return dir.read("TEST.KSL"); }

    TempDir dir;
};

TEST_F(LogFileTest, RewriteReplacesOneRecordInPlace) {
    for (ContestNr contest : {contest::Cqww, contest::Sprint}) {
        SCOPED_TRACE(contest);
        MainMod state = newLog(contest);
        for (int n = 1; n <= 4; ++n) ASSERT_TRUE(test::logQso(state, sampleQso(n)));
        const std::size_t length = file().size();
        QSORecName edited = sampleQso(2);
        edited.QCall = "N6TR";
        edited.QName = "TREE";
        state.log.replace(2, edited);
        ASSERT_TRUE(writeQso(state, 2));
        EXPECT_EQ(file().size(), length);
        EXPECT_EQ(file(), wholeLogBytes(state));
        EXPECT_EQ(parseLogFile(file(), "x")->qsos[1].QCall.trimmed(), "N6TR");
    }
}

TEST_F(LogFileTest, WholeLogWriteReplacesTheFile) {
    MainMod state = newLog(contest::Naqp);
    for (int n = 1; n <= 3; ++n) ASSERT_TRUE(test::logQso(state, sampleQso(n)));
    dir.write("COPY.KSL",
              "an older copy that is longer than the new one will be.........."
              "................................................................");
    ASSERT_TRUE(writeWholeLog(state, dir.file("COPY.KSL")));
    EXPECT_EQ(dir.read("COPY.KSL"), file());
    EXPECT_EQ(dir.read("COPY.KSL").size(), 4u * 36);

    // A header-only log is the 26-byte header alone.
    MainMod empty = logFor(contest::Naqp, dir.file("EMPTY.KSL"));
    empty.logHeader = buildHeader(empty);
    ASSERT_TRUE(writeWholeLog(empty, dir.file("EMPTY.KSL")));
    EXPECT_EQ(dir.read("EMPTY.KSL").size(), 26u);
}

TEST_F(LogFileTest, IncompleteLastRecordIsReportedAndEveryWholeQsoKept) {
    for (ContestNr contest : {contest::Cqww, contest::Naqp}) {
        SCOPED_TRACE(contest);
        MainMod state = newLog(contest);
        for (int n = 1; n <= 3; ++n) ASSERT_TRUE(test::logQso(state, sampleQso(n)));
        const std::string whole = file();
        const std::size_t size = whole.size() / 4;
        for (std::size_t cut : {std::size_t{1}, size / 2, size - 1}) {
            SCOPED_TRACE(cut);
            const std::string damaged = whole.substr(0, whole.size() - cut);
            const Result<LogFileContents> read = parseLogFile(damaged, "x");
            ASSERT_TRUE(read.isOk());
            EXPECT_EQ(read->qsos.size(), 2u);
            EXPECT_EQ(read->partialBytes, size - cut);
            EXPECT_EQ(read->qsos[1],
                      contest == contest::Naqp ? sampleQso(2) : test::withoutName(sampleQso(2)));
        }
    }
}

TEST_F(LogFileTest, QsosTheFileIsMissingAreWrittenWithTheNextOne) {
    MainMod state = newLog(contest::Sprint);
    for (int n = 1; n <= 3; ++n) ASSERT_TRUE(test::logQso(state, sampleQso(n)));
    // The file lost its last QSO (a write that failed), then the whole file.
    dir.write("TEST.KSL", file().substr(0, 3 * 36));
    ASSERT_TRUE(test::logQso(state, sampleQso(4)));
    EXPECT_EQ(file(), wholeLogBytes(state));

    std::filesystem::remove(dir.file("TEST.KSL"));
    ASSERT_TRUE(test::logQso(state, sampleQso(5)));
    EXPECT_EQ(file(), wholeLogBytes(state));
    EXPECT_EQ(parseLogFile(file(), "x")->qsos.size(), 5u);

    // The next QSO takes the place of a record cut short by a crash.
    dir.write("TEST.KSL", file() + "half a rec");
    ASSERT_TRUE(test::logQso(state, sampleQso(6)));
    EXPECT_EQ(file(), wholeLogBytes(state));
}

TEST_F(LogFileTest, FilesTooLargeForALogAreNotRead) {
    dir.write("BIG.KSL", "");
    std::filesystem::resize_file(dir.file("BIG.KSL"), 2'000'000);
    const Result<std::string> big = readLogBytes(dir.file("BIG.KSL"));
    ASSERT_FALSE(big.isOk());
    EXPECT_EQ(big.status().message(), "The file " + dir.file("BIG.KSL") +
                                          " is not a KESLOG log: it is larger than any log can "
                                          "be.  Nothing was opened.");

    // A 26-byte log one QSO beyond the largest log.
    MainMod state = logFor(contest::Cqww, "x");
    std::string bytes = encodeHeader(buildHeader(state));
    bytes.resize(26 * std::size_t{kMaxQsos + 2}, ' ');
    const Result<LogFileContents> read = parseLogFile(bytes, "/x/A.KSL");
    ASSERT_FALSE(read.isOk());
    EXPECT_EQ(read.status().message(),
              "The file /x/A.KSL holds more QSOs than a log can hold (32767).  Nothing was "
              "opened.");
    bytes.resize(26 * std::size_t{kMaxQsos + 1});
    EXPECT_EQ(parseLogFile(bytes, "x")->qsos.size(), std::size_t{kMaxQsos});
}

}  // namespace
}  // namespace keslog
