#include <gtest/gtest.h>

#include "callsign/Prefix.h"

namespace keslog {
namespace {

TEST(WPXPrefix, OfEveryKindOfCall) {
    const std::pair<const char*, const char*> cases[] = {
        // A plain call runs to its last digit.
        {"K1ABC", "K1"},
        {"W6OAT", "W6"},
        {"JA1ABC", "JA1"},
        {"N22ABC", "N22"},  // letter, digit, digit keeps both
        {"4X4ABC", "4X4"},  // a first-place digit is never the one found
        {"9A1AA", "9A1"},
        {"KC4AAA", "KC4"},
        {"WB2ABC4D", "WB2ABC4"},  // a digit in the suffix
        {"3DA0BP", "3DA0"},
        // Without a digit after the first character: two letters and zero.
        {"RAEM", "RA0"},
        {"4UABC", "4U0"},
        {"K", "K0"},
        {"AB", "AB0"},
        // Plain portable designators never form a prefix.
        {"K1ABC/P", "K1"},
        {"K1ABC/A", "K1"},
        {"K1ABC/J", "K1"},
        {"K1ABC/M", "K1"},
        {"K1ABC/MM", "K1"},
        {"P/K1ABC", "K1"},
        {"A/K1ABC", "K1"},
        {"MM/K1ABC", "K1"},
        {"JA1ABC/MM", "JA1"},
        // A one-digit designator moves the call area.
        {"K1ABC/4", "K4"},
        {"JA1ABC/3", "JA3"},
        {"N22ABC/5", "N25"},  // only the last character of the prefix is replaced
        {"RAEM/3", "RA3"},    // prefix of a call without digit
        {"W/3", "W3"},        // equal lengths: the part after is the designator
        {"3/K1ABC", "K3"},    // a digit before the "/" counts as the same designator
        {"7/JA1ABC", "JA7"},
        // A one-letter designator is the letter and zero.
        {"F/G3ABC", "F0"},
        {"G3ABC/F", "F0"},
        {"K1ABC/Q", "Q0"},
        // A longer designator is the designator, or it and zero.
        {"DL/K1ABC", "DL0"},
        {"K1ABC/DL", "DL0"},
        {"VE3/K1ABC", "VE3"},
        {"K1ABC/VE3", "VE3"},
        {"KH6/W1AW", "KH6"},
        {"W1AW/KH6", "KH6"},
        {"VP2E/K1ABC", "VP2E"},  // digit next to last
        {"K1ABC/3D2C", "3D2C"},
        {"C6A/K1ABC", "C6"},  // "C6A" is always "C6"
        {"K1ABC/C6A", "C6"},
        {"C6AGU", "C6"},
        {"AB1/CD2", "CD2"},  // equal lengths: the part after
        {"K1ABCD/VE3A", "VE3A"},
        // The part before is the designator only when strictly shorter; a
        // shorter part after is, and otherwise the part before, whatever it holds.
        {"JA1ABC/VK9", "VK9"},
        {"VK9/JA1ABC", "VK9"},
        {"ABCD/K1AB", "K1AB0"},
        {"K1AB/JA1ABC", "K1AB0"},
        // Empty designators and stray slashes: the entry code hands over
        // whatever was typed, and nothing may fail.
        {"K1ABC/", "K1"},
        {"/K1ABC", "K1"},
        {"//JA1ABC", "JA1"},
        {"", ""},
        {"/", ""},
        {"/1", "10"},
        {"1/", "1/0"},
        {"A/B/C", "B/0"},
        {"K1/2/3", "K1"},
    };
    for (const auto& [call, prefix] : cases) EXPECT_EQ(WPXPrefixOf(call), prefix) << call;
}

}  // namespace
}  // namespace keslog
