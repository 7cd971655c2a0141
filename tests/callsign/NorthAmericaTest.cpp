#include <gtest/gtest.h>

#include "callsign/NorthAmerica.h"

namespace keslog {
namespace {

// keslog-cli lookup shows the class of every prefix a call can have; these
// are prefixes no call has.
TEST(NorthAmerica, ClassOfPrefixesWithoutTheirDigit) {
    const std::pair<const char*, const char*> cases[] = {
        {"KH", "USA"}, {"C6A", "NA"}, {"VE", "-"}, {"K", "-"}, {"", "-"}};
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
