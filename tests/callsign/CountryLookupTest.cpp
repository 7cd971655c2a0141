#include <gtest/gtest.h>

#include "callsign/CountryFile.h"
#include "callsign/CountryLookup.h"

namespace keslog {
namespace {

// Calls typed in lower case never reach the lookup from the command line.
TEST(CountryLookup, ALowerCaseCallMeetsOnlyALowerCaseAlias) {
    Result<CountryTables> read =
        parseCountryFile("United States(000):05:K:K;\nSecond(002):14:YY:ja;\n", "arrl.cty");
    ASSERT_TRUE(read.isOk());
    EXPECT_EQ(CountryOfCall(*read, "ja1abc"), 2);
    EXPECT_EQ(CountryOfCall(*read, "JA1ABC"), 0);
    EXPECT_EQ(CountryOfCall(*read, "k1abc"), 0);
}

TEST(CountryLookup, SearchKeys) {
    const std::pair<const char*, const char*> cases[] = {
        {"3DA0BP", "3DA"}, {"3DA", "3DA"},     {"VK9NS", "VK9N"},   {"VK9N", "VK9N"},
        {"VK9", "VK9"},    {"4U1ITU", "4U1I"}, {"KH7KY", "KH7K"},   {"VP2EAB", "VP2E"},
        {"VP2ABC", "VP2"}, {"K1ABC", "K1"},    {"W1AW/KH6", "KH6"}, {"CE0ZIS", "CE0Z"},
    };
    for (const auto& [call, key] : cases) EXPECT_EQ(countrySearchKeyOf(call), key) << call;
}

}  // namespace
}  // namespace keslog
