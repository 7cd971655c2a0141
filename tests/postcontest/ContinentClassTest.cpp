#include <gtest/gtest.h>

#include "postcontest/ContinentClass.h"

namespace keslog {
namespace {

TEST(ContinentClass, PrefixTable) {
    struct Case {
        const char* prefix;
        const char* cls;
    };
    const Case cases[] = {
        {"W", "NONE"},   {"", "NONE"},    {"W6", "US"},   {"N1", "US"},    {"G4", "EU"},
        {"B1", "AS"},    {"C6", "NA"},    {"J5", "NONE"}, {"J6", "NA"},    {"J8", "NA"},
        {"V4", "NA"},    {"V5", "NONE"},  {"S5", "EU"},   {"P3", "AS"},    {"Z2", "NONE"},
        {"KH6", "OC"},   {"K6", "US"},    {"KP4", "NA"},  {"KL7", "NA"},   {"UA3", "EU"},
        {"UA9", "AS"},   {"RA0", "AS"},   {"RA6", "EU"},  {"UA1", "EU"},   {"JT1", "NONE"},
        {"JA1", "JA"},   {"JE1", "JA"},   {"JS3", "JA"},  {"7N4", "JA"},   {"8J1", "NONE"},
        {"CT3", "AF"},   {"CT1", "EU"},   {"EA8", "AF"},  {"EA3", "EU"},   {"PJ5", "NA"},
        {"PJ4", "SA"},   {"PJ9", "SA"},   {"VP2", "NA"},  {"VP8", "NONE"}, {"9M2", "AS"},
        {"9M6", "OC"},   {"9M4", "NONE"}, {"AA1", "US"},  {"AG9", "US"},   {"AH6", "OC"},
        {"AI5", "US"},   {"AL7", "NA"},   {"VE3", "VE"},  {"VA7", "VE"},   {"XJ1", "VE"},
        {"XP1", "NONE"}, {"XE1", "NA"},   {"DL1", "EU"},  {"DS2", "AS"},   {"DU1", "OC"},
        {"VK2", "OC"},   {"ZL1", "OC"},   {"ZS6", "AF"},  {"ZV5", "SA"},   {"LU1", "SA"},
        {"LZ1", "EU"},   {"PY2", "SA"},   {"I21", "EU"},  {"2E0", "EU"},   {"BY1", "AS"},
        {"BA1", "AS"},   {"CN8", "AF"},   {"4X6", "AS"},  {"T97", "EU"},   {"UN7", "AS"},
        {"UR5", "EU"},   {"R1", "NONE"},  {"RZ3", "EU"},  {"UAA", "AS"},   {"9J2", "NONE"},
    };
    for (const Case& c : cases) EXPECT_EQ(continentClassOf(c.prefix), c.cls) << c.prefix;
}

}  // namespace
}  // namespace keslog
