// Edge cases of the summary sheet, the hourly break-down sheet and the log
// listing: per-contest marks, empty logs, breaks, hours outside the sheet
// and numbers wider than their columns.
#include <gtest/gtest.h>

#include <algorithm>

#include "PostRig.h"
#include "postcontest/Breakdown.h"
#include "postcontest/Listing.h"
#include "postcontest/Summary.h"

namespace keslog {
namespace {

using test::at;
using test::postQso;

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string hhmm(int minutes) {
    const int value = minutes / 60 * 100 + minutes % 60;
    std::string text = std::to_string(value);
    return std::string(4 - text.size(), '0') + text;
}

TEST(Sheets, OffTimeThresholdOfEachContest) {
    const struct {
        ContestNr contest;
        int threshold;
        const char* operatingTime;
    } cases[] = {{contest::Wpx, 60, "1:00"},   {contest::Ss, 30, ":30"},
                 {contest::Naqp, 30, ":30"},   {contest::Cqww, 15, ":15"},
                 {contest::ArrlDx, 15, ":15"}, {contest::Cqp, 15, ":15"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contest);
        test::PostRig rig;
        const int start = 600;
        // A gap of exactly the threshold is operating time; one minute more
        // is a break, marked on the QSO after it.
        const int times[] = {start, start + c.threshold, start + 2 * c.threshold + 1};
        std::vector<QSORecName> qsos;
        for (int i = 0; i < 3; ++i)
            qsos.push_back(at(postQso("K" + std::to_string(i) + "AA", 3, i + 1, 1, " 1", "1"),
                              31041, static_cast<std::int16_t>(std::stoi(hhmm(times[i])))));
        const RescoredLog log = rig.rescore("EDGE.KSL", c.contest, true, qsos);
        const std::vector<std::string> lines = listingLines(rig.state, log);
        ASSERT_EQ(lines.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const std::string mark =
                i == 2 ? " *ON " + hhmm(times[i]) + "* " : "     " + hhmm(times[i]) + "  ";
            EXPECT_NE(lines[static_cast<std::size_t>(i)].find(mark), std::string::npos)
                << lines[static_cast<std::size_t>(i)];
        }
        EXPECT_TRUE(contains(
            summaryLines(rig.state, log),
            "Operating Time =  " + std::string(c.operatingTime) + " (off times shown in log)"));
    }
}

TEST(Breakdown, HourRowsOfEachContest) {
    const struct {
        ContestNr contest;
        int minute;
        int row;
    } cases[] = {
        {contest::Cqp, 959, 1},  // 15:59 before the start: never below row 1
        {contest::Cqp, 960, 1},
        {contest::Cqp, 1019, 1},
        {contest::Cqp, 1020, 2},
        {contest::Paqp, 960 + 29 * 60, 30},
        {contest::Paqp, 960 + 40 * 60, 30},  // after the last hour: the last row
        {contest::Ss, 1260, 1},
        {contest::Ss, 1440, 4},
        {contest::Naqp, 1080 + 11 * 60, 12},
        {contest::Naqp, 1080 + 13 * 60, 12},
        {contest::Sprint, 0, 1},
        {contest::Sprint, 239, 4},
        {contest::Sprint, 300, 4},
        {contest::Wpx, 2879, 48},
        {contest::Wpx, 5000, 48},
        {contest::ArrlDx, -30, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hourRowOf(hourRowsOf(c.contest), c.minute), c.row)
            << c.contest << " " << c.minute;
    EXPECT_EQ(hourRowsOf(contest::Sprint).rows, 4);
    EXPECT_EQ(hourRowsOf(contest::Aa).rows, 48);
}

TEST(Breakdown, QsosAfterTheLastHourStayInTheTable) {
    test::PostRig rig;
    // NAQP prints 18:00 to 05:59; the second QSO is at 08:00 next day.
    const RescoredLog log =
        rig.rescore("EDGE.KSL", contest::Naqp, false,
                    {at(postQso("N6TR", 11, 1, 0, "27", "1", "TREE"), 31041, 1805),
                     at(postQso("K1ZZ", 11, 2, 0, " 1", "1", "DAVE"), 31051, 800)});
    const std::vector<std::string> sheet = breakdownLines(rig.state, log);
    ASSERT_GE(sheet.size(), 18u);
    EXPECT_EQ(sheet[4], "18     --    --     1    --     --    --     1      1         1");
    EXPECT_EQ(sheet[15], " 5     --    --     1    --     --    --     1      2         1");
    EXPECT_EQ(sheet[17], "Tot    --    --     2    --     --    --     2                2");
}

// A re-scored CW log made up by hand, for numbers no small log reaches:
// all QSOs on one band.
RescoredLog handScored(int qsos, int points, int mults, std::int32_t score, int bandIndex,
                       BandModeCode bandMode) {
    RescoredLog log;
    log.cwFlag = true;
    log.qsoCount = qsos;
    log.qsoPoints = points;
    log.multCount = mults;
    log.claimedScore = score;
    log.qsosPerBand[bandIndex] = qsos;
    log.qsosPerBandMode[bandMode] = qsos;
    log.pointsPerBand[bandIndex] = points;
    return log;
}

TEST(Summary, WideNumbersKeepEveryDigit) {
    MainMod state;
    state.contestNr = contest::Wpx;
    RescoredLog log = handScored(4000, 12000, 900, 10'800'000, band::B20, 3);
    log.multsPerBand[band::B20] = 900;
    const std::vector<std::string> lines = summaryLines(state, log);
    ASSERT_GE(lines.size(), 38u);
    EXPECT_EQ(lines[30], "    20       4000       4000      12000     3.00      900");
    EXPECT_EQ(lines[36], "   Totals    4000       4000      12000     3.00      900");
    EXPECT_EQ(lines[38], "Final Score =  10,800,000");
}

TEST(Summary, CqwwCountsCountriesAndZones) {
    MainMod state;
    state.contestNr = contest::Cqww;
    state.totals.countriesPerBand = {10, 20, 30, 0, 0, 0};
    state.totals.zonesPerBand = {5, 10, 15, 0, 0, 0};
    const std::vector<std::string> lines =
        summaryLines(state, handScored(100, 300, 90, 27000, band::B10, 1));
    ASSERT_GE(lines.size(), 40u);
    EXPECT_EQ(lines[6], "                    CQ WW DX Contest  Summary Sheet");
    EXPECT_EQ(lines[25], "    Band    Raw QSOs  Valid QSOs  QSO Pts   Pts/Q    Cties  Zones");
    EXPECT_EQ(lines[28], "    10        100        100        300     3.00       10      5");
    EXPECT_EQ(lines[29], "    15         --         --         --     ----       20     10");
    EXPECT_EQ(lines[36], "   Totals     100        100        300     3.00       60     30");
    EXPECT_EQ(lines[38], "Total Multiplier:  90");
    EXPECT_EQ(lines[39], "Final Score =  27,000");
}

TEST(Summary, ContestDateOfEachCentury) {
    test::PostRig rig;
    const std::pair<std::int16_t, const char*> cases[] = {{11049, "11/04/99"}, {21153, "01/15/23"}};
    for (const auto& [date, text] : cases) {
        const RescoredLog log = rig.rescore(std::to_string(date) + ".KSL", contest::Cqww, true,
                                            {at(postQso("DL1ABC", 3, 1, 14, "DL", "3"), date, 5)});
        EXPECT_EQ(contestDateText(rig.state, log), text);
    }
}

}  // namespace
}  // namespace keslog
