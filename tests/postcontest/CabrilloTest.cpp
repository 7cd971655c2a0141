#include <gtest/gtest.h>

#include "PostRig.h"
#include "postcontest/Cabrillo.h"
#include "postcontest/CabrilloCheck.h"

namespace keslog {
namespace {

using test::at;
using test::postQso;

std::vector<std::string> cabrilloOf(test::PostRig& rig, bool cw,
                                    const std::vector<QSORecName>& qsos, int year, int version) {
    return cabrilloLines(rig.state, rig.rescore("WW.KSL", contest::Cqww, cw, qsos, false, year),
                         version);
}

TEST(Cabrillo, OldFormLongCallAndBadRecords) {
    test::PostRig rig;
    rig.state.settings.UserCallsign = "VE3/K6XXXXXX";
    // A call over 10 characters is cut in the QSO lines only; a date code
    // and a time that no clock gives are written as zeros, not garbage.
    const std::vector<std::string> lines =
        cabrilloOf(rig, false,
                   {at(postQso("DL1ABC", 16, 1, 14, "", "3"), 21150, 205),
                    at(postQso("DL2ABC", 8, 2, 14, "", "3"), 13999, 2400)},
                   2005, 2);
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[2], "CALLSIGN: VE3/K6XXXXXX");
    EXPECT_EQ(lines[15], "QSO:   144 PH 2000-01-15 0205 VE3/K6XXXX 59  3      DL1ABC     59    14");
    EXPECT_EQ(lines[16], "QSO:   144 CW 0000-00-00 0000 VE3/K6XXXX 59  3      DL2ABC     59    14");
}

TEST(Cabrillo, LongFieldsWidenTheirColumnsAndChoicesOutsideTheSetsAreNotWritten) {
    test::PostRig rig;
    Settings& s = rig.state.settings;
    s.UserCallsign = "VE3/K6XXXXXXXXX";
    s.ExchangeCQWWMult = "1234567";
    s.CategoryPower = "QRO";
    s.CategoryMode = "MIXED";
    s.CategoryOverlay = "CLASSIC";
    const std::vector<std::string> lines =
        cabrilloOf(rig, true, {postQso("VP2V/W1ABC", 3, 1, 14, "", "3")}, 2026, 3);
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
