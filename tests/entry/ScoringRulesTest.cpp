#include "EntryFixture.h"
#include "entry/MultRows.h"

namespace keslog::test {
namespace {

using namespace bm;

TEST(ScoreLabel, CommasForFourToSevenDigits) {
    const std::pair<int, const char*> cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {65432, "65,432"},
        {123456, "123,456"},
        {1234567, "1,234,567"},
        {12345678, "12345678"},
    };
    for (const auto& [score, text] : cases) EXPECT_EQ(scoreText(score), text);
}

// PAQP holds points in tenths; the score rounds a half to the even number.
TEST(PaqpScore, TenthsRoundHalfToEvenTenQsosOfAPointAndAHalfScore45) {
    MainMod state = newLog(contest::Paqp);
    logQsos(state, {{"W3AAA", CW20, 1, " 2", "3", 1, mult("ALL")}});
    EXPECT_EQ(pointsText(state), "1.5");  // x 1 county: 2
    EXPECT_EQ(state.totals.score, 2);
    logQsos(state, {{"W3AAA", PH20, 2, " 2", "1", 0, mult("ALL")}});  // another mode
    EXPECT_EQ(pointsText(state), "2.5");
    EXPECT_EQ(state.totals.score, 2);
    logQsos(state, {{"W3BBB", CW20, 3, " 1", "3", 1, mult("ADA")},
                    {"W3CCC", CW20, 4, " 67", "3", 1, mult("YORK")}});
    EXPECT_EQ(pointsText(state), "5.5");  // x 3 counties = 16.5: 16
    EXPECT_EQ(state.totals.score, 16);

    // Ten CW QSOs on 20 m with three counties score 45.
    MainMod ten = newLog(contest::Paqp);
    const std::array<std::string, 3> counties{"ALL", "ADA", "BER"};
    for (int n = 0; n < 10; ++n) {
        QSORecName q;
        q.QCall = "W3A" + std::string(1, static_cast<char>('A' + n));
        q.QBandMode = CW20;
        setMultAndPoints(ten, q, mult(counties[static_cast<std::size_t>(n % 3)]), false);
        ASSERT_TRUE(addLoggedQso(ten, q).isOk());
    }
    EXPECT_EQ(ten.totals.qsoPoints, 150);
    EXPECT_EQ(ten.totals.score, 45);
}

TEST(StoredRowNumber, OnlyDigitsInsideTheTable) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases{
        {" 12  ", 12},           {"12   ", 12},           {" 1   ", 1},
        {" 72  ", 72},           {" 73  ", std::nullopt}, {" 0   ", std::nullopt},
        {"  12 ", std::nullopt}, {"-3   ", std::nullopt}, {" 1.5 ", std::nullopt},
        {" 12A ", std::nullopt}, {"     ", std::nullopt}, {"99999", std::nullopt},
        {"CA   ", std::nullopt}, {"#12  ", std::nullopt},
    };
    for (const auto& [qmult, row] : cases) EXPECT_EQ(storedRowNumber(qmult, 72), row) << qmult;
}

// Records a reader may meet in a damaged or foreign file: the replay counts
// what it can and never reaches outside a table.
TEST(Replay, DamagedRecordsMarkNothingOutsideTheTables) {
    struct Case {
        ContestNr contest;
        std::string qmult;
        int bandMode, rcvd;
    };
    const std::vector<Case> cases{
        {contest::Naqp, " 99", CW20, 0}, {contest::Naqp, " 5", 0, 0},
        {contest::Naqp, " 5", 99, 0},    {contest::Naqp, " 5", -7, 0},
        {contest::Paqp, " 68", CW20, 0}, {contest::Paqp, "-1", CW20, 0},
        {contest::Cqp, "1.5", CW20, 0},  {contest::Sprint, " 0", CW20, 0},
        {contest::ArrlDx, "", CW20, 0},  {contest::ArrlDx, "ZZZ", CW20, 0},
        {contest::Cqww, "", CW20, 41},   {contest::Cqww, "", CW20, -3},
        {contest::Ss, "A", CW20, 0},     {contest::Ss, "A99ZZ", CW20, 0},
        {contest::Aa, "", CW20, 0},      {contest::Wpx, "", CW20, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.contest) + " '" + c.qmult + "'");
        MainMod state = newLog(c.contest);
        QSORecName q;
        q.QCall = "W1AW";
        q.QBandMode = static_cast<BandModeCode>(c.bandMode);
        q.QRcvd = static_cast<std::int16_t>(c.rcvd);
        q.QMult = c.qmult;
        q.QPoints = "X";
        ASSERT_TRUE(state.log.append(q).isOk());
        replayLog(state);
        EXPECT_EQ(state.totals.multCount, 0);
        EXPECT_EQ(state.totals.qsoPoints, 0);
        EXPECT_EQ(state.QSONr, 2);
    }
}

// Kill Last Entry: the killed QSO's multiplier is no longer worked and its
// call no longer a dupe.
TEST(Replay, RemovingTheLastQsoUnmarksItsMultiplierANewLogClearsAll) {
    MainMod state = newLog(contest::Sprint);
    logQsos(state, {{"K6XX", CW20, 1, " 5", "1", 1, mult("CA"), "BOB"},
                    {"W1AW", CW20, 2, " 7", "1", 1, mult("CT"), "HAM"}});
    removeLastQso(state);
    EXPECT_EQ(state.QSONr, 2);
    EXPECT_EQ(state.totals.multCount, 1);
    EXPECT_EQ(state.totals.score, 1);
    EXPECT_FALSE(state.mults.SprintMults.rows[6].worked[0]);
    EXPECT_TRUE(state.mults.SprintMults.rows[4].worked[0]);
    state.CurrentBandMode = CW20;
    EXPECT_FALSE(checkDupe(state, "W1AW").workedBefore);
    logQsos(state, {{"W1AW", CW20, 2, " 7", "1", 1, mult("CT"), "HAM"}});

    // A new empty log clears what the last log worked.
    state.resetLog();
    replayLog(state);
    EXPECT_EQ(state.totals, newLog(contest::Sprint).totals);
    EXPECT_TRUE(state.callIndex.empty());
}

TEST(QsoPoints, NorthAmericanEdgeCases) {
    struct Case {
        ContestNr contest;
        Location where;
        std::string call;
        int bandMode;
        std::string points;
    };
    const std::vector<Case> cases{
        {contest::Cqww, {.usa = true}, "KH6ABC", CW20, "3"},
        {contest::Cqww, {.usa = true}, "KL7XX", CW20, "2"},
        {contest::Cqww, {.canada = true}, "VE3XX", CW20, "0"},
        {contest::Cqww, {.canada = true}, "K1AR", CW20, "2"},
        {contest::Wpx, {.usa = true}, "VE3XX", CW40, "4"},
        {contest::Wpx, {.usa = true}, "VE3XX", CW20, "2"},
        {contest::Wpx, {.usa = true}, "JA1XYZ", CW6, "6"},
        {contest::Wpx, {.usa = true}, "JA1XYZ", CW15, "3"},
        {contest::Wpx, {.usa = true}, "JA1XYZ", CW80, "6"},
        {contest::Wpx, {.canada = true}, "VE3XX", PH160, "1"},
        {contest::Wpx, {.continent = "NA"}, "XE1XX", CW40, "6"},  // no country: elsewhere
        {contest::Wpx, {.continent = "NA"}, "KL7XX", CW40, "4"},
        {contest::Wpx, {.continent = "NA"}, "KL7XX", CW10, "2"},
        {contest::Wpx, {.continent = "AS"}, "JA1XYZ", CW160, "2"},
        {contest::Aa, {}, "JA1XYZ", PH160, "3"},
        {contest::Aa, {}, "KH6ABC", PH160, "0"},
    };
    for (const Case& c : cases) {
        MainMod state = newLog(c.contest, true, c.where);
        QSORec q;
        q.QCall = c.call;
        q.QBandMode = static_cast<BandModeCode>(c.bandMode);
        EXPECT_EQ(QSOPoints(state, q), c.points) << c.call << " on " << c.bandMode;
    }
}

TEST(WorkedCountries, MarksTheBandsWorked) {
    MainMod state = newLog(contest::Cqww, true, {.usa = true});
    logQsos(state, {{"DL1ABC", CW20, 14, "DL", "3", 2}, {"DL2XYZ", CW160, 15, "DL", "3", 2}});
    const WorkedCountries worked(state.totals);
    EXPECT_EQ(worked.countryWorked(5), (BandMarks{false, false, true, false, false, true}));
    EXPECT_EQ(worked.countryWorked(6), BandMarks{});
    EXPECT_EQ(worked.countryWorked(0), BandMarks{});
    EXPECT_EQ(worked.countryWorked(99999), BandMarks{});
    EXPECT_EQ(worked.zoneWorked(15), (BandMarks{false, false, false, false, false, true}));
    EXPECT_EQ(worked.zoneWorked(41), BandMarks{});

    CountryPanel panel;
    state.CurrentBandMode = CW20;
    panel.ShowCountryInfo(state, worked, 5, 14);
    ASSERT_EQ(panel.texts().size(), 3U);
    EXPECT_EQ(panel.texts()[0].text, "   DL      --  --  XX  --  --  XX");
    EXPECT_EQ(panel.texts()[2].text, "  14       --  --  XX  --  --  --");
}

TEST(PrefixNeeded, WpxUntilWorkedAaOnTheBand) {
    MainMod state = newLog(contest::Wpx, true, {.usa = true});
    EXPECT_TRUE(checkPrefixNeeded(state, "DL1ABC"));
    EXPECT_TRUE(state.totals.prefixNeeded);
    logQsos(state, {{"DL1ABC", CW20, 1, "DL1", "3", 1}});
    EXPECT_FALSE(state.totals.prefixNeeded);
    EXPECT_FALSE(checkPrefixNeeded(state, "DL1XYZ"));
    EXPECT_TRUE(checkPrefixNeeded(state, "DL2XYZ"));

    MainMod cqww = newLog(contest::Cqww, true, {.usa = true});
    EXPECT_FALSE(checkPrefixNeeded(cqww, "DL1ABC"));

    // All Asian: needed on the current band.
    MainMod aa = newLog(contest::Aa);
    logQsos(aa, {{"JA1XYZ", CW20, 35, "JA1", "1", 1}});
    aa.CurrentBandMode = CW20;
    EXPECT_FALSE(checkPrefixNeeded(aa, "JA1ABC"));
    EXPECT_TRUE(checkPrefixNeeded(aa, "JA2ABC"));
    aa.CurrentBandMode = CW40;
    EXPECT_TRUE(checkPrefixNeeded(aa, "JA1ABC"));
    aa.CurrentBandMode = CW6;  // no multipliers on 6 m
    EXPECT_FALSE(checkPrefixNeeded(aa, "JA1ABC"));
}

// Former fixed tables: a log may work more prefixes than they held.
TEST(GrowingTables, ThousandsOfPrefixesAndPortableCalls) {
    MainMod aa = newLog(contest::Aa);
    MainMod wpx = newLog(contest::Wpx, true, {.usa = true});
    for (int n = 0; n < 1200; ++n) {
        QSORecName q;
        // Prefixes AA0, AA1, .. AA9, AB0, ..: 1200 different ones.
        const std::string prefix{static_cast<char>('A' + n / 260),
                                 static_cast<char>('A' + n / 10 % 26),
                                 static_cast<char>('0' + n % 10)};
        q.QCall = prefix + "XY/P";
        q.QBandMode = CW20;
        setMultAndPoints(aa, q, {}, false);
        ASSERT_TRUE(addLoggedQso(aa, q).isOk());
        setMultAndPoints(wpx, q, {}, false);
        ASSERT_TRUE(addLoggedQso(wpx, q).isOk());
    }
    EXPECT_EQ(aa.mults.AAPrefixes[2].size(), 1200U);
    EXPECT_TRUE(std::is_sorted(aa.mults.AAPrefixes[2].begin(), aa.mults.AAPrefixes[2].end()));
    EXPECT_EQ(wpx.totals.multCount, 1200);
    EXPECT_EQ(wpx.portableCalls.size(), 1200U);
    EXPECT_EQ(wpx.portableCalls.at("EP9XY"), std::vector<std::string>{"EP9XY/P"});
}

}  // namespace
}  // namespace keslog::test
