#include <gtest/gtest.h>

#include "callsign/CtyDat.h"

namespace keslog {
namespace {

TEST(BeamHeading, GreatCircleFromHome) {
    const GeoPosition origin{0, 0};
    EXPECT_EQ(beamHeading(origin, {10, 0}), 0);
    EXPECT_EQ(beamHeading(origin, {0, 10}), 90);
    EXPECT_EQ(beamHeading(origin, {-10, 0}), 180);
    EXPECT_EQ(beamHeading(origin, {0, -10}), 270);
    EXPECT_EQ(beamHeading(origin, origin), 0);
    EXPECT_EQ(beamHeading(origin, {10, -0.01}), 0);  // 359.9 rounds to north
    // New York to London is about 51 degrees, not the 77 of a flat map.
    EXPECT_EQ(beamHeading({40.71, -74.01}, {51.51, -0.13}), 51);
    // From the middle of the USA: India nearly over the pole, Japan to the
    // north-west.
    EXPECT_EQ(beamHeading(kDefaultHome, {28.6, 77.2}), 4);
    EXPECT_EQ(beamHeading(kDefaultHome, {35.68, 139.77}), 316);
}

}  // namespace
}  // namespace keslog
