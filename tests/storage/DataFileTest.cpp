#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "model/Text.h"
#include "storage/DataFile.h"
#include "support/FakePlatform.h"
#include "support/StandardMorse.h"

namespace keslog {
namespace {

struct SectionSpec {
    std::string header;
    int items;
    bool numbers;
};

const std::vector<SectionSpec> kSections{
    {"[CQP, SS Mults]", 196, false},   {"[SS Short Forms]", 80, false},
    {"[Sprint Mults]", 72, false},     {"[PAQP Mults]", 67, false},
    {"[NAQP Mults]", 72, false},       {"[CQP County Neighbors]", 58, false},
    {"[CQP X Coordinates]", 72, true}, {"[CQP Y Coordinates]", 72, true},
    {"[SS X Coordinates]", 80, true},  {"[SS Y Coordinates]", 80, true},
    {"[CW Characters]", 42, false},
};

// A section with items "<tag><k>" (or the numbers k * 10), one per line.
std::string section(const SectionSpec& s, const std::string& tag = "") {
    std::string out = s.header + "\r\n";
    for (int k = 1; k <= s.items; ++k)
        out +=
            (s.numbers ? std::to_string(k * 10) : tag + s.header.substr(1, 2) + std::to_string(k)) +
            "\r\n";
    return out;
}

std::string allSections(const std::vector<SectionSpec>& order, const std::string& tag = "") {
    std::string out;
    for (const SectionSpec& s : order) out += section(s, tag);
    return out;
}

ReferenceData readOk(const std::string& text) {
    ReferenceData data;
    const Status read = ReadDataFile(text, data);
    EXPECT_TRUE(read) << read.message();
    return data;
}

Status readError(const std::string& text) {
    ReferenceData data;
    data.CWCharacters[0] = "untouched";
    const Status read = ReadDataFile(text, data);
    EXPECT_EQ(data.CWCharacters[0], "untouched");  // a failed read changes nothing
    return read;
}

TEST(DataFile, EverySectionFillsItsTable) {
    const ReferenceData d = readOk(allSections(kSections));
    EXPECT_EQ(d.CQPSSMults[0], "CQ1");
    EXPECT_EQ(d.CQPSSMults[195], "CQ196");
    EXPECT_EQ(d.SSShortForms[79], "SS80");
    EXPECT_EQ(d.SprintMults[71], "Sp72");
    EXPECT_EQ(d.PAQPMults[66], "PA67");
    EXPECT_EQ(d.NAQPMults[0], "NA1");
    EXPECT_EQ(d.CQPCountyNeighbors[57], "CQ58");
    EXPECT_EQ(d.CQPXCoord[71], 720);
    EXPECT_EQ(d.SSYCoord[0], 10);
    EXPECT_EQ(d.CWCharacters[41], "CW42");
}

TEST(DataFile, AnyOrderCommentsBlankLinesAndIndentedHeaders) {
    std::vector<SectionSpec> reversed(kSections.rbegin(), kSections.rend());
    EXPECT_EQ(readOk(allSections(reversed)), readOk(allSections(kSections)));
    std::string text = "KESLOG reference data\r\n\r\n";
    for (const SectionSpec& s : kSections) {
        std::string block = section(s);
        if (s.header == "[SS Short Forms]")
            block =
                "  \t" + block.substr(0, s.header.size()) + "   " + block.substr(s.header.size());
        text += "A note that is no header.\r\n\r\n" + block + "\r\n";
    }
    EXPECT_EQ(readOk(text), readOk(allSections(kSections)));
}

TEST(DataFile, AMissingOrUnfinishedSectionIsAnError) {
    std::vector<SectionSpec> without(kSections.begin(), kSections.end() - 1);
    EXPECT_EQ(readError(allSections(without)).message(),
              "The reference data file lacks the section [CW Characters].");
    EXPECT_EQ(readError("").message(),
              "The reference data file lacks the section [CQP, SS Mults].");
    // A header in other letter case is no header.
    std::string text = allSections(kSections);
    text.replace(text.find("[SS Short Forms]"), 16, "[ss short forms]");
    EXPECT_EQ(readError(text).message(),
              "The reference data file lacks the section [SS Short Forms].");

    text = allSections(kSections) + "[SS Short Forms]\r\nEM,WM,\r\n";
    EXPECT_EQ(readError(text).message(),
              "The reference data file ends inside the section [SS Short Forms] after 2 of its "
              "80 items.");
    // An unclosed quote runs to the end of the file.
    EXPECT_EQ(readError(allSections(kSections) + "[CW Characters]\r\n13,\"3111\r\n").message(),
              "The reference data file ends inside the section [CW Characters] after 1 of its "
              "42 items.");
}

TEST(DataFile, FreeFormatItems) {
    struct Case {
        const char* name;
        std::string items;  // the start of the [Sprint Mults] section
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"several on a line", "AL, AK ,AZ\r\nAR\r\n", {"AL", "AK", "AZ", "AR"}},
        {"blanks and tabs before, blanks after", "  \tAL   ,\t AK\t\r\n", {"AL", "AK"}},
        {"quoted item with a comma", "\"MDC, DC\",AK\r\n", {"MDC, DC", "AK"}},
        {"quoted item keeps its blanks", "\"  A B  \"\r\nAK\r\n", {"  A B  ", "AK"}},
        {"text after the closing quote is dropped", "\"AL\"xyz,AK\r\n", {"AL", "AK"}},
        {"empty items between commas", "AL,,AK\r\n", {"AL", "", "AK"}},
        {"quoted empty item", "\"\"\r\nAK\r\n", {"", "AK"}},
        {"a comma at the line end ends only its item", "AL,\r\nAK\r\n", {"AL", "AK"}},
        {"blank lines between items", "AL\r\n\r\n\r\nAK\r\n", {"AL", "AK"}},
        {"LF and CR line ends", "AL\nAK\rAZ\r\n", {"AL", "AK", "AZ"}},
        {"a quote inside an item", "A\"B,AK\r\n", {"A\"B", "AK"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<SectionSpec> others;
        for (const SectionSpec& s : kSections)
            if (s.header != "[Sprint Mults]") others.push_back(s);
        std::string text = allSections(others) + "[Sprint Mults]\r\n" + c.items;
        for (std::size_t k = c.expected.size(); k < 72; ++k) text += "X\r\n";
        const ReferenceData d = readOk(text);
        for (std::size_t k = 0; k < c.expected.size(); ++k)
            EXPECT_EQ(d.SprintMults[k], c.expected[k]);
        EXPECT_EQ(d.SprintMults[c.expected.size()], "X");
    }
}

TEST(DataFile, ReadingGoesOnAfterTheLastItem) {
    // The header of the next section may follow the last item directly, and
    // a section that stands twice is read twice: the second wins.
    std::string text = allSections(kSections);
    text += "[CW Characters]\r\n";
    for (int k = 1; k <= 42; ++k) text += "1" + std::string(k == 42 ? "\r\n" : ",");
    text += "[SS Y Coordinates]\r\n";
    for (int k = 1; k <= 80; ++k) text += "-" + std::to_string(k) + ",";
    const ReferenceData d = readOk(text);
    EXPECT_EQ(d.CWCharacters[41], "1");
    EXPECT_EQ(d.SSYCoord[79], -80);
}

TEST(DataFile, PositionsMustBe16BitNumbers) {
    struct Case {
        const char* item;
        const char* shown;
    };
    for (const Case& c : {Case{"12a", "12a"}, Case{"40000", "40000"}, Case{"1.5", "1.5"},
                          Case{"", ""}, Case{"- 5", "- 5"}}) {
        SCOPED_TRACE(c.item);
        std::string text = allSections(kSections) + "[SS X Coordinates]\r\n5," + c.item + ",0\r\n";
        for (int k = 4; k <= 80; ++k) text += "0\r\n";
        EXPECT_EQ(readError(text).message(),
                  std::string("Item 2 of the section [SS X Coordinates] is not a whole number from "
                              "-32768 to 32767: \"") +
                      c.shown + "\".");
    }
    std::string text = allSections(kSections) + "[SS X Coordinates]\r\n+5,-32768,32767,\"7\"\r\n";
    for (int k = 5; k <= 80; ++k) text += "0\r\n";
    const ReferenceData d = readOk(text);
    EXPECT_EQ(d.SSXCoord[0], 5);
    EXPECT_EQ(d.SSXCoord[1], -32768);
    EXPECT_EQ(d.SSXCoord[2], 32767);
    EXPECT_EQ(d.SSXCoord[3], 7);
}

TEST(DataFile, WrittenFormReadsBackTheSameTables) {
    ReferenceData d = readOk(test::shippedFile("KESLOG90.DAT"));
    d.SprintMults[0] = "A, B";
    d.SprintMults[1] = "";
    d.SprintMults[2] = " padded ";
    d.SprintMults[3] = "A\"B";
    d.SSXCoord[0] = -32768;
    EXPECT_EQ(readOk(dataFileText(d)), d);
}

TEST(SplitMultForms, FormsOfAnEntry) {
    struct Case {
        std::string entry;
        std::array<std::string, 3> forms;
    };
    const Case cases[] = {
        {"SCLA", {"SCLA", "@", "@"}},  {"SF / SAN FRANCISCO", {"SF", "SAN FRANCISCO", "@"}},
        {"KERN/", {"KERN", "@", "@"}}, {"  CA/CALIFORNIA/CALIF  ", {"CA", "CALIFORNIA", "CALIF"}},
        {"A/B/C/D", {"A", "B", "C"}},  {"A//C", {"A", "", "C"}},
        {"", {"", "@", "@"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        MultTable table;
        table.reset(1, 1);
        const std::vector<std::string> list{c.entry};
        SplitMultForms(list, 1, table);
        EXPECT_EQ(table.rows[0].forms, c.forms);
        EXPECT_EQ(table.rows[0].worked, std::vector<bool>{false});
    }
}

TEST(SplitMultForms, TakesAsManyEntriesAsTheTableHasRows) {
    const std::vector<std::string> list{"A", "B/BB", "C", "D", "E"};
    MultTable table;
    table.reset(2, 1);
    SplitMultForms(list, 2, table);
    EXPECT_EQ(table.rows[0].forms, (std::array<std::string, 3>{"B", "BB", "@"}));
    EXPECT_EQ(table.rows[1].forms[0], "C");
    // Entries past the end of the list leave their rows as they were.
    table.reset(3, 1);
    SplitMultForms(list, 4, table);
    EXPECT_EQ(table.rows[1].forms[0], "E");
    EXPECT_EQ(table.rows[2].forms, (std::array<std::string, 3>{"", "@", "@"}));
}

// --- The shipped KESLOG90.DAT ------------------------------------------

const ReferenceData& data() {
    static const ReferenceData shipped = readOk(test::shippedFile("KESLOG90.DAT"));
    return shipped;
}

MultTables expanded(bool inCalifornia) {
    MultTables mults;
    ExpandMultTables(data(), inCalifornia, mults);
    return mults;
}

// Every form of a list is upper case (typed input is) and stands once; the
// first is the abbreviation sent, of at most `width` characters.
void expectDistinctForms(const MultTable& table, std::size_t rows, std::size_t width) {
    ASSERT_EQ(table.rows.size(), rows);
    std::set<std::string> seen;
    for (const MultRow& row : table.rows) {
        EXPECT_FALSE(row.forms[0].empty());
        EXPECT_LE(row.forms[0].size(), width) << row.forms[0];
        for (const std::string& form : row.forms)
            if (form != "@") {
                EXPECT_EQ(form, toUpper(form));
                EXPECT_TRUE(seen.insert(form).second) << "twice: " << form;
            }
    }
}

TEST(ShippedData, MultiplierListsAreDistinctAndLeadWithTheAbbreviationSent) {
    const MultTables in = expanded(true);
    const MultTables out = expanded(false);
    expectDistinctForms(in.CQPMults, 58, 2);   // states and provinces
    expectDistinctForms(out.CQPMults, 58, 4);  // counties
    expectDistinctForms(in.SSSections, 80, 3);
    expectDistinctForms(in.PAQPMults, 67, 4);
    expectDistinctForms(in.SprintMults, 72, 5);
    expectDistinctForms(in.NAQPMults, 72, 5);
    for (const MultRow& row : in.CQPInState.rows) EXPECT_EQ(row.forms[0].size(), 4u);
    // A county worked by an in-state station counts as row 5: California.
    EXPECT_EQ(in.CQPMults.rows[4].forms, (std::array<std::string, 3>{"CA", "CALIFORNIA", "CALIF"}));
    EXPECT_EQ(in.CQPInState.rows[42].forms[0], "SCLA");
    EXPECT_EQ(in.SSSections.rows[0].forms[0], "CT");
    EXPECT_EQ(in.PAQPMults.rows[50].forms,
              (std::array<std::string, 3>{"PHI", "PHILADELPHIA", "PHILA"}));

    // An in-state station's county list is looked at before the states, so
    // no county form may hide a state or province.
    std::set<std::string> states;
    for (const MultRow& row : in.CQPMults.rows) states.insert(row.forms.begin(), row.forms.end());
    for (const MultRow& row : in.CQPInState.rows)
        for (const std::string& form : row.forms)
            if (form != "@") {
                EXPECT_EQ(states.count(form), 0u) << form;
            }

    // SS short forms are distinct, two characters, and a two-character
    // section is its own short form.
    std::set<std::string> shortForms;
    for (std::size_t k = 0; k < 80; ++k) {
        const std::string& s = data().SSShortForms[k];
        EXPECT_EQ(s.size(), 2u) << s;
        EXPECT_TRUE(shortForms.insert(s).second) << s;
        if (out.SSSections.rows[k].forms[0].size() == 2) {
            EXPECT_EQ(s, out.SSSections.rows[k].forms[0]);
        }
    }
}

TEST(ShippedData, LabelPositionsDoNotOverlap) {
    const auto distinct = [](const auto& xs, const auto& ys, std::size_t n) {
        std::set<std::pair<int, int>> places;
        for (std::size_t k = 0; k < n; ++k) places.insert({xs[k], ys[k]});
        return places.size() == n;
    };
    EXPECT_TRUE(distinct(data().CQPXCoord, data().CQPYCoord, 72));
    EXPECT_TRUE(distinct(data().SSXCoord, data().SSYCoord, 80));
    // NAQP labels stand under the call-area headings of the display.
    const std::set<int> headings{240, 720, 1200, 1680, 2160, 2640, 3060, 3540, 4220, 5020};
    for (const std::int16_t x : data().CQPXCoord) EXPECT_EQ(headings.count(x + 120), 1u) << x;
    // The "3" and "9" headings stand at 900 and 1125 in the 2 and 8 columns.
    for (std::size_t k = 0; k < 72; ++k) {
        const int heading = data().CQPXCoord[k] + 120;
        const int y = data().CQPYCoord[k];
        EXPECT_FALSE((heading == 720 && y == 900) || (heading == 3060 && y == 1125)) << k;
    }
}

TEST(ShippedData, CountyNeighboursAreMutual) {
    const MultTables mults = expanded(false);
    std::map<std::string, std::set<std::string>> neighbours;
    for (std::size_t k = 0; k < 58; ++k) {
        std::istringstream words(data().CQPCountyNeighbors[k]);
        std::string county, other;
        words >> county;
        EXPECT_EQ(county, mults.CQPMults.rows[k].forms[0] + ":");
        while (words >> other) neighbours[county.substr(0, 4)].insert(other);
    }
    for (const auto& [county, others] : neighbours)
        for (const std::string& other : others)
            EXPECT_EQ(neighbours[other].count(county), 1u) << county << " " << other;
}

TEST(ShippedData, MorsePatternsAreInternationalMorse) {
    EXPECT_EQ(data().CWCharacters, test::standardMorse());
}

}  // namespace
}  // namespace keslog
