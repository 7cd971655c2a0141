#include <gtest/gtest.h>

#include <vector>

#include "stats/QSOStats.h"
#include "stats/StatsFixture.h"

namespace keslog {
namespace {

using namespace test;

// QSO 1 at 11:00, QSOs 2..10 at 12:00 and QSO 11 `span` minutes later: the
// tenth QSO from the end is QSO 2.
void elevenQsos(MainMod& state, int span, const char* call = "DL1ABC") {
    logTimed(state, {{call, 1100}});
    for (int i = 2; i <= 10; ++i) logTimed(state, {{call, 1200}});
    logTimed(state, {{call, 1200 + span}});
}

QSOStatsView refreshed(const MainMod& state, bool live = false, DateTime clock = clockAt(0)) {
    QSOStats stats;
    stats.load(state);
    stats.refresh(state, clock, live);
    return stats.view();
}

TEST(HoursMinutes, TotalRoundedBeforeItIsSplit) {
    const std::pair<double, const char*> cases[] = {
        {0, "--"},         {0.4, "--"},    {0.5, "--"},   {1.5, "0:02"},   {1, "0:01"},
        {59.4, "0:59"},    {59.6, "1:00"}, {60, "1:00"},  {119.5, "2:00"}, {125, "2:05"},
        {600.25, "10:00"}, {2.5, "0:02"},  {3.5, "0:04"},
    };
    for (const auto& [minutes, text] : cases) EXPECT_EQ(hoursMinutesText(minutes), text) << minutes;
}

TEST(PerHour, WholeFiguresDashesWithoutTimeAndCappedAtThreeDigits) {
    const std::tuple<int, double, const char*> cases[] = {
        {1, 1, "60"},   {4, 17.5, "14"}, {1, 0, "--"},  {0, 0, "--"}, {0, 10, "0"},
        {16, 1, "960"}, {17, 1, "999"},  {5, 12, "25"}, {1, 24, "2"},  // 2.5 to the even 2
    };
    for (const auto& [qsos, minutes, text] : cases)
        EXPECT_EQ(perHourText(qsos, minutes), text) << qsos << " in " << minutes;
}

TEST(Last10, RateOverTheSpanToTheTenthQsoFromTheEndRoundedTiesToEven) {
    struct Case {
        ContestNr nr;
        int span;
        const char* call;
        const char* text;
    };
    const Case cases[] = {
        {contest::ArrlDx, 20, "DL1ABC", "Last 10: 30"},
        {contest::Cqww, 20, "DL1ABC", "Last 10: 30/90"},  // ten QSOs of 3 points
        {contest::Cqww, 20, "W1AW", "Last 10: 30/"},      // zero points: written as nothing
        {contest::Cqww, 1, "DL1ABC", "Last 10: 600/1800"},
        {contest::Cqww, 7, "DL1ABC", "Last 10: 86/257"},   // 85.71, 257.14
        {contest::Cqww, 16, "DL1ABC", "Last 10: 38/112"},  // 37.5, 112.5
        {contest::Cqww, 48, "DL1ABC", "Last 10: 12/38"},   // 12.5, 37.5
        {contest::Paqp, 20, "W1AW", "Last 10: 30/45"},     // CW on 20 m: 1.5 points each
    };
    for (const Case& c : cases) {
        MainMod state = gmtLog(c.nr, true, {.usa = c.nr == contest::Cqww});
        elevenQsos(state, c.span, c.call);
        EXPECT_EQ(refreshed(state).Last10Label.text, c.text) << c.nr << " " << c.span;
    }
}

TEST(Last10, NeedsElevenQsosAndASpanOfAMinute) {
    MainMod state = gmtLog(contest::ArrlDx);
    logTimed(state, {{"DL1ABC", 1100}});
    for (int i = 2; i <= 10; ++i) logTimed(state, {{"DL1ABC", 1200}});
    QSOStats stats;
    stats.load(state);
    stats.refresh(state, clockAt(0), false);
    EXPECT_EQ(stats.view().Last10Label.text, "Last 10:");  // ten QSOs

    logTimed(state, {{"DL1ABC", 1220}});
    stats.refresh(state, clockAt(0), false);
    EXPECT_EQ(stats.view().Last10Label.text, "Last 10: 30");

    // Ten more in the same minute: no span, the line stays as it was.
    for (int i = 0; i < 10; ++i) logTimed(state, {{"DL1ABC", 1220}});
    stats.refresh(state, clockAt(0), false);
    EXPECT_EQ(stats.view().Last10Label.text, "Last 10: 30");
}

TEST(LastHour, CountsFromTheFirstQsoOfTheHourBefore) {
    struct Case {
        std::vector<int> times;  // the last one is the reference
        const char* text;
    };
    const Case cases[] = {
        // The hour begins at 11:30, where three QSOs share the minute: all count.
        {{1100, 1130, 1130, 1130, 1145, 1200, 1230}, "Last Hr: 6"},
        // It begins exactly at the first QSO.
        {{1130, 1131, 1200, 1230}, "Last Hr: 4"},
        // Between two QSOs: from the first one after it.
        {{1100, 1125, 1135, 1230}, "Last Hr: 2"},
        {{1100, 1129, 1131, 1132, 1133, 1134, 1135, 1136, 1230}, "Last Hr: 7"},
        // The log is younger than an hour: the line stays as it was.
        {{1131, 1200, 1230}, "Last hr:"},
    };
    for (const Case& c : cases) {
        MainMod state = gmtLog(contest::ArrlDx);
        for (int t : c.times) logTimed(state, {{"DL1ABC", t}});
        EXPECT_EQ(refreshed(state).LastHrLabel.text, c.text) << c.times.size();
    }
}

TEST(LastHour, PointFigureIsTheSumOverTheHourAndZeroIsNothing) {
    MainMod state = gmtLog(contest::Cqww, true, {.usa = true});
    logTimed(state, {{"DL1ABC", 1100}, {"W1AW", 1140}, {"DL1ABC", 1150}, {"VE3AB", 1200}});
    // 11:00 lies exactly an hour back: 3 + 0 + 3 + 2 points.
    EXPECT_EQ(refreshed(state).LastHrLabel.text, "Last Hr: 4/8");

    // A USA station working USA stations in CQWW scores nothing, written as
    // nothing.
    MainMod usa = gmtLog(contest::Cqww, true, {.usa = true});
    elevenQsos(usa, 20, "W1AW");
    EXPECT_EQ(refreshed(usa).LastHrLabel.text, "Last Hr: 10/");
}

TEST(Overall, CutToAWholeNumberAndOnlyWithOperatingTime) {
    MainMod state = gmtLog(contest::Cqww, true, {.usa = true});
    logTimed(state, {{"DL1ABC", 1200}, {"DL1ABC", 1200}});
    EXPECT_EQ(refreshed(state).OverallLabel.text, "Overall:");  // no time yet

    for (int hhmm : {1201, 1203, 1206, 1208, 1209}) logTimed(state, {{"DL1ABC", hhmm}});
    // 7 QSOs and 21 points over 9 minutes: 46.67 and 140 per hour.
    EXPECT_EQ(refreshed(state).OverallLabel.text, "Overall: 46/140");
}

TEST(Reference, TheClockCountsUntilTheGapIsOffTime) {
    struct Case {
        ContestNr nr;
        int clock;  // the last QSO is at 12:10, QSO 2 at 12:00
        int last10;
    };
    const Case cases[] = {
        {contest::ArrlDx, 1210, 60}, {contest::ArrlDx, 1214, 43},  // 600 / 14
        {contest::ArrlDx, 1224, 25}, {contest::ArrlDx, 1225, 60},  // 15: a break
        {contest::Ss, 1239, 15},     {contest::Ss, 1240, 60},      // 600 / 39
        {contest::Naqp, 1239, 15},   {contest::Naqp, 1240, 60},
        {contest::Wpx, 1309, 9},     {contest::Wpx, 1310, 60},  // 600 / 69
        {contest::Sprint, 1224, 25}, {contest::Cqp, 1225, 60},
        {contest::ArrlDx, 1205, 60},  // a clock behind the log
    };
    for (const Case& c : cases) {
        MainMod state = gmtLog(c.nr, true, {.usa = true});
        elevenQsos(state, 10, "W1AW");
        const std::string text = refreshed(state, true, clockAt(c.clock)).Last10Label.text;
        const std::string expected = "Last 10: " + std::to_string(c.last10);
        EXPECT_EQ(text.substr(0, text.find('/')), expected) << c.nr << " at " << c.clock;
        // Not live, the last QSO is the reference whatever the clock says.
        const std::string still = refreshed(state, false, clockAt(c.clock)).Last10Label.text;
        EXPECT_EQ(still.substr(0, still.find('/')), "Last 10: 60");
    }
}

TEST(Reference, LocalClockCorrectedAndTheNextDay) {
    MainMod state = gmtLog(contest::ArrlDx);
    state.settings.IsGMTFlag = "False";
    state.settings.TimeCorrection = "+5";
    elevenQsos(state, 10);
    EXPECT_EQ(refreshed(state, true, clockAt(714)).Last10Label.text, "Last 10: 43");

    MainMod late = gmtLog(contest::ArrlDx);
    logTimed(late, {{"DL1ABC", 2300}});
    for (int i = 2; i <= 10; ++i) logTimed(late, {{"DL1ABC", 2340}});
    logTimed(late, {{"DL1ABC", 2355}});
    // 00:04 on the next day is 24 minutes after QSO 2: 25 per hour.
    EXPECT_EQ(refreshed(late, true, clockAt(4, 5)).Last10Label.text, "Last 10: 25");
}

TEST(Times, BandModeChangesSplitTheGapAndHoursTakeTwoDigits) {
    MainMod state = gmtLog(contest::ArrlDx);
    logTimed(state, {{"DL1ABC", 1200, 3}, {"DL1ABC", 1210, 4}, {"G3ABC", 1214, 4}});
    const QSOStatsView view = refreshed(state);
    EXPECT_EQ(view.OnTimeLabel.text, "     Total: 00:14");
    EXPECT_EQ(view.OnBandTimeLabel.text, "On Band: 0:09");  // 40 m: 5 + 4
    EXPECT_EQ(view.BMTotal[2].text, "20m\n1\n0:05\n12\n1");
    EXPECT_EQ(view.BMTotal[3].text, "40m\n2\n0:09\n13\n2");
    EXPECT_EQ(view.LabelAll.text, "All\n3\n0:14\n13\n3");

    MainMod wpx = gmtLog(contest::Wpx, true, {.usa = true});
    int t = 0;
    logTimed(wpx, {{"DL1ABC", 0}});
    // 13 QSOs an hour apart on the WPX threshold: 12 hours of operating.
    for (int i = 0; i < 12; ++i) logTimed(wpx, {{"DL1ABC", t += 100}});
    logTimed(wpx, {{"DL1ABC", 1205}});
    EXPECT_EQ(refreshed(wpx).OnTimeLabel.text, "     Total: 12:05");
}

TEST(Bands, ColumnFiguresWorkedOutByHandAndAnAverageOfNothingIsFourDashes) {
    MainMod state = gmtLog(contest::Cqww, true, {.usa = true});
    logTimed(state, {{"DL1ABC", 1200, 3, nullptr, kDay1, {}, 14},
                     {"G3ABC", 1205, 3, nullptr, kDay1, {}, 14},
                     {"W1AW", 1210, 3, nullptr, kDay1, {}, 5},
                     {"KH6XX", 1215, 3, nullptr, kDay1, {}, 31},
                     {"JA1XYZ", 1220, 4, nullptr, kDay1, {}, 25}});
    const QSOStatsView view = refreshed(state);
    // 20 m: 15 + 2.5 minutes, 9 points, countries DL G K KH6, zones 14 5 31.
    EXPECT_EQ(view.BMTotal[2].text, "20m\n4\n9\n2.25\n14\n31\n4\n3");
    EXPECT_EQ(view.BMTotal[3].text, "40m\n1\n3\n3.00\n24\n72\n1\n1");
    // Pts/Q, the third figure, is an average as the summary sheet writes it:
    // no QSOs, or no points, is four dashes.
    EXPECT_EQ(view.BMTotal[0].text, "10m\n--\n--\n----\n--\n--\n--\n--");
    EXPECT_EQ(view.LabelAll.text, "All\n5\n12\n2.40\n15\n36\n5\n4");
    MainMod usa = gmtLog(contest::Cqww, true, {.usa = true});
    logTimed(usa, {{"W1AW", 1200, 2, nullptr, kDay1, {}, 5}});  // no points from the USA
    const std::string column = refreshed(usa).BMTotal[1].text;
    std::size_t at = 0;
    for (int line = 0; line < 3; ++line) at = column.find('\n', at) + 1;
    EXPECT_EQ(column.substr(at, column.find('\n', at) - at), "----");

    // One QSO in one minute is sixty an hour.
    MainMod arrl = gmtLog(contest::ArrlDx);
    logTimed(arrl, {{"DL1ABC", 1200, 2}, {"G3ABC", 1202, 3}});
    const QSOStatsView two = refreshed(arrl);
    EXPECT_EQ(two.BMTotal[1].text, "15m\n1\n0:01\n60\n1");
    EXPECT_EQ(two.BMTotal[2].text, "20m\n1\n0:01\n60\n1");
    EXPECT_EQ(two.BMTotal[3].text, "40m\n--\n--\n--\n--");

    // PAQP points in tenths: CW on 80 m scores two points, and the rate says so.
    MainMod low = gmtLog(contest::Paqp);
    logTimed(low, {{"W1AW", 1200, 5, nullptr, kDay1, mult("ADA")},
                   {"K2XX", 1210, 5, nullptr, kDay1, mult("ALL")}});
    EXPECT_EQ(refreshed(low).BMTotal[4].text, "80m\n0/2\n2\n12\n24\n2");
}

TEST(Bands, MixedLogsShowPhoneAndCw) {
    MainMod state = gmtLog(contest::Cqp);
    logTimed(state, {{"W1AW", 1200, 3, nullptr, kDay1, mult("ALAM")},
                     {"K2XX", 1210, 11, nullptr, kDay1, mult("ALAM")},
                     {"N3YY", 1212, 12, nullptr, kDay1, mult("ALPI")}});
    const QSOStatsView view = refreshed(state);
    EXPECT_EQ(view.BMTotal[2].text, "20m\n1/1\n2\n11\n27\n1");
    EXPECT_EQ(view.BMTotal[3].text, "40m\n1/0\n1\n60\n120\n1");
    EXPECT_EQ(view.LabelAll.text, "All\n2/1\n3\n15\n35\n2");
    EXPECT_EQ(view.OnBandTimeLabel.text, "Band-Mode: 0:01");
    EXPECT_EQ(view.Label1.text, "SSB/CW: 0:07/0:05");
    EXPECT_EQ(view.OverallLabel.text, "Overall: 15/35");
}

TEST(Wpx, OwnCountryAndDxCounts) {
    struct Case {
        Location where;
        const char* ownCall;
        const char* own;
        const char* dx;
    };
    const Case cases[] = {
        {{.usa = true}, "", "USA: 2", "DX: 2"},
        {{.canada = true}, "", "CAN: 1", "DX: 3"},
        {{.continent = "EU"}, "DL1XYZ", "Germany   : 1", "DX: 3"},
    };
    for (const Case& c : cases) {
        MainMod state = gmtLog(contest::Wpx, true, c.where);
        state.settings.YourCall = c.ownCall;
        logTimed(state, {{"W1AW", 1200}, {"K2XX", 1201}, {"VE3AB", 1202}, {"DK1AA", 1203}});
        const QSOStatsView view = refreshed(state);
        EXPECT_EQ(view.Label2.text, c.own);
        EXPECT_EQ(view.Label3.text, c.dx);
        EXPECT_EQ(view.Label4.text, "QSOs with");
    }
}

TEST(Layout, BandColumnsAndRatesByContestWithNothingOverlapping) {
    const struct {
        ContestNr nr;
        const char* shown;  // the band columns, 10 m to 2 m
        const char* rates;
    } cases[] = {
        {contest::ArrlDx, "11111100", "Q's per Hr"},
        {contest::Sprint, "00111000", "Q's per Hr"},
        {contest::Cqp, "11111111", "Qs/Pts per Hour"},
        {contest::Cqww, "11111100", "Qs/Pts per Hour"},
        {contest::Wpx, "11111100", "Qs/Pts per Hour"},
        {contest::Naqp, "11111100", "Q's per Hr"},
    };
    for (const auto& c : cases) {
        QSOStats stats;
        stats.load(gmtLog(c.nr));
        const QSOStatsView& v = stats.view();
        std::string shown;
        for (const StatsLabel& column : v.BMTotal) shown += column.visible ? '1' : '0';
        EXPECT_EQ(shown, c.shown) << c.nr;
        for (std::size_t b = 1; b < v.BMTotal.size(); ++b)  // left to right from 10 m
            EXPECT_TRUE(!v.BMTotal[b].visible || v.BMTotal[b].left > v.BMTotal[b - 1].left) << c.nr;
        EXPECT_EQ(v.RatesLabel.text, c.rates);
        EXPECT_EQ(v.Label1.visible, c.nr == contest::Cqp);
        EXPECT_EQ(v.Label4.visible, c.nr == contest::Wpx);
        EXPECT_LT(v.OverallLabel.top + v.lineHeight, v.graphTop);
        EXPECT_LE(v.graphTop + v.graphHeight, v.height);
    }

    // Headings and empty columns.
    QSOStats stats;
    stats.load(gmtLog(contest::ArrlDx));
    EXPECT_EQ(stats.view().Modelabel.text, "\nQSOs:\nHours:\n Qs/Hr:\nMults:");
    EXPECT_EQ(stats.view().BMTotal[5].text, "160\n--\n--\n--\n--");
    EXPECT_EQ(stats.view().LabelAll.text, "All\n--\n--\n--\n--");
    EXPECT_EQ(stats.view().Last10Label.text, "Last 10:");
    EXPECT_EQ(stats.view().OnBandTimeLabel.text, "On Band:");

    stats.load(gmtLog(contest::Cqww));
    EXPECT_EQ(stats.view().Modelabel.text,
              "\nQSOs:\nPts:\n Pts/Q:\n Qs/Hr:\nPts/Hr:\nCties:\nZones:");
    stats.load(gmtLog(contest::Paqp));
    EXPECT_EQ(stats.view().Modelabel.text, "\nSSB/CW\nQSOs:\n Qs/Hr:\n Pts/Hr:\nMults");
    EXPECT_EQ(stats.view().LabelAll.left, 1050);
    stats.load(gmtLog(contest::Aa));
    EXPECT_EQ(stats.view().Modelabel.text, "\nQSOs:\nPts:\n Pts/Q:\n Qs/Hr:\nPts/Hr:\nPfxs:");
}

TEST(Graph, QsosPerClockHourByBand) {
    MainMod state = gmtLog(contest::ArrlDx);
    logTimed(state,
             {{"DL1ABC", 1150, 3}, {"DL1ABC", 1210, 4}, {"DL1ABC", 1215, 4}, {"DL1ABC", 1405, 3}});
    const QSOStatsView view = refreshed(state);
    EXPECT_EQ(view.firstHour, 11);
    ASSERT_EQ(view.hourlyQsos.size(), 4u);
    EXPECT_EQ(view.hourlyQsos[0][band::B20], 1);
    EXPECT_EQ(view.hourlyQsos[1][band::B40], 2);
    EXPECT_EQ(view.hourlyQsos[2], HourQsos{});
    EXPECT_EQ(view.hourlyQsos[3][band::B20], 1);
}

TEST(Incremental, QsoByQsoAgreesWithAFreshCount) {
    MainMod state = gmtLog(contest::Cqww, true, {.usa = true});
    const char* calls[] = {"DL1ABC", "W1AW", "G3ABC", "JA1XYZ", "VE3AB", "KH6XX", "PY1AA"};
    QSOStats stats;
    stats.load(state);
    int minute = 600;
    for (int i = 0; i < 150; ++i) {
        minute += (i * 7) % 23 == 0 ? 40 : (i * 5) % 4;
        const int hhmm = (minute / 60 % 24) * 100 + minute % 60;
        const std::int16_t day = minute < 1440 ? kDay1 : kDay2;
        logTimed(state, {{calls[i % 7], hhmm, 1 + (i * 3) % 6, nullptr, day, {}, 1 + i % 40}});
        stats.refresh(state, clockAt(0), false);
    }
    EXPECT_EQ(stats.view(), refreshed(state));

    // Kill Last Entry: the counts start again from the log.
    removeLastQso(state);
    stats.refresh(state, clockAt(0), false);
    EXPECT_EQ(stats.view(), refreshed(state));
    EXPECT_EQ(stats.counts().count(), 149);
}

}  // namespace
}  // namespace keslog
