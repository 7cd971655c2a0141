#include <gtest/gtest.h>

#include "callsign/NorthAmerica.h"

namespace keslog {
namespace {

TEST(NorthAmerica, ClassOfPrefix) {
    const std::pair<const char*, const char*> cases[] = {
        // Two characters.
        {"K1", "USA"},
        {"N0", "USA"},
        {"W6", "USA"},
        {"C6", "NA"},
        {"J3", "NA"},
        {"J7", "NA"},
        {"V3", "NA"},
        {"V5", "-"},
        {"VE", "-"},
        {"KH", "USA"},
        // Three or more: the USA ranges come first.
        {"AA1", "USA"},
        {"AG4", "USA"},
        {"AI6", "USA"},
        {"AK0", "USA"},
        {"AF1", "USA"},
        // Other North America, including Alaska, before K is USA.
        {"AL7", "NA"},
        {"KL7", "NA"},
        {"NL7", "NA"},
        {"WL7", "NA"},
        {"KP4", "NA"},
        {"NP2", "NA"},
        {"WP4", "NA"},
        {"XE1", "NA"},
        {"XA2", "NA"},
        {"XI3", "NA"},
        {"6Y5", "NA"},
        {"6D2", "NA"},
        {"6J3", "NA"},
        {"8P6", "NA"},
        {"C6A", "NA"},
        {"CO2", "NA"},
        {"CM2", "NA"},
        {"FG5", "NA"},
        {"FJ5", "NA"},
        {"FM5", "NA"},
        {"FP5", "NA"},
        {"FS5", "NA"},
        {"HH2", "NA"},
        {"HI3", "NA"},
        {"HO1", "NA"},
        {"HP1", "NA"},
        {"HQ2", "NA"},
        {"HR2", "NA"},
        {"OX3", "NA"},
        {"TG9", "NA"},
        {"TD9", "NA"},
        {"TI2", "NA"},
        {"TE8", "NA"},
        {"YN2", "NA"},
        {"YS1", "NA"},
        {"ZF2", "NA"},
        // Hawaii and the Pacific end the tests with no class.
        {"AH6", "-"},
        {"KH6", "-"},
        {"NH6", "-"},
        {"WH7", "-"},
        {"AH2", "-"},
        // Caribbean two-letter groups.
        {"J37", "NA"},
        {"J68", "NA"},
        {"J88", "NA"},
        {"V26", "NA"},
        {"V31", "NA"},
        {"V47", "NA"},
        {"HT1", "NA"},
        {"HU1", "NA"},
        // Canada.
        {"VE3", "CANADA"},
        {"VA7", "CANADA"},
        {"VG1", "CANADA"},
        {"VO1", "CANADA"},
        {"VX9", "CANADA"},
        {"VY2", "CANADA"},
        {"CF3", "CANADA"},
        {"CK2", "CANADA"},
        {"CY0", "CANADA"},
        {"CZ7", "CANADA"},
        {"XJ1", "CANADA"},
        {"XO9", "CANADA"},
        // Any other K, N or W is USA.
        {"KC4", "USA"},
        {"NB2", "USA"},
        {"WB2ABC4", "USA"},
        // Three-character groups come last.
        {"PJ5", "NA"},
        {"PJ8", "NA"},
        {"PJ4", "-"},
        {"PJ9", "-"},
        {"VP2", "NA"},
        {"VP5", "NA"},
        {"VP9", "NA"},
        {"VP8", "-"},
        {"VP2E", "NA"},
        // Elsewhere.
        {"JA1", "-"},
        {"AH0", "-"},
        {"AM1", "-"},
        {"VH1", "-"},
        {"XP1", "-"},
        {"6K2", "-"},
        {"K", "-"},
        {"", "-"},
    };
    for (const auto& [prefix, naClass] : cases)
        EXPECT_EQ(NAClassName(NAClassOf(prefix)), naClass) << prefix;
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
    const PointsCase cases[] = {
        // WPX from the USA.
        {contest::Wpx, usa, cw40, "W1", "1"},
        {contest::Wpx, usa, cw40, "VE3", "4"},
        {contest::Wpx, usa, ssb20, "VE3", "2"},
        {contest::Wpx, usa, cw10, "KP4", "2"},
        {contest::Wpx, usa, ssb160, "KL7", "4"},
        {contest::Wpx, usa, cw15, "JA1", "3"},
        {contest::Wpx, usa, cw80, "JA1", "6"},
        {contest::Wpx, usa, cw6, "JA1", "6"},
        {contest::Wpx, usa, ssb2, "JA1", "6"},
        {contest::Wpx, usa, cw15, "KH6", "3"},
        // WPX from Canada.
        {contest::Wpx, canada, cw80, "VE3", "1"},
        {contest::Wpx, canada, cw10, "W1", "2"},
        {contest::Wpx, canada, ssb160, "K1", "4"},
        {contest::Wpx, canada, ssb20, "DL1", "3"},
        // CQWW.
        {contest::Cqww, usa, cw40, "K1", "0"},
        {contest::Cqww, usa, cw40, "VE3", "2"},
        {contest::Cqww, usa, cw10, "KL7", "2"},
        {contest::Cqww, usa, cw10, "KH6", "3"},
        {contest::Cqww, canada, cw80, "VE3", "0"},
        {contest::Cqww, canada, cw80, "K1", "2"},
        {contest::Cqww, canada, cw80, "XE1", "2"},
        {contest::Cqww, canada, cw80, "G4", "3"},
        // No result for other stations and contests.
        {contest::Wpx, elsewhere, cw40, "VE3", ""},
        {contest::Cqww, elsewhere, cw40, "VE3", ""},
        {contest::ArrlDx, usa, cw40, "JA1", ""},
        {contest::Aa, canada, cw40, "JA1", ""},
        {contest::Ss, usa, cw40, "K1", ""},
    };
    for (const PointsCase& c : cases)
        EXPECT_EQ(NAPoints(c.worked, c.contest, c.own, c.bandMode), c.points)
            << "contest " << c.contest << " usa " << c.own.QTHUSAFlag << " band-mode " << c.bandMode
            << " " << c.worked;
}

}  // namespace
}  // namespace keslog
