#include <gtest/gtest.h>

#include "callsign/CallDataFiles.h"
#include "support/FakePlatform.h"

namespace keslog::test {
namespace {

TEST(CallDataFiles, NoticesAreTitledByTheirFileAndNoNameIsNoFile) {
    TempDir dir;
    dir.write("bad.txt", "!!Order!!,Call,Name\nK6XX,\"BOB\n");
    EXPECT_EQ(loadScpDatabase(dir.file("NONE.SCP")).notice.value().title, "Check Partial");
    EXPECT_EQ(loadCallHistory(dir.file("bad.txt")).notice.value().title, "Call History");
    const auto none = loadCallHistory("");
    EXPECT_FALSE(none.data || none.notice);
}

}  // namespace
}  // namespace keslog::test
