#include <gtest/gtest.h>

#include "callsign/CountryFile.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

CountryTables parse(std::string_view text) {
    Result<CountryTables> read = parseCountryFile(text, "arrl.cty");
    EXPECT_TRUE(read.isOk()) << read.status().message();
    return read.isOk() ? std::move(*read) : CountryTables{};
}

// Each alias and its country's number, a blank after each.
std::string aliasesOf(const CountryTables& t) {
    std::string out;
    for (const CountryAlias& a : t.aliases())
        out += a.text + ":" + std::to_string(a.countryNr) + " ";
    return out;
}

TEST(CountryFile, CountryLineFields) {
    const CountryTables t = parse(
        "United States(000):05:K:K,W,N;\n"
        "  Long Name Of A Far Away Country Island(123) :14: dl :DL\n"
        "No Heading: 9:   vk9x  :VK9X;\n"
        "Open Paren(42:27:T8:T8;\n"
        "Greenland(010):40: ox :OX;\n");
    ASSERT_EQ(t.CountryCount(), 5);
    const Country& usa = t.country(1);
    EXPECT_EQ(usa.CtyName.raw(), "United States            ");
    EXPECT_EQ(usa.CtyHeading.raw(), "000");
    EXPECT_EQ(usa.CtyZone.raw(), "05");
    EXPECT_EQ(usa.CtyPrefix.raw(), "K    ");
    EXPECT_EQ(usa.CtyContinent.raw(), "NA");

    const Country& far = t.country(2);
    EXPECT_EQ(far.CtyName.raw(), "Long Name Of A Far Away C");  // cut to 25
    EXPECT_EQ(far.CtyHeading.raw(), "123");
    EXPECT_EQ(far.CtyPrefix.trimmed(), "DL");  // trimmed and upper-cased
    EXPECT_EQ(far.CtyContinent.raw(), "EU");

    const Country& noHeading = t.country(3);
    EXPECT_EQ(noHeading.CtyName.trimmed(), "No Heading");
    EXPECT_EQ(noHeading.CtyHeading.raw(), "   ");
    EXPECT_EQ(noHeading.CtyZone.raw(), " 9");  // the two characters before the second ":"
    EXPECT_EQ(noHeading.CtyPrefix.trimmed(), "VK9X");
    EXPECT_EQ(noHeading.CtyContinent.raw(), "SA");

    // A heading is the three characters after "(", closed or not.
    EXPECT_EQ(t.country(4).CtyHeading.raw(), "42 ");
    EXPECT_EQ(t.country(4).CtyName.trimmed(), "Open Paren");
    // The continent's exceptions see the trimmed, upper-case prefix; the
    // reader upper-cases it, not the rule.
    EXPECT_EQ(t.country(5).CtyContinent.raw(), "NA");
    EXPECT_EQ(continentOfZone("20", "ta"), "EU");
}

TEST(CountryFile, AliasesWithTerminatorsAndContinuationLines) {
    const CountryTables t = parse(
        "\r\n"
        "A(001):05:K: K , W,,N ,\r\n"
        "   & KH6ABC, k1abc\r\n"
        "\t&AA ;\r\n"
        "\n"
        "B(002):14:DL:DL,\n"
        "&DA;\n"
        "C(003):14:F:\n"
        "D(004):14:G:G;;\n");
    EXPECT_EQ(aliasesOf(t), "K:1 W:1 N:1 KH6ABC:1 k1abc:1 AA:1 DL:2 DA:2 G;:4 ");
    EXPECT_EQ(t.AliasCount(), 9);
    EXPECT_EQ(t.CountryCount(), 4);
    EXPECT_EQ(parse("\n  \r\n").CountryCount(), 0);
}

TEST(CountryFile, HomeCountriesAreFoundByPrefixLastOneWinning) {
    const CountryTables t = parse(
        "Canada(010):05:VE:VE;\n"
        "United States(000):05: k :K;\n"
        "Other(000):05:KH6:KH6;\n"
        "Canada Again(010):05:VE:VA;\n");
    EXPECT_EQ(t.USACountryNr, 2);
    EXPECT_EQ(t.CanadaCountryNr, 4);
    EXPECT_EQ(parse("X(000):05:W:W;\n").USACountryNr, 0);
}

TEST(CountryFile, ShortFieldsReadAsFarAsTheyGo) {
    const CountryTables t = parse("::K:K");
    ASSERT_EQ(t.CountryCount(), 1);
    EXPECT_EQ(t.country(1).CtyZone.raw(), ": ");
    EXPECT_EQ(t.country(1).CtyContinent.raw(), "  ");
}

TEST(CountryFile, ReadingTheFileKeepsOldTablesOnError) {
    test::TempDir dir;
    CountryTables tables;
    dir.write("arrl.cty", "A(001):05:K:K;\n");
    ASSERT_TRUE(ReadCountryFile(dir.file("arrl.cty"), tables).isOk());
    EXPECT_EQ(tables.CountryCount(), 1);

    dir.write("arrl.cty", "B(001):05:VE:VE;\nbroken\n");
    EXPECT_FALSE(ReadCountryFile(dir.file("arrl.cty"), tables).isOk());
    EXPECT_EQ(tables.CountryCount(), 1);
    EXPECT_EQ(tables.country(1).CtyPrefix.trimmed(), "K");
}

TEST(CountryFile, TablesGrowBeyondTheOldFixedSizes) {
    std::string text;
    for (int i = 1; i <= 400; ++i) {
        text += "C" + std::to_string(i) + "(000):14:P" + std::to_string(i) + ":";
        for (int j = 0; j < 10; ++j)
            text += "A" + std::to_string(i) + "X" + std::to_string(j) + ",";
        text += "\n";
    }
    const CountryTables t = parse(text);
    EXPECT_EQ(t.CountryCount(), 400);
    EXPECT_EQ(t.AliasCount(), 4000);
    EXPECT_EQ(t.countryOfAlias("A400X9"), 400);
}

}  // namespace
}  // namespace keslog
