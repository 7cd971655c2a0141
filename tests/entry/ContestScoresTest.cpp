// Each contest's short log, scored on paper from the contest rules: the
// comment beside every QSO gives its points and the multipliers it is first
// to work. The same records replayed as an opened log must give the same
// state.
#include "EntryFixture.h"

namespace keslog::test {
namespace {

using namespace bm;

TEST(ContestScores, ArrlDx) {
    const std::vector<LoggedQso> qsos{
        {"DL1ABC", CW20, 100, "DL", "3", 1},                // DL on 20
        {"G3ABC", CW20, 100, "G", "3", 1},                  // G on 20
        {"DL2XYZ", CW20, 1000, "DL", "3", 0},               // DL worked on 20
        {"DL1ABC", CW40, 100, "DL", "3", 1},                // DL on 40: a new band
        {"JA1XYZ", CW15, 500, "JA", "3", 1},                // JA on 15
        {"DL1ABC", CW20, 100, "DL", "0", 0, {}, "", true},  // dupe logged anyway
        {"K1AR", CW20, 100, "K", "0", 0},                   // W/VE: no points, no mult
        {"VE3XX", CW20, 100, "VE", "0", 0},
        {"QQ1ABC", CW20, 100, "", "3", 0},      // no country: no mult
        {"PY2XX", CW6, 100, "PY", "3", 0},      // 6 m has no band column
        {"KH6ABC", CW160, 100, "KH6", "3", 1},  // KH6 on 160
        {"BY1AA", CW80, 100, "BY", "3", 1},     // BY on 80
    };
    const MainMod state = scored(newLog(contest::ArrlDx), qsos);
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
}

TEST(ContestScores, CqwwFromTheUsa) {
    const std::vector<LoggedQso> qsos{
        {"DL1ABC", CW20, 14, "DL", "3", 2},                // DL, zone 14
        {"G3ABC", CW20, 14, "G", "3", 1},                  // G; zone 14 worked
        {"K1AR", CW20, 5, "K", "0", 2},                    // own country 0 points; K, zone 5
        {"VE3XX", CW20, 4, "VE", "2", 2},                  // VE, zone 4
        {"KL7XX", CW20, 1, "KL", "2", 2},                  // other North America
        {"KH6ABC", CW20, 31, "KH6", "3", 2},               // Hawaii is not North America
        {"DL1ABC", CW40, 14, "DL", "3", 2},                // DL and zone 14 on 40
        {"DL1ABC", CW40, 14, "DL", "0", 0, {}, "", true},  // dupe
        {"JA1XYZ", CW15, 25, "JA", "3", 2},                // JA, zone 25
        {"PY2XX", CW6, 11, "PY", "3", 0},                  // 6 m: no band column
        {"W1AW", CW20, 5, "K", "0", 0},
        {"QQ1ABC", CW20, 3, "", "3", 1},  // no country; zone 3
    };
    const MainMod state = scored(newLog(contest::Cqww, true, {.usa = true}), qsos);
    // 3+3+0+2+2+3+3+0+3+3+0+3 = 25 points; 16 mults.
    EXPECT_EQ(state.totals.qsoPoints, 25);
    EXPECT_EQ(state.totals.multCount, 16);
    EXPECT_EQ(state.totals.score, 400);
    EXPECT_EQ(state.totals.countriesPerBand, (BandCounts{0, 1, 6, 1, 0, 0}));
    EXPECT_EQ(state.totals.zonesPerBand, (BandCounts{0, 1, 6, 1, 0, 0}));
    EXPECT_EQ(state.totals.zoneQsos[14], (BandCounts{0, 0, 2, 2, 0, 0}));
    EXPECT_EQ(scoreLabelText(state.totals), "Score: 400");
}

TEST(ContestScores, CqpOutOfState) {
    const std::vector<LoggedQso> qsos{
        {"K6AAA", CW20, 1, " 43", "3", 1, mult("SCLA")},            // county 43
        {"K6BBB", PH20, 2, " 38", "2", 1, mult("SF")},              // a form of SFRA
        {"K6AAA", PH20, 3, " 43", "2", 0, mult("SCLA")},            // other mode: no dupe
        {"K6AAA", CW20, 4, " 43", "0", 0, mult("SCLA"), "", true},  // dupe
        {"K6CCC", CW40, 5, " 19", "3", 1, mult("LAX")},             // LANG
        {"K6DDD", CW15, 6, " 43", "0", 0, slashed("SCLA")},
        {"N6EEE", CW6, 7, " 30", "3", 1, mult("ORG")},  // once per contest: 6 m counts
        {"W6FFF", PH80, 8, " 37", "2", 1, mult("SDG")},
        {"K6GGG", CW10, 9, " 28", "3", 1, mult("NAPA")},
        {"K6BBB", PH40, 10, " 38", "2", 0, mult("SFRA")},
    };
    const MainMod state = scored(newLog(contest::Cqp, true, {.inState = false}), qsos);
    // 3+2+2+0+3+0+3+2+3+2 = 20 points; 6 counties.
    EXPECT_EQ(state.totals.qsoPoints, 20);
    EXPECT_EQ(state.totals.multCount, 6);
    EXPECT_EQ(state.totals.score, 120);
    EXPECT_EQ(state.totals.multsPerBand, (std::array<int, 9>{0, 1, 0, 2, 1, 1, 0, 1, 0}));
    EXPECT_TRUE(state.mults.CQPMults.rows[42].worked[0]);
    EXPECT_FALSE(state.mults.CQPMults.rows[0].worked[0]);
}

TEST(ContestScores, CqpInsideCalifornia) {
    const std::vector<LoggedQso> qsos{
        {"K6AAA", CW20, 1, "SCLA", "3", 1, mult("SCLA")},  // a county: California
        {"K6BBB", CW20, 2, "SFRA", "3", 0, mult("SF")},    // California again
        {"W1AW", CW20, 3, " 19", "3", 1, mult("MA")},
        {"VE3XX", PH20, 4, " 56", "2", 1, mult("ON")},
        {"W7XX", CW40, 5, "XYZ", "3", 0, mult("XYZ")},  // accepted, no mult
        {"K6CCC", PH40, 6, " 5", "2", 0, mult("CA")},   // California by name
    };
    const MainMod state = scored(newLog(contest::Cqp, true, {.inState = true}), qsos);
    // 3+3+3+2+3+2 = 16 points; CA, MA, ON.
    EXPECT_EQ(state.totals.score, 48);
    EXPECT_TRUE(state.mults.CQPMults.rows[4].worked[0]);
}

TEST(ContestScores, Sweepstakes) {
    const std::vector<LoggedQso> qsos{
        {"W1AW", CW20, 1, "A72EM", "2", 1, ss("A", "72", "EMA")},
        {"K6XX", CW20, 2, "B85SF", "2", 1, ss("B", "85", "SF")},
        {"N6TR", CW40, 3, "Q60OG", "2", 1, ss("Q", "60", "ORANGE")},
        {"W1AW", CW40, 4, "A72EM", "0", 0, ss("A", "72", "EMA"), "", true},  // any band: dupe
        {"VE3XX", CW15, 5, "U99ON", "2", 1, ss("U", "99", "ONT")},
        {"K1AR", CW20, 6, "M70EM", "2", 0, ss("M", "70", "EMA")},
        {"W9XX", CW80, 7, "S01IL", "2", 1, ss("S", "01", "IL")},
        {"K0XX", CW160, 8, "A55MN", "2", 1, ss("A", "55", "MN")},
        {"N5XX", CW10, 9, "U88NX", "2", 1, ss("U", "88", "NTX")},
        {"K7ZZ", CW20, 10, "B77WW", "2", 1, ss("B", "77", "WWA")},
    };
    const MainMod state = scored(newLog(contest::Ss), qsos);
    // 9 QSOs of 2 points; 8 sections.
    EXPECT_EQ(state.totals.qsoPoints, 18);
    EXPECT_EQ(state.totals.multCount, 8);
    EXPECT_EQ(scoreLabelText(state.totals), "Score: 144");
}

TEST(ContestScores, Sprint) {
    const std::vector<LoggedQso> qsos{
        {"K6XX", CW20, 1, " 5", "1", 1, mult("CA"), "BOB"},
        {"N6TR", CW20, 2, " 37", "1", 1, mult("OR"), "DAN"},
        {"W1AW", CW40, 3, " 7", "1", 1, mult("CT"), "HAM"},
        {"K6XX", CW40, 4, " 5", "1", 0, mult("CA"), "BOB"},  // other band: no dupe
        {"K6XX", CW40, 5, " 5", "0", 0, mult("CA"), "BOB", true},
        {"VE3XX", CW20, 6, " 59", "1", 1, mult("ON"), "JIM"},
        {"XE1XX", CW80, 7, " 64", "1", 1, mult("XE"), "PEPE"},
        {"K9XX", CW20, 8, "ZZ", "1", 0, mult("ZZ"), "AL"},  // no such multiplier
        {"W0XX", CW80, 9, " 23", "1", 1, mult("MN"), "JOE"},
        {"N4XX", CW40, 10, " 9", "1", 1, mult("FL"), "ANN"},
    };
    const MainMod state = scored(newLog(contest::Sprint), qsos);
    // 9 points, 7 mults.
    EXPECT_EQ(state.totals.score, 63);
    EXPECT_EQ(state.log.at(7).QName.trimmed(), "PEPE");
}

TEST(ContestScores, Wpx_UsaStation) {
    const std::vector<LoggedQso> qsos{
        {"K1AR", CW20, 1, "K1", "1", 1},  // own country
        {"W1AW", CW20, 2, "W1", "1", 1},
        {"VE3XX", CW40, 3, "VE3", "4", 1},  // Canada, low band
        {"VE3XX", CW20, 4, "VE3", "2", 0},  // Canada, high band
        {"DL1ABC", CW15, 5, "DL1", "3", 1},
        {"JA1XYZ", CW6, 6, "JA1", "6", 1},  // 6 m is a low band
        {"K1XYZ", CW80, 7, "K1", "1", 0},
        {"DL1ABC", CW15, 8, "DL1", "0", 0, {}, "", true},
        {"KH6ABC", CW160, 9, "KH6", "6", 1},  // not North America
        {"KL7XX", CW10, 10, "KL7", "2", 1},
        {"W6XYZ/7", CW20, 11, "W7", "1", 1},  // portable: W7
    };
    const MainMod state = scored(newLog(contest::Wpx, true, {.usa = true}), qsos);
    // 1+1+4+2+3+6+1+0+6+2+1 = 27 points; 8 prefixes.
    EXPECT_EQ(state.totals.score, 216);
    EXPECT_EQ(state.totals.sameAreaCount, 4);
    EXPECT_EQ(state.totals.wpxPrefixes,
              (std::vector<std::string>{"DL1", "JA1", "K1", "KH6", "KL7", "VE3", "W1", "W7"}));
}

TEST(ContestScores, Wpx_EuropeanStation) {
    const std::vector<LoggedQso> qsos{
        {"DL1ABC", PH20, 1, "DL1", "1", 1},  // own continent, high band
        {"G3ABC", PH40, 2, "G3", "2", 1},    // own continent, low band
        {"JA1XYZ", PH20, 3, "JA1", "3", 1},
        {"K1AR", PH80, 4, "K1", "6", 1},
        {"PY2XX", PH6, 5, "PY2", "6", 1},   // 6 m counts as low
        {"UA9ABC", PH2, 6, "UA9", "3", 1},  // 2 m does not
        {"DL2XYZ", PH20, 7, "DL2", "1", 1},
        {"QQ1ABC", PH20, 8, "QQ1", "3", 1},  // no country: another continent
    };
    const MainMod state = scored(newLog(contest::Wpx, false, {.continent = "EU"}), qsos);
    // 1+2+3+6+6+3+1+3 = 25 points; 8 prefixes.
    EXPECT_EQ(state.totals.score, 200);
    EXPECT_EQ(state.totals.sameAreaCount, 3);
}

TEST(ContestScores, AllAsian) {
    const std::vector<LoggedQso> qsos{
        {"JA1XYZ", CW20, 35, "JA1", "1", 1},
        {"JA1ABC", CW20, 40, "JA1", "1", 0},
        {"JA1XYZ", CW40, 35, "JA1", "1", 1},  // per band
        {"BY1AA", CW80, 50, "BY1", "2", 1},
        {"UA9ABC", CW160, 60, "UA9", "3", 1},
        {"DL1ABC", CW20, 45, "DL1", "0", 1},  // not Asia: a mult, no points
        {"JA1XYZ", CW20, 35, "JA1", "0", 0, {}, "", true},
        {"JE1XX", CW6, 20, "JE1", "1", 0},  // 6 m: no band column
        {"7J1AAA", CW15, 30, "7J1", "1", 1},
    };
    const MainMod state = scored(newLog(contest::Aa), qsos);
    // 1+1+1+2+3+0+0+1+1 = 10 points; 6 mults.
    EXPECT_EQ(state.totals.score, 60);
    EXPECT_EQ(state.mults.AAPrefixes[2], (std::vector<std::string>{"DL1", "JA1"}));
    EXPECT_EQ(state.mults.AAPrefixes[5], (std::vector<std::string>{"UA9"}));
}

TEST(ContestScores, Paqp) {
    const std::vector<LoggedQso> qsos{
        {"W3AAA", CW20, 1, " 2", "3", 1, mult("ALL")},            // 1.5
        {"W3BBB", PH20, 2, " 51", "1", 1, mult("PHI")},           // 1.0
        {"W3AAA", CW80, 3, " 2", "2", 0, mult("ALL")},            // 2.0
        {"K3CCC", CW40, 4, " 36", "3", 1, mult("LANC")},          // 1.5
        {"W3AAA", CW20, 5, " 2", "0", 0, mult("ALL"), "", true},  // dupe
        {"N3DDD", PH160, 6, " 25", "1", 1, mult("ERI")},          // 1.0
        {"W3EEE", CW6, 7, " 24", "3", 1, mult("ELK")},            // 1.5
        {"K3GGG", PH80, 8, " 51", "1", 0, mult("PHI")},           // 1.0
        {"K3FFF", PH2, 9, " 67", "1", 1, mult("YOR")},            // 1.0
    };
    const MainMod state = scored(newLog(contest::Paqp, true, {.inState = false}), qsos);
    // 1.5+1+2+1.5+0+1+1.5+1+1 = 10.5 points; 6 counties; 63.
    EXPECT_EQ(state.totals.qsoPoints, 105);
    EXPECT_EQ(pointsText(state), "10.5");
    EXPECT_EQ(state.totals.score, 63);
}

TEST(ContestScores, Naqp) {
    const std::vector<LoggedQso> qsos{
        {"K6XX", CW20, 0, " 27", "1", 1, mult("CA"), "BOB"},
        {"N6TR", CW20, 0, " 27", "1", 0, mult("CA"), "DAN"},
        {"K6XX", CW40, 0, " 27", "1", 1, mult("CA"), "BOB"},  // per band
        {"W1AW", CW40, 0, " 1", "1", 1, mult("CT"), "HAM"},
        {"W1AW", CW40, 0, " 1", "0", 0, mult("CT"), "HAM", true},
        {"VE3XX", CW80, 0, " 48", "1", 1, mult("ON"), "JIM"},
        {"K6YY", CW6, 0, " 27", "1", 0, mult("CA"), "BOB"},  // 6 m: no column
        {"W7XX", CW160, 0, " 36", "1", 1, mult("WA"), "AL"},
        {"K9XX", CW20, 0, "XX", "1", 0, mult("XX"), "ED"},
        {"N5XX", CW10, 0, " 26", "1", 1, mult("TX"), "ANN"},
        {"W1AW", CW20, 0, " 1", "1", 1, mult("CT"), "HAM"},
    };
    const MainMod state = scored(newLog(contest::Naqp), qsos);
    // 10 points, 7 mults.
    EXPECT_EQ(state.totals.score, 70);
    EXPECT_EQ(state.totals.multsPerBand, (std::array<int, 9>{0, 1, 0, 2, 2, 1, 1, 0, 0}));
    // California worked on 20 and 40 m only: the 6 m QSO marked nothing.
    EXPECT_EQ(state.mults.NAQPMults.rows[26].worked,
              (std::vector<bool>{false, false, true, true, false, false}));
}

}  // namespace
}  // namespace keslog::test
