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

struct ListingCase {
    const char* name;
    ContestNr contest;
    std::vector<QSORecName> qsos;
    std::vector<std::string> lines;
};

TEST(Listing, NewMultiplierMarksOfEachKind) {
    const std::vector<ListingCase> cases{
        // Prefixes per HF band; 6 m (and a band-mode no band has) keep no
        // per-band list and are listed as 6 m CW without a mark.
        {"AllAsian",
         contest::Aa,
         {postQso("JA1ABC", 3, 1, 60, "JA1", "1"), postQso("JA1XYZ", 2, 2, 55, "JA1", "1"),
          postQso("JA1QQQ", 3, 3, 40, "JA1", "1"), postQso("JA2AA", 7, 4, 33, "JA2", "0"),
          postQso("JA3BB", 0, 5, 33, "JA3", "0"), postQso("JA4CC", 1, 6, 30, "JA4", "1")},
         {"11/04/21 20  CW      1234  JA1ABC     599  45 599   60    JA1   1",
          "11/04/21 15  CW      1234  JA1XYZ     599  45 599   55    JA1   1",
          "11/04/21 20  CW      1234  JA1QQQ     599  45 599   40          1",
          "11/04/21 6m  CW      1234  JA2AA      599  45 599   33          0",
          "11/04/21 6m  CW      1234  JA3BB      599  45 599   33          0",
          "11/04/21 10  CW      1234  JA4CC      599  45 599   30    JA4   1"}},
        // A stored "3" is a CW QSO of 1.5 points.
        {"Paqp",
         contest::Paqp,
         {postQso("K3ABC", 3, 1, 4, "61", "3"), postQso("W3XYZ", 12, 2, 9, "61", "1")},
         {"11/04/21 20  CW      1234  K3ABC         1 CA     4   VEN   01  1.5",
          "11/04/21 40  SSB     1234  W3XYZ         2 CA     9   VEN       1"}},
        // Countries and zones are new per band; the USA counts in CQWW.
        {"Cqww",
         contest::Cqww,
         {postQso("DL1ABC", 3, 1, 14, "DL", "3"), postQso("DL2ABC", 2, 2, 14, "DL", "3"),
          postQso("DL3ABC", 3, 3, 14, "DL", "3"), postQso("K1AR", 3, 4, 5, "K", "0")},
         {"11/04/21 20  CW      1234  DL1ABC     599 3  599  14    DL    14 3",
          "11/04/21 15  CW      1234  DL2ABC     599 3  599  14    DL    14 3",
          "11/04/21 20  CW      1234  DL3ABC     599 3  599  14             3",
          "11/04/21 20  CW      1234  K1AR       599 3  599   5    K     05 0"}},
        // The third section of the log is "03"; a repeated one is not marked.
        {"Ss",
         contest::Ss,
         {postQso("W1AW", 3, 1, 10, "B88EM", "2"), postQso("K1ZZ", 4, 2, 2, "Q01CT", "2"),
          postQso("N6RO", 3, 3, 300, "A99SV", "2"), postQso("W1XX", 3, 4, 11, "B77EM", "2")},
         {"20  CW  11/04/21     1234     1 A K6XX 72 SV    10  B   W1AW       88   EMA 01  2",
          "40  CW  11/04/21     1234     2 A K6XX 72 SV     2  Q   K1ZZ       01   CT  02  2",
          "20  CW  11/04/21     1234     3 A K6XX 72 SV   300  A   N6RO       99   SV  03  2",
          "20  CW  11/04/21     1234     4 A K6XX 72 SV    11  B   W1XX       77   EMA     2"}},
    };
    for (const ListingCase& c : cases) {
        SCOPED_TRACE(c.name);
        test::PostRig rig;
        const RescoredLog log = rig.rescore("EDGE.KSL", c.contest, true, c.qsos);
        EXPECT_EQ(listingLines(rig.state, log), c.lines);
    }
}

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

TEST(Sheets, EmptyLogDividesByNothing) {
    test::PostRig rig;
    const RescoredLog log = rig.rescore("EDGE.KSL", contest::Wpx, true, {});
    EXPECT_TRUE(listingLines(rig.state, log).empty());

    const std::vector<std::string> summary = summaryLines(rig.state, log);
    EXPECT_TRUE(contains(summary, "    Contest Date : "));
    EXPECT_TRUE(contains(summary, "    10         --         --         --     ----       --"));
    EXPECT_TRUE(contains(summary, "   Totals      --         --         --     ----       --"));
    EXPECT_TRUE(contains(summary, "Final Score =  0"));
    EXPECT_TRUE(contains(summary, "Operating Time =  :00 (off times shown in log)"));

    const std::vector<std::string> sheet = breakdownLines(rig.state, log);
    EXPECT_TRUE(contains(
        sheet, "23     --    --    --    --     --    --    --     --      --       --    --"));
    EXPECT_TRUE(contains(
        sheet, "Tot    --    --    --    --     --    --    --             --       --    --"));
    EXPECT_TRUE(contains(sheet, "Hrs    --    --    --    --     --    --         --"));
    EXPECT_TRUE(contains(sheet, "Q/H    --    --    --    --     --    --         --"));
    EXPECT_TRUE(contains(sheet, "US   0    0    0    0    0    0    0      (----%)"));
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

// The lines from "QSOs per Multiplier" to the end of a sheet.
std::vector<std::string> multiplierTable(const std::vector<std::string>& sheet) {
    const auto heading =
        std::find(sheet.begin(), sheet.end(), std::string(15, ' ') + "QSOs per Multiplier");
    return {heading, sheet.end()};
}

TEST(Breakdown, QsosPerMultiplier) {
    test::PostRig ss;
    const std::vector<std::string> sections = multiplierTable(breakdownLines(
        ss.state,
        ss.rescore("EDGE.KSL", contest::Ss, true,
                   {postQso("W1AW", 3, 1, 10, "B88EM", "2"), postQso("K1ZZ", 4, 2, 2, "Q01CT", "2"),
                    postQso("W1XX", 3, 3, 11, "B77EM", "2")})));
    ASSERT_EQ(sections.size(), 82u);  // heading, empty line, 80 sections
    EXPECT_EQ(sections[2], "CT    :   1");
    EXPECT_EQ(sections[3], "EMA   :   2");
    EXPECT_EQ(sections[81], "NT    :   0");

    // Inside California the states are counted by number; a county (or
    // anything else that is no number) is "Other".
    test::PostRig cqp;
    const std::vector<std::string> states = multiplierTable(breakdownLines(
        cqp.state,
        cqp.rescore("EDGE.KSL", contest::Cqp, true,
                    {postQso("K1AR", 3, 1, 1, " 2", "3"), postQso("N6AB", 3, 2, 2, "ALAM", "3"),
                     postQso("W6CD", 3, 3, 3, "SDIE", "3")},
                    true)));
    ASSERT_EQ(states.size(), 61u);  // heading, empty line, 58 entries, Other
    EXPECT_EQ(states[2], "AK    :   0");
    EXPECT_EQ(states[3], "AL    :   1");
    EXPECT_EQ(states[6], "CA    :   0");
    EXPECT_EQ(states[60], "Other:  2");
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

TEST(Summary, PaqpHalfPointsAndSprintBands) {
    test::PostRig rig;
    // Three CW QSOs are 4.5 points: 4 on the band row (to even), 4.5 in
    // the totals; 6.5 points times one county score an even 6.
    const RescoredLog paqp =
        rig.rescore("EDGE.KSL", contest::Paqp, true,
                    {postQso("K3AA", 3, 1, 1, "61", "3"), postQso("K3BB", 3, 2, 1, "61", "3"),
                     postQso("K3CC", 3, 3, 1, "61", "3"), postQso("K3DD", 11, 4, 1, "61", "1"),
                     postQso("K3EE", 11, 5, 1, "61", "1")});
    const std::vector<std::string> lines = summaryLines(rig.state, paqp);
    EXPECT_TRUE(contains(lines, "    20          3/2      5        4/2        6       1"));
    EXPECT_TRUE(contains(lines, "   Totals       3/2        5    4.5/2        6       1"));
    EXPECT_TRUE(contains(lines, "Final Score =  6"));
    EXPECT_FALSE(std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
        return l.starts_with("            Mode");
    }));

    test::PostRig sprintRig;
    const RescoredLog sprint = sprintRig.rescore("EDGE.KSL", contest::Sprint, true, {});
    const std::vector<std::string> sprintLines = summaryLines(sprintRig.state, sprint);
    ASSERT_GE(sprintLines.size(), 34u);
    EXPECT_EQ(sprintLines[6], "                    NCJ Sprint Summary Sheet");
    EXPECT_EQ(sprintLines[28].substr(0, 6), "    20");
    EXPECT_EQ(sprintLines[29].substr(0, 6), "    40");
    EXPECT_EQ(sprintLines[30].substr(0, 6), "    80");
    EXPECT_EQ(sprintLines[31], "");
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
