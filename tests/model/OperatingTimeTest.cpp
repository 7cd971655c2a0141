#include <gtest/gtest.h>

#include "model/OperatingTime.h"
#include "model/QsoRecord.h"

namespace keslog {
namespace {

constexpr std::int16_t kDay1 = 31041;  // 11-04-2001
constexpr std::int16_t kDay2 = 31051;

TEST(RunningMinute, DayIndexRisesWithEachNewDateUpToEighteenAndNowOnTheLogsScale) {
    OperatingTime time(contest::Cqww);
    EXPECT_EQ(time.add(kDay1, 1234, 3), 12 * 60 + 34);
    EXPECT_EQ(time.add(kDay1, 1300, 3), 780);
    EXPECT_EQ(time.add(kDay2, 5, 3), 1440 + 5);  // past midnight: the next day
    // Any change of date counts one day, even back to an earlier one.
    EXPECT_EQ(time.add(kDay1, 10, 3), 2 * 1440 + 10);
    for (int day = 10; day <= 30; ++day)  // 21 more dates in December
        time.add(static_cast<std::int16_t>(32000 + day * 10 + 1), 0, 3);
    EXPECT_EQ(time.lastMinute(), (kMaxDayIndex - 1) * 1440);
    EXPECT_EQ(time.add(31991, 100, 3), (kMaxDayIndex - 1) * 1440 + 60);

    // Now on the log's scale.
    OperatingTime now(contest::Cqww);
    EXPECT_EQ(now.minuteOfNext(kDay2, 100), 60);  // an empty log: day 1
    now.add(kDay1, 2350, 3);
    EXPECT_EQ(now.minuteOfNext(kDay1, 2359), 23 * 60 + 59);
    EXPECT_EQ(now.minuteOfNext(kDay2, 10), 1440 + 10);
    EXPECT_EQ(now.qsoCount(), 1);  // asking adds nothing
}

struct Qso {
    std::int16_t date, time;
    BandModeCode bandMode;
};

OperatingTime operated(ContestNr nr, std::initializer_list<Qso> qsos) {
    OperatingTime time(nr);
    for (const Qso& q : qsos) time.add(q.date, q.time, q.bandMode);
    return time;
}

TEST(OnTime, GapGoesToTheBandModeOrHalfToEach) {
    const OperatingTime time = operated(contest::Cqww, {{kDay1, 1200, 3},
                                                        {kDay1, 1210, 3},    // 10 on 20 CW
                                                        {kDay1, 1215, 4},    // 2.5 each
                                                        {kDay1, 1216, 4},    // 1 on 40 CW
                                                        {kDay1, 1216, 4}});  // nothing
    EXPECT_FLOAT_EQ(time.onTime(3), 12.5f);
    EXPECT_FLOAT_EQ(time.onTime(4), 3.5f);
    EXPECT_EQ(time.totalMinutes(), 16);
    EXPECT_FLOAT_EQ(time.cwOnTime(), 16.0f);
    EXPECT_FLOAT_EQ(time.phoneOnTime(), 0.0f);
    EXPECT_FLOAT_EQ(time.onTime(0), 0.0f);
    EXPECT_FLOAT_EQ(time.onTime(17), 0.0f);
}

TEST(OnTime, AGapUpToTheThresholdCountsALongerOneIsABreak) {
    struct Case {
        ContestNr nr;
        std::int16_t second;  // time of the second QSO; the first is at 1200
        int total;
    };
    const Case cases[] = {
        {contest::Cqww, 1215, 15},   {contest::Cqww, 1216, 0},   {contest::ArrlDx, 1215, 15},
        {contest::Ss, 1230, 30},     {contest::Ss, 1231, 0},     {contest::Naqp, 1230, 30},
        {contest::Naqp, 1231, 0},    {contest::Wpx, 1300, 60},   {contest::Wpx, 1301, 0},
        {contest::Cqp, 1215, 15},    {contest::Paqp, 1216, 0},   {contest::None, 1216, 0},
        {contest::None, 1215, 15},   {contest::Aa, 1215, 15},    {contest::Aa, 1216, 0},
        {contest::Sprint, 1215, 15}, {contest::Sprint, 1216, 0},
    };
    for (const Case& c : cases) {
        const OperatingTime time = operated(c.nr, {{kDay1, 1200, 3}, {kDay1, c.second, 3}});
        EXPECT_EQ(time.totalMinutes(), c.total) << c.nr << " " << c.second;
        EXPECT_FLOAT_EQ(time.onTime(3), static_cast<float>(c.total)) << c.nr;
    }
}

TEST(OnTime, AcrossMidnightTheGapIsShortAndAClockSetBackTakesNoTimeAway) {
    EXPECT_EQ(operated(contest::Cqww, {{kDay1, 2355, 3}, {kDay2, 5, 3}}).totalMinutes(), 10);
    const OperatingTime time =
        operated(contest::Cqww, {{kDay1, 1200, 3}, {kDay1, 1210, 3}, {kDay1, 1205, 3}});
    EXPECT_EQ(time.totalMinutes(), 10);
    EXPECT_FLOAT_EQ(time.onTime(3), 10.0f);
}

TEST(OnTime, CwAndPhoneTimesOfAMixedLog) {
    // 20 CW -> 20 CW (4), 20 CW -> 20 SSB (6: 3 each), 20 SSB -> 40 SSB (2: 1
    // each), 40 SSB -> 10 CW (10: 5 each).
    const OperatingTime time = operated(contest::Cqp, {{kDay1, 1200, 3},
                                                       {kDay1, 1204, 3},
                                                       {kDay1, 1210, 11},
                                                       {kDay1, 1212, 12},
                                                       {kDay1, 1222, 1}});
    EXPECT_FLOAT_EQ(time.cwOnTime(), 4 + 3 + 5);
    EXPECT_FLOAT_EQ(time.phoneOnTime(), 3 + 2 + 5);
    EXPECT_FLOAT_EQ(time.onTime(3), 4 + 3);
    EXPECT_FLOAT_EQ(time.onTime(11), 3 + 1);
    EXPECT_FLOAT_EQ(time.onTime(12), 1 + 5);
    EXPECT_FLOAT_EQ(time.onTime(1), 5);
    EXPECT_EQ(time.totalMinutes(), 22);
}

TEST(PointValue, DigitOrTenthsForPaqp) {
    const std::tuple<ContestNr, const char*, int> cases[] = {
        {contest::Cqww, "3", 3},  {contest::Wpx, "6", 6},   {contest::Cqww, "", 0},
        {contest::Cqww, "x", 0},  {contest::Paqp, "3", 15}, {contest::Paqp, "2", 20},
        {contest::Paqp, "1", 10},
    };
    for (const auto& [nr, points, value] : cases) {
        QSORec r;
        r.QPoints = points;
        EXPECT_EQ(pointValue(nr, r), value) << nr << " '" << points << "'";
    }
}

}  // namespace
}  // namespace keslog
