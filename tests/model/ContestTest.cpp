#include <gtest/gtest.h>

#include "model/Contest.h"

namespace keslog {
namespace {

// Each contest's names, records, headings and off time show where they are
// used: log captions, files, the main window, the statistics.
TEST(ContestCatalog, NumbersOneToNine) {
    for (ContestNr nr = -1; nr <= 10; ++nr) {
        const auto info = findContest(nr);
        ASSERT_EQ(static_cast<bool>(info), nr >= 1 && nr <= 9) << nr;
        if (info) {
            EXPECT_EQ(info->nr, nr);
        }
    }
}

}  // namespace
}  // namespace keslog
