#include <gtest/gtest.h>

#include <sstream>

#include "postcontest/ContinentClass.h"

namespace keslog {
namespace {

TEST(ContinentClass, PrefixTable) {
    // Each class with the prefixes that fall in it, space-separated.
    const std::pair<const char*, std::string> cases[] = {
        {"NONE", "W J5 V5 Z2 JT1 8J1 VP8 9M4 XP1 R1 9J2"},
        {"US", "W6 N1 K6 AA1 AG9 AI5"},
        {"EU", "G4 S5 UA3 RA6 UA1 CT1 EA3 DL1 LZ1 I21 2E0 T97 UR5 RZ3"},
        {"AS", "B1 P3 UA9 RA0 9M2 DS2 BY1 BA1 4X6 UN7 UAA"},
        {"NA", "C6 J6 J8 V4 KP4 KL7 PJ5 VP2 AL7 XE1"},
        {"OC", "KH6 9M6 AH6 DU1 VK2 ZL1"},
        {"JA", "JA1 JE1 JS3 7N4"},
        {"AF", "CT3 EA8 ZS6 CN8"},
        {"SA", "PJ4 PJ9 ZV5 LU1 PY2"},
        {"VE", "VE3 VA7 XJ1"},
    };
    for (const auto& [cls, prefixes] : cases) {
        std::istringstream in(prefixes);
        for (std::string prefix; in >> prefix;) EXPECT_EQ(continentClassOf(prefix), cls) << prefix;
    }
    EXPECT_EQ(continentClassOf(""), "NONE");
}

}  // namespace
}  // namespace keslog
