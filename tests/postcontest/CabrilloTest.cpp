#include <gtest/gtest.h>

#include "PostRig.h"
#include "postcontest/Cabrillo.h"

namespace keslog {
namespace {

using test::at;
using test::postQso;

struct ContestCase {
    ContestNr contest;
    bool cw;
    std::vector<QSORecName> qsos;
    std::vector<std::string> expectedQsoLines;
    std::string contestLine;
    std::string claimedScore;
};

std::vector<std::string> expectedFile(const ContestCase& c) {
    std::vector<std::string> lines{"START-OF-LOG: 2.0"};
    if (c.contest == contest::ArrlDx || c.contest == contest::Ss) lines.push_back("ARRL-SECTION:");
    lines.push_back("CONTEST: " + c.contestLine);
    lines.push_back("CALLSIGN: K6XX");
    lines.push_back("CATEGORY:");
    if (c.contest == contest::Wpx) lines.push_back("CATEGORY-OVERLAY:");
    lines.push_back("CLAIMED-SCORE: " + c.claimedScore);
    for (const char* line : {"OPERATORS:", "CREATED-BY: KESLOG VER. 9.0a", "CLUB: NCCC",
                             "NAME: Bob Smith", "ADDRESS: 1 Main St", "ADDRESS: Town, CA 95000",
                             "ADDRESS: USA", "SOAPBOX:", "SOAPBOX:", "SOAPBOX:"})
        lines.emplace_back(line);
    lines.insert(lines.end(), c.expectedQsoLines.begin(), c.expectedQsoLines.end());
    lines.emplace_back("END-OF-LOG:");
    return lines;
}

std::vector<ContestCase> contestCases() {
    return {
        {contest::ArrlDx,
         false,
         {at(postQso("DL1ABC", 14, 1, 100, "DL", "3"), 21150, 205),
          at(postQso("JA1XYZ", 15, 2, 0, "JA", "3"), 21150, 1432)},
         {"QSO:  1800 PH 2020-01-15 0205 K6XX       59  CA     DL1ABC     59   100",
          "QSO:    50 PH 2020-01-15 1432 K6XX       59  CA     JA1XYZ     59  1000"},
         "ARRL-DX-SSB",
         "6"},  // 3 + 3 points, DL the one multiplier (6 m counts no countries)
        {contest::Cqp,
         true,
         {postQso("N6AB", 3, 1, 5, " 1", "3"), postQso("W6CD", 12, 2, 12, "SDIE", "2")},
         {"QSO: 14000 CW 2021-11-04 1234 K6XX          1 OR         N6AB          5 ALAM      ",
          "QSO:  7000 PH 2021-11-04 1234 K6XX          2 OR         W6CD         12 SDIE      "},
         "CA-QSO-PARTY",
         "5"},  // 3 + 2 points; ALAM, logged by its row number, the one multiplier
        {contest::Cqww,
         true,
         {at(postQso("EA8AA", 1, 1, 33, "", "3"), 31041, 0),
          at(postQso("K1AR", 2, 2, 5, "", "0"), 31041, 5)},
         {"QSO: 28000 CW 2021-11-04 0000 K6XX       599 3      EA8AA      599   33",
          "QSO: 21000 CW 2021-11-04 0005 K6XX       599 3      K1AR       599    5"},
         "CQ-WW-CW",
         ""},
        {contest::Sprint,
         true,
         {postQso("N6TR", 4, 1, 7, "OR", "1", "TREE"),
          postQso("K4XS", 5, 2, 123, " 2", "1", "JIM")},
         {"QSO:  7000 CW 2021-11-04 1234 K6XX          1 BOB        CA  N6TR          7 TREE       "
          "OR    ",
          "QSO:  3500 CW 2021-11-04 1234 K6XX          2 BOB        CA  K4XS        123 JIM        "
          "AL    "},
         "NA-SPRINT-CW",
         ""},
        {contest::Ss,
         true,
         {postQso("W1AW", 3, 1, 10, "B88EM", "2"), postQso("K1ZZ", 4, 2, 2, "Q01CT", "2")},
         {"QSO: 14000 CW 2021-11-04 1234 K6XX          1 A 72 SV  W1AW         10 B 88 EMA",
          "QSO:  7000 CW 2021-11-04 1234 K6XX          2 A 72 SV  K1ZZ          2 Q 01 CT "},
         "ARRL-SS-CW",
         "8"},
        {contest::Wpx,
         false,
         {postQso("KH6XX", 11, 1, 1, "KH6", "3"), postQso("G4ABC", 9, 2, 1234, "G4", "1")},
         {"QSO: 14000 PH 2021-11-04 1234 K6XX       59     1 KH6XX      59     1",
          "QSO: 28000 PH 2021-11-04 1234 K6XX       59     2 G4ABC      59  1234"},
         "CQ-WPX-SSB",
         "8"},
        {contest::Aa,
         true,
         {postQso("JA1ABC", 3, 1, 60, "JA1", "3")},
         {"QSO: 14000 CW 2021-11-04 1234 K6XX       599 45 JA1ABC     599   60"},
         "JARL-AA-CW",
         "3"},
        {contest::Paqp,
         true,
         {postQso("K3ABC", 3, 1, 4, "61", "2"), postQso("W3XYZ", 12, 2, 9, "YOR", "3")},
         {"QSO: 14000 CW 2021-11-04 1234 K6XX          1 CA         K3ABC         4 VEN       ",
          "QSO:  7000 PH 2021-11-04 1234 K6XX          2 CA         W3XYZ         9 YOR       "},
         "PA-QSO-PARTY",
         "4"},  // 3.5 points x VEN (logged by row number), to the even score
        {contest::Naqp,
         false,
         {postQso("N6TR", 11, 1, 0, " 1", "1", "TREE"),
          postQso("VE1AA", 11, 2, 0, "MARIT", "1", "JOE")},
         {"QSO: 14000 PH 2021-11-04 1234 K6XX       BOB        CA  N6TR       TREE       CT ",
          "QSO: 14000 PH 2021-11-04 1234 K6XX       BOB        CA  VE1AA      JOE        MAR"},
         "NAQP-SSB",
         ""},
    };
}

std::vector<std::string> cabrilloOf(test::PostRig& rig, const ContestCase& c, int year = 2026) {
    return cabrilloLines(rig.state,
                         rig.rescore(c.contestLine + ".KSL", c.contest, c.cw, c.qsos, false, year));
}

TEST(Cabrillo, EveryContestLineByLine) {
    for (const ContestCase& c : contestCases()) {
        SCOPED_TRACE(c.contestLine);
        test::PostRig rig;
        const std::vector<std::string> lines = cabrilloOf(rig, c);
        std::vector<std::string> expected = expectedFile(c);
        // Scores worked out by hand are filled in; the rest are taken as
        // scored, the scoring rules being tested where they live.
        if (c.claimedScore.empty()) {
            for (const std::string& line : lines)
                if (line.starts_with("CLAIMED-SCORE: "))
                    for (std::string& e : expected)
                        if (e.starts_with("CLAIMED-SCORE: ")) e = line;
        }
        EXPECT_EQ(lines, expected);
    }
}

TEST(Cabrillo, EmptyLogLongCallAndBadRecords) {
    test::PostRig rig;
    rig.state.settings.UserCallsign = "VE3/K6XXXXXX";
    ContestCase c{contest::Cqww, true, {}, {}, "CQ-WW-CW", "0"};
    std::vector<std::string> expected = expectedFile(c);
    expected[2] = "CALLSIGN: VE3/K6XXXXXX";
    EXPECT_EQ(cabrilloOf(rig, c), expected);

    // A call over 10 characters is cut in the QSO lines only; a date code
    // and a time that no clock gives are written as zeros, not garbage.
    c = {contest::Cqww,
         false,
         {at(postQso("DL1ABC", 16, 1, 14, "", "3"), 21150, 205),
          at(postQso("DL2ABC", 8, 2, 14, "", "3"), 13999, 2400)},
         {},
         "CQ-WW-SSB",
         ""};
    const std::vector<std::string> lines = cabrilloOf(rig, c, 2005);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[2], "CALLSIGN: VE3/K6XXXXXX");
    EXPECT_EQ(lines[15], "QSO:   144 PH 2000-01-15 0205 VE3/K6XXXX 59  3      DL1ABC     59    14");
    EXPECT_EQ(lines[16], "QSO:   144 CW 0000-00-00 0000 VE3/K6XXXX 59  3      DL2ABC     59    14");
}

}  // namespace
}  // namespace keslog
