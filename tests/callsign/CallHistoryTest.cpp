#include <gtest/gtest.h>

#include "callsign/CallDataFiles.h"
#include "support/FakePlatform.h"

namespace keslog::test {
namespace {

TEST(CallDataFiles, OneNoticeForAMissingOrDamagedFile) {
    TempDir dir;
    dir.write("MASTER.SCP", "# list\nK1AR\nK 1AR\nN6TR\nK?\n");
    dir.write("good.txt", "!!Order!!,Call,Name\nK6XX,BOB\n");
    dir.write("bad.txt", "!!Order!!,Call,Name\nK6XX,\"BOB\n");

    const auto scp = loadScpDatabase(dir.file("MASTER.SCP"));
    ASSERT_TRUE(scp.data && scp.notice);
    EXPECT_EQ(scp.data->size(), 2U);
    EXPECT_EQ(scp.notice->title, "Check Partial");
    EXPECT_EQ(scp.notice->text, "2 lines of the check-partial database " + dir.file("MASTER.SCP") +
                                    " could not be read and were left out.");
    const auto missing = loadScpDatabase(dir.file("NONE.SCP"));
    EXPECT_FALSE(missing.data);
    ASSERT_TRUE(missing.notice);
    EXPECT_EQ(missing.notice->text, "The check-partial database " + dir.file("NONE.SCP") +
                                        " could not be read.  The logger goes on without "
                                        "check partial.");
    const auto off = loadScpDatabase("none");
    EXPECT_FALSE(off.data || off.notice);

    const auto good = loadCallHistory(dir.file("good.txt"));
    EXPECT_TRUE(good.data && !good.notice);
    const auto bad = loadCallHistory(dir.file("bad.txt"));
    ASSERT_TRUE(bad.data && bad.notice);
    EXPECT_EQ(bad.notice->title, "Call History");
    EXPECT_EQ(bad.notice->text, "1 line of the call history file " + dir.file("bad.txt") +
                                    " could not be read and was left out.");
    const auto gone = loadCallHistory(dir.file("gone.txt"));
    ASSERT_TRUE(gone.notice);
    EXPECT_EQ(gone.notice->text, "The call history file " + dir.file("gone.txt") +
                                     " could not be read.  The logger goes on without the "
                                     "call history.");
    EXPECT_FALSE(loadCallHistory("").notice);
}

}  // namespace
}  // namespace keslog::test
