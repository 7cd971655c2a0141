#include <gtest/gtest.h>

#include "callsign/CountryFile.h"
#include "callsign/CountryLookup.h"

namespace keslog {
namespace {

// Numbers 1..9 in file order.
constexpr std::string_view kFile =
    "United States(000):05:K:K,N,W,AA;\n"  // 1
    "Hawaii(280):31:KH6:KH6,AH6,\n"        // 2
    "&WH6;\n"
    "Norfolk Island(250):32:VK9N:VK9N,VK9;\n"          // 3
    "Australia(250):30:VK:VK,AX;\n"                    // 4
    "Eswatini(080):38:3DA:3DA;\n"                      // 5
    "Mozambique(080):37:C9:C9,3DA0;\n"                 // 6
    "First(001):14:XX:XX1;\n"                          // 7
    "Second(002):14:YY:XX1,YY1,ja,K1ABC,KH6/K1XYZ;\n"  // 8
    "Japan(310):25:JA:JA;\n";                          // 9

class CountryLookup : public ::testing::Test {
  protected:
    void SetUp() override {
        Result<CountryTables> read = parseCountryFile(kFile, "arrl.cty");
        ASSERT_TRUE(read.isOk());
        tables = std::move(*read);
    }
    CountryTables tables;
};

struct LookupCase {
    const char* call;
    int country;
    const char* why;
};

TEST_F(CountryLookup, ResolvesByExactCallThenLongestAliasOfTheKey) {
    const LookupCase cases[] = {
        {"K1ABC", 8, "a whole call wins over the earlier prefix K"},
        {"KH6/K1XYZ", 8, "a whole call with a designator"},
        {"K1XYZ", 1, "key K1 falls back to K"},
        {"KH6XX", 2, "key KH6 is an alias of its own"},
        {"KH7XX", 1, "key KH7 has none: KH, then K"},
        {"AH6A", 2, ""},
        {"WH6ABC", 2, "alias from a continuation line"},
        {"AA1A", 1, ""},
        {"K1ABC/KH6", 2, "the designator is the key"},
        {"KH6/W1AW", 2, ""},
        {"VK9NS", 3, "VK9N is looked up as it stands"},
        {"VK9XX", 3, "WPX prefix VK9"},
        {"VK2ABC", 4, ""},
        {"3DA0BP", 5, "key 3DA, never the WPX prefix 3DA0"},
        {"XX1ABC", 7, "the first of two countries listing XX1"},
        {"YY1ABC", 8, ""},
        {"JA1ABC", 9, "the lower-case alias ja never matches"},
        {"ja1abc", 8, "a lower-case call meets only the lower-case alias"},
        {"k1abc", 0, ""},
        {"ZS6ABC", 0, "nothing matches"},
        {"", 0, ""},
        {"/", 0, ""},
    };
    for (const LookupCase& c : cases)
        EXPECT_EQ(CountryOfCall(tables, c.call), c.country) << c.call << ": " << c.why;
}

TEST_F(CountryLookup, SearchKeys) {
    const std::pair<const char*, const char*> cases[] = {
        {"3DA0BP", "3DA"}, {"3DA", "3DA"},     {"VK9NS", "VK9N"},   {"VK9N", "VK9N"},
        {"VK9", "VK9"},    {"4U1ITU", "4U1I"}, {"KH7KY", "KH7K"},   {"VP2EAB", "VP2E"},
        {"VP2ABC", "VP2"}, {"K1ABC", "K1"},    {"W1AW/KH6", "KH6"}, {"CE0ZIS", "CE0Z"},
    };
    for (const auto& [call, key] : cases) EXPECT_EQ(countrySearchKeyOf(call), key) << call;
}

}  // namespace
}  // namespace keslog
