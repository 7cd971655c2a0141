#include <gtest/gtest.h>

#include "model/Band.h"
#include "model/MainMod.h"

namespace keslog {
namespace {

TEST(BandModeCode, CodesCarryBandAndMode) {
    struct Case {
        int code, band;
        bool cw;
        int bandClass;
    };
    const Case cases[] = {
        {3, band::B20, true, 3},    {11, band::B20, false, 3}, {6, band::B160, true, 6},
        {14, band::B160, false, 6}, {7, band::B6, true, 7},    {15, band::B6, false, 7},
        {8, band::B2, true, 0},     {16, band::B2, false, 0},  {1, band::B10, true, 1},
        {9, band::B10, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(bandIndexOf(c.code), c.band);
        EXPECT_EQ(isCw(c.code), c.cw);
        EXPECT_EQ(bandClass(c.code), c.bandClass);
        EXPECT_EQ(bandModeCode(c.band, !c.cw), c.code);
    }
}

BandActiveSet activeBands(std::initializer_list<int> bands) {
    BandActiveSet set{};
    for (int b : bands) set[static_cast<std::size_t>(b)] = true;
    return set;
}

TEST(BandStepping, SkipsInactiveBandsAndKeepsTheMode) {
    struct Case {
        BandActiveSet active;
        BandModeCode from, next, previous;
    };
    const BandActiveSet contestBands = activeBands({1, 2, 3, 4, 5, 6});
    const Case cases[] = {
        {contestBands, 3, 4, 2},     // 20 m CW -> 40 / 15
        {contestBands, 11, 12, 10},  // 20 m phone stays phone
        {contestBands, 6, 1, 5},     // 160 wraps to 10 (6 m and 2 m inactive)
        {contestBands, 1, 2, 6},     // 10 wraps back to 160
        {activeBands({2, 5}), 2, 5, 5},
        {activeBands({2, 5}), 13, 10, 10},  // 80 m phone -> 15 m phone both ways
        {activeBands({3}), 3, 3, 3},        // only band: stays
        {activeBands({1, 7, 8}), 8, 1, 7},  // 2 m -> 10 m; back to 6 m
        {activeBands({4}), 3, 4, 4},        // current band inactive: go to the active one
        {activeBands({}), 5, 5, 5},         // nothing active: keep, never loop forever
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(nextActiveBand(c.from, c.active), c.next);
        EXPECT_EQ(previousActiveBand(c.from, c.active), c.previous);
    }
}

}  // namespace
}  // namespace keslog
