#include <gtest/gtest.h>

#include "model/Stamp.h"

namespace keslog {
namespace {

TEST(DateCode, MonthRaisedByTwentyFromTheYear2000) {
    struct Case {
        int y, m, d, code;
    };
    const Case cases[] = {
        {1999, 11, 4, 11049},  {2001, 11, 4, 31041}, {2001, 2, 17, 22171}, {1999, 12, 31, 12319},
        {2009, 12, 31, 32319}, {1995, 1, 1, 1015},   {2000, 1, 1, 21010},  {2026, 12, 6, 32066},
    };
    for (const Case& c : cases) EXPECT_EQ(dateCode(c.y, c.m, c.d), c.code) << c.y << "-" << c.m;
}

TEST(Stamp, LocalClockCorrectedToGmtThroughTheCalendar) {
    struct Case {
        DateTime clock;
        const char* correction;
        int qdate, qtime;
    };
    const Case cases[] = {
        // 23:30 local, +2 h: 01:30 on the next day.
        {{2026, 11, 4, 23, 30, 0}, "2", dateCode(2026, 11, 5), 130},
        {{2026, 11, 4, 23, 30, 0}, "+2", dateCode(2026, 11, 5), 130},
        // Month and year roll over; the day never reads 32 or 00.
        {{2026, 12, 31, 23, 30, 0}, "2", dateCode(2027, 1, 1), 130},
        {{2026, 1, 31, 23, 59, 0}, "1", dateCode(2026, 2, 1), 59},
        {{2024, 2, 28, 20, 0, 0}, "5", dateCode(2024, 2, 29), 100},  // leap day
        {{2023, 2, 28, 20, 0, 0}, "5", dateCode(2023, 3, 1), 100},
        {{2026, 1, 1, 0, 15, 0}, "-8", dateCode(2025, 12, 31), 1615},  // back a year
        {{2026, 3, 1, 3, 0, 0}, "-5", dateCode(2026, 2, 28), 2200},
        {{1999, 12, 31, 23, 0, 0}, "1", dateCode(2000, 1, 1), 0},  // into the 2000s code
        {{2026, 6, 15, 12, 34, 56}, "0", dateCode(2026, 6, 15), 1234},
        {{2026, 6, 15, 12, 34, 56}, "", dateCode(2026, 6, 15), 1234},  // no number: 0
        {{2026, 6, 15, 20, 0, 0}, "5.5", dateCode(2026, 6, 16), 130},  // half-hour zone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.correction);
        const QsoStamp s = stampQso(c.clock, false, c.correction);
        EXPECT_EQ(s.QDate, c.qdate);
        EXPECT_EQ(s.QTime, c.qtime);
    }
}

TEST(Stamp, GmtClockIsTakenAsItIsAndLocalTimeFromIt) {
    const QsoStamp s = stampQso({2026, 12, 31, 23, 59, 59}, true, "+5");
    EXPECT_EQ(s.QDate, 32316);
    EXPECT_EQ(s.QTime, 2359);
    EXPECT_EQ(localOf({2026, 1, 1, 2, 0, 7}, true, "8"), (DateTime{2025, 12, 31, 18, 0, 7}));
    EXPECT_EQ(localOf({2026, 1, 1, 2, 0, 7}, false, "8"), (DateTime{2026, 1, 1, 2, 0, 7}));
    EXPECT_EQ(clockText({2026, 1, 1, 1, 2, 3}), "01:02:03");
    EXPECT_EQ(clockText({2026, 1, 1, 23, 59, 59}), "23:59:59");
}

}  // namespace
}  // namespace keslog
