#include <gtest/gtest.h>

#include <sstream>

#include "callsign/NorthAmerica.h"

namespace keslog {
namespace {

TEST(NorthAmerica, ClassOfPrefix) {
    // Each class with the prefixes that fall in it, space-separated; the
    // order of the tests shows in KL7 (before K is USA), KH6 (no class),
    // C6A and the three-character groups that come last.
    const std::pair<const char*, std::string> cases[] = {
        {"USA", "K1 N0 W6 KH AA1 AG4 AI6 AK0 AF1 KC4 NB2 WB2ABC4"},
        {"NA",
         "C6 J3 J7 V3 AL7 KL7 NL7 WL7 KP4 NP2 WP4 XE1 XA2 XI3 6Y5 6D2 6J3 8P6 C6A CO2 CM2 FG5 FJ5 "
         "FM5 FP5 FS5 HH2 HI3 HO1 HP1 HQ2 HR2 OX3 TG9 TD9 TI2 TE8 YN2 YS1 ZF2 J37 J68 J88 V26 V31 "
         "V47 HT1 HU1 PJ5 PJ8 VP2 VP5 VP9 VP2E"},
        {"-", "V5 VE AH6 KH6 NH6 WH7 AH2 PJ4 PJ9 VP8 JA1 AH0 AM1 VH1 XP1 6K2 K"},
        {"CANADA", "VE3 VA7 VG1 VO1 VX9 VY2 CF3 CK2 CY0 CZ7 XJ1 XO9"},
    };
    for (const auto& [naClass, prefixes] : cases) {
        std::istringstream in(prefixes);
        for (std::string prefix; in >> prefix;)
            EXPECT_EQ(NAClassName(NAClassOf(prefix)), naClass) << prefix;
    }
    EXPECT_EQ(NAClassName(NAClassOf("")), "-");
}

struct PointsCase {
    ContestNr contest;
    OwnStation own;
    BandModeCode bandMode;
    const char* worked;
    const char* points;
};

TEST(NorthAmerica, PointsByContestLocationBandAndWorkedPrefix) {
    constexpr OwnStation usa{true, false};
    constexpr OwnStation canada{false, true};
    constexpr OwnStation elsewhere{false, false};
    const BandModeCode cw10 = bandModeCode(band::B10, false);
    const BandModeCode cw15 = bandModeCode(band::B15, false);
    const BandModeCode ssb20 = bandModeCode(band::B20, true);
    const BandModeCode cw40 = bandModeCode(band::B40, false);
    const BandModeCode cw80 = bandModeCode(band::B80, false);
    const BandModeCode ssb160 = bandModeCode(band::B160, true);
    const BandModeCode cw6 = bandModeCode(band::B6, false);
    const BandModeCode ssb2 = bandModeCode(band::B2, true);
    // The last rows: no result for other stations and contests.
    const PointsCase cases[] = {
        {contest::Wpx, usa, cw40, "W1", "1"},       {contest::Wpx, usa, cw40, "VE3", "4"},
        {contest::Wpx, usa, ssb20, "VE3", "2"},     {contest::Wpx, usa, cw10, "KP4", "2"},
        {contest::Wpx, usa, ssb160, "KL7", "4"},    {contest::Wpx, usa, cw15, "JA1", "3"},
        {contest::Wpx, usa, cw80, "JA1", "6"},      {contest::Wpx, usa, cw6, "JA1", "6"},
        {contest::Wpx, usa, ssb2, "JA1", "6"},      {contest::Wpx, usa, cw15, "KH6", "3"},
        {contest::Wpx, canada, cw80, "VE3", "1"},   {contest::Wpx, canada, cw10, "W1", "2"},
        {contest::Wpx, canada, ssb160, "K1", "4"},  {contest::Wpx, canada, ssb20, "DL1", "3"},
        {contest::Cqww, usa, cw40, "K1", "0"},      {contest::Cqww, usa, cw40, "VE3", "2"},
        {contest::Cqww, usa, cw10, "KL7", "2"},     {contest::Cqww, usa, cw10, "KH6", "3"},
        {contest::Cqww, canada, cw80, "VE3", "0"},  {contest::Cqww, canada, cw80, "K1", "2"},
        {contest::Cqww, canada, cw80, "XE1", "2"},  {contest::Cqww, canada, cw80, "G4", "3"},
        {contest::Wpx, elsewhere, cw40, "VE3", ""}, {contest::Cqww, elsewhere, cw40, "VE3", ""},
        {contest::ArrlDx, usa, cw40, "JA1", ""},    {contest::Aa, canada, cw40, "JA1", ""},
        {contest::Ss, usa, cw40, "K1", ""},
    };
    for (const PointsCase& c : cases)
        EXPECT_EQ(NAPoints(c.worked, c.contest, c.own, c.bandMode), c.points)
            << "contest " << c.contest << " usa " << c.own.QTHUSAFlag << " band-mode " << c.bandMode
            << " " << c.worked;
}

}  // namespace
}  // namespace keslog
