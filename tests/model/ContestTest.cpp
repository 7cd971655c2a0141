#include <gtest/gtest.h>

#include "model/Contest.h"

namespace keslog {
namespace {

TEST(ContestCatalog, NumbersNamesAndRecords) {
    struct Case {
        ContestNr nr;
        const char* shortName;
        RecordVariant variant;
        const char* heading;
        int offTime;
    };
    const Case cases[] = {
        {1, "ARRL DX", RecordVariant::QSORec, "Power", 15},
        {2, "CQP", RecordVariant::QSORec, "Exchange", 15},
        {3, "CQWW DX", RecordVariant::QSORec, "  Zone", 15},
        {4, "Sprint ", RecordVariant::QSORecName, "Exchange", 15},
        {5, "SS ", RecordVariant::QSORec, "Exchange", 30},
        {6, "WPX", RecordVariant::QSORec, "Number", 60},
        {7, "AA", RecordVariant::QSORec, "   Age", 15},
        {8, "PAQP", RecordVariant::QSORec, "Exchange", 15},
        {9, "NAQP", RecordVariant::QSORecName, "Exchange", 30},
    };
    for (const Case& c : cases) {
        const auto info = findContest(c.nr);
        ASSERT_TRUE(info) << c.nr;
        EXPECT_EQ(info->nr, c.nr);
        EXPECT_EQ(info->shortName, c.shortName);
        EXPECT_EQ(info->variant, c.variant);
        EXPECT_EQ(info->numberHeading, c.heading);
        EXPECT_EQ(info->offTimeMinutes, c.offTime);
    }
    EXPECT_FALSE(findContest(0));
    EXPECT_FALSE(findContest(10));
    EXPECT_FALSE(findContest(-1));
}

}  // namespace
}  // namespace keslog
