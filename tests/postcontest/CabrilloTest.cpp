#include <gtest/gtest.h>

#include "PostRig.h"
#include "postcontest/Cabrillo.h"
#include "postcontest/CabrilloCheck.h"
#include "postcontest/Export.h"

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

std::vector<std::string> cabrilloOf(test::PostRig& rig, const ContestCase& c, int year = 2026,
                                    int version = 2) {
    return cabrilloLines(rig.state,
                         rig.rescore(c.contestLine + ".KSL", c.contest, c.cw, c.qsos, false, year),
                         version);
}

TEST(Cabrillo, OldFormEveryContestLineByLine) {
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

TEST(Cabrillo, OldFormEmptyLogLongCallAndBadRecords) {
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

// Today's form: the header of a single-operator station with its address,
// the contest's tags, and the QSO lines laid out by hand in the columns
// the sponsors publish.
struct FileCase {
    ContestCase qsos;  // contestLine: the log's name
    std::string contest;
    std::string location;
    std::string mode;
    std::vector<std::string> expectedQsoLines;
};

std::vector<std::string> expectedFileV3(const FileCase& c, const std::string& score) {
    std::vector<std::string> lines{"START-OF-LOG: 3.0", "CREATED-BY: KESLOG 9.0a",
                                   "CONTEST: " + c.contest, "CALLSIGN: K6XX",
                                   "LOCATION: " + c.location};
    for (const char* line :
         {"CATEGORY-OPERATOR: SINGLE-OP", "CATEGORY-ASSISTED: NON-ASSISTED", "CATEGORY-BAND: ALL"})
        lines.emplace_back(line);
    lines.push_back("CATEGORY-MODE: " + c.mode);
    for (const char* line :
         {"CATEGORY-POWER: HIGH", "CATEGORY-STATION: FIXED", "CATEGORY-TRANSMITTER: ONE"})
        lines.emplace_back(line);
    // The overlay chosen is one only WPX has.
    if (c.contest.starts_with("CQ-WPX")) lines.emplace_back("CATEGORY-OVERLAY: TB-WIRES");
    lines.push_back("CLAIMED-SCORE: " + score);
    for (const char* line :
         {"OPERATORS: K6XX", "CLUB: NCCC", "NAME: Bob Smith", "ADDRESS: 1 Main St",
          "ADDRESS-CITY: Town", "ADDRESS-STATE-PROVINCE: CA", "ADDRESS-POSTALCODE: 95000",
          "ADDRESS-COUNTRY: USA", "EMAIL: k6xx@example.com", "GRID-LOCATOR: CM87", "SOAPBOX:"})
        lines.emplace_back(line);
    lines.insert(lines.end(), c.expectedQsoLines.begin(), c.expectedQsoLines.end());
    lines.emplace_back("END-OF-LOG:");
    return lines;
}

TEST(Cabrillo, EveryContestWholeFile) {
    const std::vector<ContestCase> logs = contestCases();
    const auto log = [&logs](ContestNr nr) {
        for (const ContestCase& c : logs)
            if (c.contest == nr) return c;
        return ContestCase{};
    };
    ContestCase cqww = log(contest::Cqww);
    std::swap(cqww.qsos[0].QTime, cqww.qsos[1].QTime);  // logged out of time order
    const std::vector<FileCase> cases{
        {log(contest::ArrlDx),
         "ARRL-DX-SSB",
         "SV",
         "SSB",
         {"QSO:  1800 PH 2020-01-15 0205 K6XX           59 CA     DL1ABC         59 100",
          "QSO:    50 PH 2020-01-15 1432 K6XX           59 CA     JA1XYZ         59 1000"}},
        {log(contest::Cqp),
         "CA-QSO-PARTY",
         "DX",
         "MIXED",
         {"QSO: 14000 CW 2021-11-04 1234 K6XX          1 OR   N6AB          5 ALAM",
          "QSO:  7000 PH 2021-11-04 1234 K6XX          2 OR   W6CD         12 SDIE"}},
        {cqww,
         "CQ-WW-CW",
         "DX",
         "CW",
         {"QSO: 21000 CW 2021-11-04 0000 K6XX          599 3      K1AR          599 5",
          "QSO: 28000 CW 2021-11-04 0005 K6XX          599 3      EA8AA         599 33"}},
        {log(contest::Sprint),
         "NA-SPRINT-CW",
         "DX",
         "CW",
         {"QSO:  7000 CW 2021-11-04 1234 K6XX          1 BOB        CA  N6TR          7 TREE       "
          "OR",
          "QSO:  3500 CW 2021-11-04 1234 K6XX          2 BOB        CA  K4XS        123 JIM        "
          "AL"}},
        {log(contest::Ss),
         "ARRL-SS-CW",
         "SV",
         "CW",
         {"QSO: 14000 CW 2021-11-04 1234 K6XX          1 A 72 SV  W1AW         10 B 88 EMA",
          "QSO:  7000 CW 2021-11-04 1234 K6XX          2 A 72 SV  K1ZZ          2 Q 01 CT"}},
        {log(contest::Wpx),
         "CQ-WPX-SSB",
         "DX",
         "SSB",
         {"QSO: 14000 PH 2021-11-04 1234 K6XX           59 1      KH6XX          59 1",
          "QSO: 28000 PH 2021-11-04 1234 K6XX           59 2      G4ABC          59 1234"}},
        {log(contest::Aa),
         "AADX-CW",
         "DX",
         "CW",
         {"QSO: 14000 CW 2021-11-04 1234 K6XX          599 45     JA1ABC        599 60"}},
        {log(contest::Paqp),
         "PA-QSO-PARTY",
         "DX",
         "MIXED",
         {"QSO: 14000 CW 2021-11-04 1234 K6XX          1 CA   K3ABC         4 VEN",
          "QSO:  7000 PH 2021-11-04 1234 K6XX          2 CA   W3XYZ         9 YOR"}},
        {log(contest::Naqp),
         "NAQP-SSB",
         "DX",
         "SSB",
         {"QSO: 14000 PH 2021-11-04 1234 K6XX       BOB        CA  N6TR       TREE       CT",
          "QSO: 14000 PH 2021-11-04 1234 K6XX       BOB        CA  VE1AA      JOE        MARIT"}},
    };
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.contest);
        test::PostRig rig;
        rig.state.settings.CategoryOverlay = "TB-WIRES";
        const RescoredLog scored =
            rig.rescore(c.qsos.contestLine + ".KSL", c.qsos.contest, c.qsos.cw, c.qsos.qsos);
        const std::vector<std::string> lines = cabrilloLines(rig.state, scored);
        EXPECT_EQ(lines, expectedFileV3(c, c.qsos.claimedScore.empty()
                                               ? std::to_string(scored.claimedScore)
                                               : c.qsos.claimedScore));
        EXPECT_EQ(cabrilloProblems(lines), std::vector<std::string>{});
    }
}

// The rig's frequency in whole kHz; a QSO logged without one keeps its band's.
TEST(Cabrillo, QsoLinesCarryTheFrequencyLogged) {
    struct Case {
        ContestNr contest;
        std::vector<std::int64_t> hz;
        std::vector<std::string> v3;
        std::string firstV2;
        std::string firstAdif;  // from the band to the call
    };
    const Case cases[] = {
        {contest::Cqww,
         {28'004'560, 0},
         {"QSO: 28004 CW 2021-11-04 0000 K6XX          599 3      EA8AA         599 33",
          "QSO: 21000 CW 2021-11-04 0005 K6XX          599 3      K1AR          599 5"},
         "QSO: 28004 CW 2021-11-04 0000 K6XX       599 3      EA8AA      599   33",
         "<band:3>10m<freq:8>28.00456<mode:2>CW<call:5>EA8AA"},
        {contest::Ss,
         {14'035'990, 7'000'000},
         {"QSO: 14035 CW 2021-11-04 1234 K6XX          1 A 72 SV  W1AW         10 B 88 EMA",
          "QSO:  7000 CW 2021-11-04 1234 K6XX          2 A 72 SV  K1ZZ          2 Q 01 CT"},
         "QSO: 14035 CW 2021-11-04 1234 K6XX          1 A 72 SV  W1AW         10 B 88 EMA",
         "<band:3>20m<freq:8>14.03599<mode:2>CW<call:4>W1AW"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firstV2);
        ContestCase qsos;
        for (const ContestCase& each : contestCases())
            if (each.contest == c.contest) qsos = each;
        test::PostRig rig;
        const std::string path =
            rig.writeLog("F.KSL", c.contest, true, qsos.qsos, false, c.hz);
        const Result<RescoredLog> scored = rescoreLog(rig.state, path, rig.services(), 2026);
        ASSERT_TRUE(scored) << scored.status().message();
        const std::vector<std::string> lines = cabrilloLines(rig.state, *scored);
        EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end() - 1), c.v3);
        const std::vector<std::string> v2 = cabrilloLines(rig.state, *scored, 2);
        EXPECT_EQ(*std::ranges::find_if(v2, [](const std::string& l) { return l.starts_with("QSO:"); }),
                  c.firstV2);
        const std::string adif = adifLines(rig.state, *scored, {}).at(1);
        EXPECT_EQ(adif.substr(adif.find("<band:"), c.firstAdif.size()), c.firstAdif);
    }
}

TEST(Cabrillo, LongFieldsWidenTheirColumnsAndChoicesOutsideTheSetsAreNotWritten) {
    test::PostRig rig;
    Settings& s = rig.state.settings;
    s.UserCallsign = "VE3/K6XXXXXXXXX";
    s.ExchangeCQWWMult = "1234567";
    s.CategoryPower = "QRO";
    s.CategoryMode = "MIXED";
    s.CategoryOverlay = "CLASSIC";
    const ContestCase c{contest::Cqww, true, {postQso("VP2V/W1ABC", 3, 1, 14, "", "3")}, {},
                        "WW",          ""};
    const std::vector<std::string> lines = cabrilloOf(rig, c, 2026, 3);
    EXPECT_EQ(cabrilloProblems(lines), std::vector<std::string>{});
    EXPECT_EQ(lines[3], "CALLSIGN: VE3/K6XXXXXXXXX");
    EXPECT_EQ(lines[8], "CATEGORY-MODE: MIXED");
    EXPECT_EQ(lines[9], "CATEGORY-POWER: HIGH");
    EXPECT_EQ(lines[12], "CATEGORY-OVERLAY: CLASSIC");
    EXPECT_EQ(lines.at(lines.size() - 2),
              "QSO: 14000 CW 2021-11-04 1234 VE3/K6XXXXXXXXX 599 1234567 VP2V/W1ABC    599 14");
}

TEST(CabrilloCheck, FindsWhatARobotWouldRefuse) {
    const std::vector<std::string> good{
        "START-OF-LOG: 3.0", "CONTEST: CQ-WW-CW", "CATEGORY-POWER: LOW",
        "QSO: 14000 CW 2021-11-04 1234 K6XX 599 3 DL1ABC 599 14", "END-OF-LOG:"};
    EXPECT_EQ(cabrilloProblems(good), std::vector<std::string>{});
    struct Bad {
        std::size_t line;  // 0-based; replaced, or appended at the end
        std::string text;
        std::string problem;
    };
    const Bad bads[] = {
        {0, "START-OF-LOG: 2.0", "line 1: the file must begin START-OF-LOG: 3.0"},
        {1, "CONTEST: CQ-WW-RTTY", "line 2: unknown CONTEST CQ-WW-RTTY"},
        {2, "CATEGORY-POWER: QRO", "line 3: CATEGORY-POWER value \"QRO\" outside its set"},
        {2, "CATEGORY-MODE:", "line 3: CATEGORY-MODE value \"\" outside its set"},
        {2, "CATEGORY-COLOUR: RED", "line 3: unknown tag CATEGORY-COLOUR"},
        {3, "QSO: 14000 CW 2021-11-04 1234 K6XX 599 DL1ABC 599 14",
         "line 4: QSO has 9 fields, the contest 10"},
        {3, "QSO: 14.0 RY 2021-13-04 2460 K6XX 599 3 DL1ABC 599 14",
         "line 4: frequency 14.0 is not in kHz"},
        {3, "QSO: 14000 RY 2021-11-04 1234 K6XX 599 3 DL1ABC 599 14", "line 4: mode RY"},
        {3, "QSO: 14000 CW 2021-13-04 1234 K6XX 599 3 DL1ABC 599 14", "line 4: date 2021-13-04"},
        {3, "QSO: 14000 CW 2021-11-04 2460 K6XX 599 3 DL1ABC 599 14", "line 4: time 2460"},
        {4, "QSO: 14000 CW 2021-11-04 1233 K6XX 599 3 DL1ABC 599 14",
         "line 5: QSO out of time order"},
        {4, "SOAPBOX: late", "line 5: no END-OF-LOG"},
        {5, "SOAPBOX: after", "line 6: a line after END-OF-LOG"},
    };
    for (const Bad& bad : bads) {
        std::vector<std::string> lines = good;
        if (bad.line < lines.size())
            lines[bad.line] = bad.text;
        else
            lines.push_back(bad.text);
        const std::vector<std::string> problems = cabrilloProblems(lines);
        ASSERT_FALSE(problems.empty()) << bad.text;
        EXPECT_EQ(problems[0], bad.problem);
    }
}

}  // namespace
}  // namespace keslog
