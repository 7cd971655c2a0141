// Each contest's short log, scored on paper from the contest rules: the
// comment beside every QSO gives its points and the multipliers it is first
// to work. The same records replayed as an opened log must give the same
// state.
#include "EntryFixture.h"

namespace keslog::test {
namespace {

using namespace bm;

TEST(ContestScores, ArrlDx) {
    MainMod state = newLog(contest::ArrlDx);
    const std::vector<LoggedQso> qsos{
        {"DL1ABC", CW20, 100, {}, "", false, "DL", "3", 1},   // DL on 20
        {"G3ABC", CW20, 100, {}, "", false, "G", "3", 1},     // G on 20
        {"DL2XYZ", CW20, 1000, {}, "", false, "DL", "3", 0},  // DL worked on 20
        {"DL1ABC", CW40, 100, {}, "", false, "DL", "3", 1},   // DL on 40: a new band
        {"JA1XYZ", CW15, 500, {}, "", false, "JA", "3", 1},   // JA on 15
        {"DL1ABC", CW20, 100, {}, "", true, "DL", "0", 0},    // dupe logged anyway
        {"K1AR", CW20, 100, {}, "", false, "K", "0", 0},      // W/VE: no points, no mult
        {"VE3XX", CW20, 100, {}, "", false, "VE", "0", 0},
        {"QQ1ABC", CW20, 100, {}, "", false, "", "3", 0},      // no country: no mult
        {"PY2XX", CW6, 100, {}, "", false, "PY", "3", 0},      // 6 m has no band column
        {"KH6ABC", CW160, 100, {}, "", false, "KH6", "3", 1},  // KH6 on 160
        {"BY1AA", CW80, 100, {}, "", false, "BY", "3", 1},     // BY on 80
    };
    logQsos(state, qsos);
    // 8 QSOs of 3 points = 24, plus the 6 m QSO 3 = 27 points; 6 mults.
    EXPECT_EQ(state.totals.qsoPoints, 27);
    EXPECT_EQ(state.totals.multCount, 6);
    EXPECT_EQ(state.totals.score, 162);
    EXPECT_EQ(multsLabelText(state.totals), "Mults:  6");
    EXPECT_EQ(scoreLabelText(state.totals), "Score: 162");
    EXPECT_EQ(state.totals.multsPerBand, (std::array<int, 9>{0, 0, 1, 2, 1, 1, 1, 0, 0}));
    EXPECT_EQ(state.totals.countriesPerBand, (BandCounts{0, 1, 2, 1, 1, 1}));
    // Country 5 (DL): three QSOs on 20 m, one on 40 m.
    EXPECT_EQ(state.totals.countryQsos[5], (BandCounts{0, 0, 3, 1, 0, 0}));
    expectReplayAgrees(state);
}

TEST(ContestScores, CqwwFromTheUsa) {
    MainMod state = newLog(contest::Cqww, true, {.usa = true});
    const std::vector<LoggedQso> qsos{
        {"DL1ABC", CW20, 14, {}, "", false, "DL", "3", 2},   // DL, zone 14
        {"G3ABC", CW20, 14, {}, "", false, "G", "3", 1},     // G; zone 14 worked
        {"K1AR", CW20, 5, {}, "", false, "K", "0", 2},       // own country 0 points; K, zone 5
        {"VE3XX", CW20, 4, {}, "", false, "VE", "2", 2},     // VE, zone 4
        {"KL7XX", CW20, 1, {}, "", false, "KL", "2", 2},     // other North America
        {"KH6ABC", CW20, 31, {}, "", false, "KH6", "3", 2},  // Hawaii is not North America
        {"DL1ABC", CW40, 14, {}, "", false, "DL", "3", 2},   // DL and zone 14 on 40
        {"DL1ABC", CW40, 14, {}, "", true, "DL", "0", 0},    // dupe
        {"JA1XYZ", CW15, 25, {}, "", false, "JA", "3", 2},   // JA, zone 25
        {"PY2XX", CW6, 11, {}, "", false, "PY", "3", 0},     // 6 m: no band column
        {"W1AW", CW20, 5, {}, "", false, "K", "0", 0},
        {"QQ1ABC", CW20, 3, {}, "", false, "", "3", 1},  // no country; zone 3
    };
    logQsos(state, qsos);
    // 3+3+0+2+2+3+3+0+3+3+0+3 = 25 points; 16 mults.
    EXPECT_EQ(state.totals.qsoPoints, 25);
    EXPECT_EQ(state.totals.multCount, 16);
    EXPECT_EQ(state.totals.score, 400);
    EXPECT_EQ(state.totals.countriesPerBand, (BandCounts{0, 1, 6, 1, 0, 0}));
    EXPECT_EQ(state.totals.zonesPerBand, (BandCounts{0, 1, 6, 1, 0, 0}));
    EXPECT_EQ(state.totals.zoneQsos[14], (BandCounts{0, 0, 2, 2, 0, 0}));
    EXPECT_EQ(scoreLabelText(state.totals), "Score: 400");
    expectReplayAgrees(state);
}

TEST(ContestScores, CqpOutOfState) {
    MainMod state = newLog(contest::Cqp, true, {.inState = false});
    const std::vector<LoggedQso> qsos{
        {"K6AAA", CW20, 1, mult("SCLA"), "", false, " 43", "3", 1},  // county 43
        {"K6BBB", PH20, 2, mult("SF"), "", false, " 38", "2", 1},    // a form of SFRA
        {"K6AAA", PH20, 3, mult("SCLA"), "", false, " 43", "2", 0},  // other mode: no dupe
        {"K6AAA", CW20, 4, mult("SCLA"), "", true, " 43", "0", 0},   // dupe
        {"K6CCC", CW40, 5, mult("LAX"), "", false, " 19", "3", 1},   // LANG
        {"K6DDD", CW15, 6, slashed("SCLA"), "", false, " 43", "0", 0},
        {"N6EEE", CW6, 7, mult("ORG"), "", false, " 30", "3", 1},  // once per contest: 6 m counts
        {"W6FFF", PH80, 8, mult("SDG"), "", false, " 37", "2", 1},
        {"K6GGG", CW10, 9, mult("NAPA"), "", false, " 28", "3", 1},
        {"K6BBB", PH40, 10, mult("SFRA"), "", false, " 38", "2", 0},
    };
    logQsos(state, qsos);
    // 3+2+2+0+3+0+3+2+3+2 = 20 points; 6 counties.
    EXPECT_EQ(state.totals.qsoPoints, 20);
    EXPECT_EQ(state.totals.multCount, 6);
    EXPECT_EQ(state.totals.score, 120);
    EXPECT_EQ(state.totals.multsPerBand, (std::array<int, 9>{0, 1, 0, 2, 1, 1, 0, 1, 0}));
    EXPECT_TRUE(state.mults.CQPMults.rows[42].worked[0]);
    EXPECT_FALSE(state.mults.CQPMults.rows[0].worked[0]);
    expectReplayAgrees(state);
}

TEST(ContestScores, CqpInsideCalifornia) {
    MainMod state = newLog(contest::Cqp, true, {.inState = true});
    logQsos(
        state,
        {
            {"K6AAA", CW20, 1, mult("SCLA"), "", false, "SCLA", "3", 1},  // a county: California
            {"K6BBB", CW20, 2, mult("SF"), "", false, "SFRA", "3", 0},    // California again
            {"W1AW", CW20, 3, mult("MA"), "", false, " 19", "3", 1},
            {"VE3XX", PH20, 4, mult("ON"), "", false, " 56", "2", 1},
            {"W7XX", CW40, 5, mult("XYZ"), "", false, "XYZ", "3", 0},  // accepted, no mult
            {"K6CCC", PH40, 6, mult("CA"), "", false, " 5", "2", 0},   // California by name
        });
    // 3+3+3+2+3+2 = 16 points; CA, MA, ON.
    EXPECT_EQ(state.totals.score, 48);
    EXPECT_TRUE(state.mults.CQPMults.rows[4].worked[0]);
    expectReplayAgrees(state);
}

TEST(ContestScores, Sweepstakes) {
    MainMod state = newLog(contest::Ss);
    const std::vector<LoggedQso> qsos{
        {"W1AW", CW20, 1, ss("A", "72", "EMA"), "", false, "A72EM", "2", 1},
        {"K6XX", CW20, 2, ss("B", "85", "SF"), "", false, "B85SF", "2", 1},
        {"N6TR", CW40, 3, ss("Q", "60", "ORANGE"), "", false, "Q60OG", "2", 1},
        {"W1AW", CW40, 4, ss("A", "72", "EMA"), "", true, "A72EM", "0", 0},  // any band: dupe
        {"VE3XX", CW15, 5, ss("U", "99", "ONT"), "", false, "U99ON", "2", 1},
        {"K1AR", CW20, 6, ss("M", "70", "EMA"), "", false, "M70EM", "2", 0},
        {"W9XX", CW80, 7, ss("S", "01", "IL"), "", false, "S01IL", "2", 1},
        {"K0XX", CW160, 8, ss("A", "55", "MN"), "", false, "A55MN", "2", 1},
        {"N5XX", CW10, 9, ss("U", "88", "NTX"), "", false, "U88NX", "2", 1},
        {"K7ZZ", CW20, 10, ss("B", "77", "WWA"), "", false, "B77WW", "2", 1},
    };
    logQsos(state, qsos);
    // 9 QSOs of 2 points; 8 sections.
    EXPECT_EQ(state.totals.qsoPoints, 18);
    EXPECT_EQ(state.totals.multCount, 8);
    EXPECT_EQ(scoreLabelText(state.totals), "Score: 144");
    expectReplayAgrees(state);
}

TEST(ContestScores, Sprint) {
    MainMod state = newLog(contest::Sprint);
    const std::vector<LoggedQso> qsos{
        {"K6XX", CW20, 1, mult("CA"), "BOB", false, " 5", "1", 1},
        {"N6TR", CW20, 2, mult("OR"), "DAN", false, " 37", "1", 1},
        {"W1AW", CW40, 3, mult("CT"), "HAM", false, " 7", "1", 1},
        {"K6XX", CW40, 4, mult("CA"), "BOB", false, " 5", "1", 0},  // other band: no dupe
        {"K6XX", CW40, 5, mult("CA"), "BOB", true, " 5", "0", 0},
        {"VE3XX", CW20, 6, mult("ON"), "JIM", false, " 59", "1", 1},
        {"XE1XX", CW80, 7, mult("XE"), "PEPE", false, " 64", "1", 1},
        {"K9XX", CW20, 8, mult("ZZ"), "AL", false, "ZZ", "1", 0},  // no such multiplier
        {"W0XX", CW80, 9, mult("MN"), "JOE", false, " 23", "1", 1},
        {"N4XX", CW40, 10, mult("FL"), "ANN", false, " 9", "1", 1},
    };
    logQsos(state, qsos);
    // 9 points, 7 mults.
    EXPECT_EQ(state.totals.score, 63);
    EXPECT_EQ(state.log.at(7).QName.trimmed(), "PEPE");
    expectReplayAgrees(state);
}

TEST(ContestScores, Wpx_UsaStation) {
    MainMod state = newLog(contest::Wpx, true, {.usa = true});
    const std::vector<LoggedQso> qsos{
        {"K1AR", CW20, 1, {}, "", false, "K1", "1", 1},  // own country
        {"W1AW", CW20, 2, {}, "", false, "W1", "1", 1},
        {"VE3XX", CW40, 3, {}, "", false, "VE3", "4", 1},  // Canada, low band
        {"VE3XX", CW20, 4, {}, "", false, "VE3", "2", 0},  // Canada, high band
        {"DL1ABC", CW15, 5, {}, "", false, "DL1", "3", 1},
        {"JA1XYZ", CW6, 6, {}, "", false, "JA1", "6", 1},  // 6 m is a low band
        {"K1XYZ", CW80, 7, {}, "", false, "K1", "1", 0},
        {"DL1ABC", CW15, 8, {}, "", true, "DL1", "0", 0},
        {"KH6ABC", CW160, 9, {}, "", false, "KH6", "6", 1},  // not North America
        {"KL7XX", CW10, 10, {}, "", false, "KL7", "2", 1},
        {"W6XYZ/7", CW20, 11, {}, "", false, "W7", "1", 1},  // portable: W7
    };
    logQsos(state, qsos);
    // 1+1+4+2+3+6+1+0+6+2+1 = 27 points; 8 prefixes.
    EXPECT_EQ(state.totals.score, 216);
    EXPECT_EQ(state.totals.sameAreaCount, 4);
    EXPECT_EQ(state.totals.wpxPrefixes,
              (std::vector<std::string>{"DL1", "JA1", "K1", "KH6", "KL7", "VE3", "W1", "W7"}));
    expectReplayAgrees(state);
}

TEST(ContestScores, Wpx_EuropeanStation) {
    MainMod state = newLog(contest::Wpx, false, {.continent = "EU"});
    const std::vector<LoggedQso> qsos{
        {"DL1ABC", PH20, 1, {}, "", false, "DL1", "1", 1},  // own continent, high band
        {"G3ABC", PH40, 2, {}, "", false, "G3", "2", 1},    // own continent, low band
        {"JA1XYZ", PH20, 3, {}, "", false, "JA1", "3", 1},
        {"K1AR", PH80, 4, {}, "", false, "K1", "6", 1},
        {"PY2XX", PH6, 5, {}, "", false, "PY2", "6", 1},   // 6 m counts as low
        {"UA9ABC", PH2, 6, {}, "", false, "UA9", "3", 1},  // 2 m does not
        {"DL2XYZ", PH20, 7, {}, "", false, "DL2", "1", 1},
        {"QQ1ABC", PH20, 8, {}, "", false, "QQ1", "3", 1},  // no country: another continent
    };
    logQsos(state, qsos);
    // 1+2+3+6+6+3+1+3 = 25 points; 8 prefixes.
    EXPECT_EQ(state.totals.score, 200);
    EXPECT_EQ(state.totals.sameAreaCount, 3);
    expectReplayAgrees(state);
}

TEST(ContestScores, AllAsian) {
    MainMod state = newLog(contest::Aa);
    const std::vector<LoggedQso> qsos{
        {"JA1XYZ", CW20, 35, {}, "", false, "JA1", "1", 1},
        {"JA1ABC", CW20, 40, {}, "", false, "JA1", "1", 0},
        {"JA1XYZ", CW40, 35, {}, "", false, "JA1", "1", 1},  // per band
        {"BY1AA", CW80, 50, {}, "", false, "BY1", "2", 1},
        {"UA9ABC", CW160, 60, {}, "", false, "UA9", "3", 1},
        {"DL1ABC", CW20, 45, {}, "", false, "DL1", "0", 1},  // not Asia: a mult, no points
        {"JA1XYZ", CW20, 35, {}, "", true, "JA1", "0", 0},
        {"JE1XX", CW6, 20, {}, "", false, "JE1", "1", 0},  // 6 m: no band column
        {"7J1AAA", CW15, 30, {}, "", false, "7J1", "1", 1},
    };
    logQsos(state, qsos);
    // 1+1+1+2+3+0+0+1+1 = 10 points; 6 mults.
    EXPECT_EQ(state.totals.score, 60);
    EXPECT_EQ(state.mults.AAPrefixes[2], (std::vector<std::string>{"DL1", "JA1"}));
    EXPECT_EQ(state.mults.AAPrefixes[5], (std::vector<std::string>{"UA9"}));
    expectReplayAgrees(state);
}

TEST(ContestScores, Paqp) {
    MainMod state = newLog(contest::Paqp, true, {.inState = false});
    const std::vector<LoggedQso> qsos{
        {"W3AAA", CW20, 1, mult("ALL"), "", false, " 2", "3", 1},    // 1.5
        {"W3BBB", PH20, 2, mult("PHI"), "", false, " 51", "1", 1},   // 1.0
        {"W3AAA", CW80, 3, mult("ALL"), "", false, " 2", "2", 0},    // 2.0
        {"K3CCC", CW40, 4, mult("LANC"), "", false, " 36", "3", 1},  // 1.5
        {"W3AAA", CW20, 5, mult("ALL"), "", true, " 2", "0", 0},     // dupe
        {"N3DDD", PH160, 6, mult("ERI"), "", false, " 25", "1", 1},  // 1.0
        {"W3EEE", CW6, 7, mult("ELK"), "", false, " 24", "3", 1},    // 1.5
        {"K3GGG", PH80, 8, mult("PHI"), "", false, " 51", "1", 0},   // 1.0
        {"K3FFF", PH2, 9, mult("YOR"), "", false, " 67", "1", 1},    // 1.0
    };
    logQsos(state, qsos);
    // 1.5+1+2+1.5+0+1+1.5+1+1 = 10.5 points; 6 counties; 63.
    EXPECT_EQ(state.totals.qsoPoints, 105);
    EXPECT_EQ(pointsText(state), "10.5");
    EXPECT_EQ(state.totals.score, 63);
    expectReplayAgrees(state);
}

TEST(ContestScores, Naqp) {
    MainMod state = newLog(contest::Naqp);
    const std::vector<LoggedQso> qsos{
        {"K6XX", CW20, 0, mult("CA"), "BOB", false, " 27", "1", 1},
        {"N6TR", CW20, 0, mult("CA"), "DAN", false, " 27", "1", 0},
        {"K6XX", CW40, 0, mult("CA"), "BOB", false, " 27", "1", 1},  // per band
        {"W1AW", CW40, 0, mult("CT"), "HAM", false, " 1", "1", 1},
        {"W1AW", CW40, 0, mult("CT"), "HAM", true, " 1", "0", 0},
        {"VE3XX", CW80, 0, mult("ON"), "JIM", false, " 48", "1", 1},
        {"K6YY", CW6, 0, mult("CA"), "BOB", false, " 27", "1", 0},  // 6 m: no column
        {"W7XX", CW160, 0, mult("WA"), "AL", false, " 36", "1", 1},
        {"K9XX", CW20, 0, mult("XX"), "ED", false, "XX", "1", 0},
        {"N5XX", CW10, 0, mult("TX"), "ANN", false, " 26", "1", 1},
        {"W1AW", CW20, 0, mult("CT"), "HAM", false, " 1", "1", 1},
    };
    logQsos(state, qsos);
    // 10 points, 7 mults.
    EXPECT_EQ(state.totals.score, 70);
    EXPECT_EQ(state.totals.multsPerBand, (std::array<int, 9>{0, 1, 0, 2, 2, 1, 1, 0, 0}));
    // California worked on 20 and 40 m only: the 6 m QSO marked nothing.
    EXPECT_EQ(state.mults.NAQPMults.rows[26].worked,
              (std::vector<bool>{false, false, true, true, false, false}));
    expectReplayAgrees(state);
}

}  // namespace
}  // namespace keslog::test
