#include <gtest/gtest.h>

#include <algorithm>

#include "callsign/CountryFile.h"
#include "callsign/CountryLookup.h"
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

// Entities placed so that the headings from (0, 0) are plain; CTY.DAT
// writes longitudes west positive.
constexpr std::string_view kCtyDat =
    "United States:            05:  08:  NA:    0.00:   -10.00:     5.0:  K:\n"
    "    AA,K,N,W,=K1ABC(4)[7],=N6XX/KH6;\n"
    "Canada:                   05:  09:  NA:   10.00:     0.00:     5.0:  VE:\n"
    "    VA,VE,=VE3EF6;\n"
    "Spain:                    14:  37:  EU:  -10.00:     0.00:    -1.0:  EA:\n"
    "    EA,EF,=EF6,EA6AB{AF};\n"
    "Balearic Islands:         14:  37:  EU:    0.00:    10.00:    -1.0:  EA6:\r\n"
    "    EA6,EF6,EA6ZZ<39.0/-2.0>~-1.0~;\r\n"
    "Cocos (Keeling) Islands:  29:  54:  OC:    0.00:     0.00:    -6.5:  VK9C:\n"
    "    VK9C,VK9FC;\n"
    "Vienna Intl Ctr:          15:  28:  EU:   45.00:     0.00:    -1.0:  *4U1V:\n"
    "    =4U1A;\n"
    "Norfolk Island:           32:  60:  OC:  -45.00:     0.00:   -11.0:  VK9N:\n"
    "    VK9,TA0;\n"
    "Turkey:                   20:  39:  AS:    0.00:   -90.00:    -2.0:  TA:\n"
    "    TA;\n"
    "Scarborough Reef:         27:  50:  AS:    0.00:    90.00:    -8.0:  BS7:\n"
    "    =BS7H;\n";

CountryFileConversion convert(std::string_view text) {
    Result<CountryFileConversion> converted = convertCtyDat(text, {0, 0});
    EXPECT_TRUE(converted.isOk()) << converted.status().message();
    return converted.isOk() ? std::move(*converted) : CountryFileConversion{};
}

TEST(CtyDatConversion, OneCountryPerEntityWithHeadingZoneAndAliasesResolvingLikeTheSource) {
    const CountryFileConversion c = convert(kCtyDat);
    EXPECT_EQ(c.countryFile,
              "United States(090):05:K:AA,K,N,W,K1ABC,N6XX/KH6,KH5K,NH5K,KH7K,NH7K;\n"
              "Canada(000):05:VE:VA,VE,VE3EF6;\n"
              "Spain(180):14:EA:EA,EF,EA6AB;\n"
              "Balearic Islands(270):14:EA6:EA6,EF6,EA6ZZ;\n"
              "Cocos Keeling Islands(000):29:VK9C:VK9C,VK9FC;\n"
              "Vienna Intl Ctr(000):15:4U1V:4U1A,4U1V;\n"
              "Norfolk Island(180):32:VK9N:VK9,TA0,VK9N,VK9L,VK9M,VK9W,VK9X;\n"
              "Turkey(090):20:TA:TA;\n"
              "Scarborough Reef(270):27:BS7:BS7H,BS7;\n");
    // It reads back and resolves as the source does.
    Result<CountryTables> tables = parseCountryFile(c.countryFile, "arrl.cty");
    ASSERT_TRUE(tables.isOk());
    EXPECT_EQ(tables->CountryCount(), 9);
    EXPECT_EQ(tables->USACountryNr, 1);
    EXPECT_EQ(tables->CanadaCountryNr, 2);
    EXPECT_EQ(tables->country(8).CtyContinent.raw(), "AS");
    const std::pair<const char*, int> calls[] = {
        {"K1ABC", 1},  {"N6XX/KH6", 1}, {"EF6ABC", 4}, {"EA6XYZ", 4}, {"EA3ABC", 3},
        {"VK9CA", 5},  {"VK9NS", 7},    {"VK9XY", 7},  {"4U1A", 6},   {"BS7H", 9},
        {"VE3EF6", 2}, {"KH7KY", 1},    {"TA1ABC", 8}, {"3DA0BP", 0},
    };
    for (const auto& [call, nr] : calls) EXPECT_EQ(CountryOfCall(*tables, call), nr) << call;
}

TEST(CtyDatConversion, WhatTheFormatCannotCarryIsReported) {
    const CountryFileConversion c = convert(kCtyDat);
    const std::vector<std::string> expected{
        "K1ABC (United States): its own CQ zone 4 is not kept; the country's zone 05 is used.",
        "=EF6 (Spain) is left out: as an alias it would also take calls beginning EF6 from "
        "Balearic Islands.",
        "EA6AB (Spain): its own continent AF is not kept; the country's continent is used.",
        "EA6AB (Spain) matches only the call EA6AB itself: longer calls are looked up by their "
        "WPX prefix EA6, which CTY.DAT gives to Balearic Islands.",
        "EA6ZZ (Balearic Islands): its own position is not kept; the country's heading is used.",
        "VK9FC (Cocos (Keeling) Islands) matches only the call VK9FC itself: longer calls are "
        "looked up by their WPX prefix VK9, which CTY.DAT gives to Norfolk Island.",
        "4U1V (Vienna Intl Ctr): the country's prefix is listed; CTY.DAT gives calls beginning "
        "4U1V no entity.",
        "BS7 (Scarborough Reef): the country's prefix is listed; CTY.DAT gives calls beginning "
        "BS7 no entity.",
        "3DA: no entity for this search key of the lookup.",
    };
    for (const std::string& note : expected)
        EXPECT_NE(std::find(c.notes.begin(), c.notes.end(), note), c.notes.end()) << note;
    EXPECT_NE(std::find(c.notes.begin(), c.notes.end(),
                        "BS7 (Scarborough Reef): the continent from zone 27 is OC; CTY.DAT says "
                        "AS."),
              c.notes.end());
    // The search keys that no entity takes: 33 less the six found above.
    const auto keyNotes = std::count_if(c.notes.begin(), c.notes.end(), [](const std::string& n) {
        return n.ends_with("no entity for this search key of the lookup.");
    });
    EXPECT_EQ(keyNotes, 33 - 2 - 4 - 4);  // VK9C, VK9N; VK9L/M/W/X; KH5K/NH5K/KH7K/NH7K
    EXPECT_EQ(c.notes.size(), expected.size() + 1 + static_cast<std::size_t>(keyNotes) - 1);
}

TEST(CtyDatConversion, LongAliasListsContinueOnFurtherLines) {
    std::string text = "Wide:  05:  08:  NA:  0: 0: 0:  WD:\n";
    for (int i = 0; i < 40; ++i) text += "=WD" + std::to_string(1000 + i) + "X,";
    text += "WD;\n";
    const CountryFileConversion c = convert(text);
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < c.countryFile.size()) {
        const std::size_t end = c.countryFile.find('\n', start);
        const std::string line = c.countryFile.substr(start, end - start);
        EXPECT_LE(line.size(), 78u) << line;
        if (lines > 0) {
            EXPECT_EQ(line.front(), '&') << line;
        }
        EXPECT_EQ(line.back(), end + 1 == c.countryFile.size() ? ';' : ',') << line;
        ++lines;
        start = end + 1;
    }
    EXPECT_GT(lines, 3u);
    Result<CountryTables> tables = parseCountryFile(c.countryFile, "arrl.cty");
    ASSERT_TRUE(tables.isOk());
    EXPECT_EQ(tables->AliasCount(), 41);
}

TEST(CtyDatConversion, LineBreaksNeverEndUpInsideALine) {
    const CountryFileConversion c = convert(
        "Two\nLines (Main):  05:  08:  NA:  0: 0: 0:  K:\n"
        "    K,N1\n AB, W\t;\n");
    EXPECT_EQ(c.countryFile, "TwoLines Main(000):05:K:K,N1AB,W,KH5K,KH7K;\n");
}

TEST(CtyDatConversion, BadInputIsRefusedWithItsLine) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "no entity in the file."},
        {"A: 1: 2: EU: 0: 0: 0: A:\n  A,B", "line 1: the entity is not ended by \";\"."},
        {"\n\nA: x: 2: EU: 0: 0: 0: A: A;",
         "line 3: bad name, zone, position or prefix of an "
         "entity."},
        {"A: 1: 2: EU: 0: 0: 0: A: A;\nB: 1: 2: EU: 0: north: 0: B: B;",
         "line 2: bad name, zone, position or prefix of an entity."},
        {"A: 1: 2: EU: A;", "line 1: an entity needs eight fields ended by \":\"."},
        {"A: 1: 2: EU: nan: 0: 0: A: A;",
         "line 1: bad name, zone, position or prefix of an entity."},
        {"A: 1: 2: EU: 0: 180.5: 0: A: A;",
         "line 1: bad name, zone, position or prefix of an entity."},
        {"A: 1: 2: EU: -90.01: 0: 0: A: A;",
         "line 1: bad name, zone, position or prefix of an entity."},
        {"A: 1: 2: EU: 0: 0: 0: A: A(4;", "line 1: unclosed \"(\" in A(4."},
        {"A: 1: 2: EU: 0: 0: 0: A: A(x);", "line 1: bad zone in A(x)."},
        {"A: 1: 2: EU: 0: 0: 0: A: =(4);", "line 1: an entry without a call."},
        {"A: 1: 2: EU: 0: 0: 0: ABCDEF: A;",
         "line 1: prefix ABCDEF does not fit the country file's five characters."},
        {"A: 1: 2: EU: 0: 0: 0: 3d2/c: A;\nB: 1: 2: EU: 0: 0: 0: 3D2/C: B;",
         "line 2: prefix 3D2/C of B is already another entity's."},
        {"A: 0: 2: EU: 0: 0: 0: A: A;", "line 1: CQ zone out of range."},
    };
    for (const auto& [text, message] : cases) {
        const Result<CountryFileConversion> converted = convertCtyDat(text, kDefaultHome);
        ASSERT_FALSE(converted.isOk()) << text;
        EXPECT_EQ(converted.status().message(), message) << text;
    }
}

// Where CTY.DAT lists only an entity's own whole calls under its prefix, the
// prefix is the entity's alias, though a shorter prefix of another entity
// begins it; where another entity lists a call under it, it is not.
TEST(CtyDatConversion, AnOwnPrefixThatOnlyOwnCallsBeginIsListed) {
    constexpr std::string_view text =
        "Italy:                    15:  28:  EU:   42.00:   -12.00:    -1.0:  I:\n"
        "    I,4U;\n"
        "ITU HQ:                   14:  28:  EU:   46.17:    -6.05:    -1.0:  4U1I:\n"
        "    =4U1ITU;\n"
        "Vienna Intl Ctr:          15:  28:  EU:   48.20:   -16.30:    -1.0:  *4U1V:\n"
        "    =4U1A;\n"
        "Austria:                  15:  28:  EU:   47.33:   -13.33:    -1.0:  OE:\n"
        "    OE,=4U1VIC;\n"
        "Antarctica:               13:  74:  SA:  -90.00:     0.00:     0.0:  CE9:\n"
        "    CE9,VK0;\n"
        "Heard Island:             39:  68:  AF:  -53.08:   -73.50:    -5.0:  VK0H:\n"
        "    =VK0EK;\n"
        "United States:            05:  08:  NA:   37.53:    91.67:     5.0:  K:\n"
        "    K;\n"
        "Canada:                   05:  09:  NA:   44.35:    78.75:     5.0:  VE:\n"
        "    VE;\n";
    const CountryFileConversion c = convert(text);
    Result<CountryTables> tables = parseCountryFile(c.countryFile, "arrl.cty");
    ASSERT_TRUE(tables.isOk());
    const std::pair<const char*, int> calls[] = {
        {"4U1IQQ", 2}, {"4U1ITU", 2}, {"VK0HQQ", 6}, {"VK0ABC", 5}, {"4U1VQQ", 1}, {"4U1VIC", 4},
    };
    for (const auto& [call, nr] : calls) EXPECT_EQ(CountryOfCall(*tables, call), nr) << call;
    EXPECT_NE(std::find(c.notes.begin(), c.notes.end(),
                        "4U1V (Vienna Intl Ctr): the country's prefix is not listed; CTY.DAT "
                        "gives calls beginning 4U1V to Italy."),
              c.notes.end());
}

}  // namespace
}  // namespace keslog
