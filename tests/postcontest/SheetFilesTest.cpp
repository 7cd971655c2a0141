// The summary sheet, hourly break-down sheet and log listing of small logs
// of four contests, compared byte for byte with sheets laid out by hand
// (tests/postcontest/sheets).
#include <gtest/gtest.h>

#include <sstream>

#include "PostRig.h"
#include "postcontest/PostContest.h"

namespace keslog {
namespace {

using test::at;
using test::postQso;

struct SheetCase {
    const char* name;  // the log's base name and the sheets' file names
    ContestNr contest;
    bool cw;
    std::vector<QSORecName> qsos;
};

std::vector<SheetCase> sheetCases() {
    return {
        // Phone; a dupe, two breaks, a second day; KH6, G4, JA1, W1, DL1.
        {"WPX",
         contest::Wpx,
         false,
         {at(postQso("KH6XX", 11, 1, 1, "KH6", "3"), 31041, 5),
          at(postQso("G4ABC", 11, 2, 5, "G4", "1"), 31041, 11),
          at(postQso("KH6XX", 11, 3, 2, "KH6", "0"), 31041, 23),
          at(postQso("JA1ABC", 10, 4, 12, "JA1", "3"), 31041, 135),
          at(postQso("W1AW", 10, 5, 1234, "W1", "2"), 31041, 200),
          at(postQso("DL1ABC", 9, 6, 7, "DL1", "1"), 31051, 30)}},
        // CW from the USA: a 1000 W power, a dupe, Canada, a 6 m QSO after a break.
        {"DX",
         contest::ArrlDx,
         true,
         {at(postQso("DL1ABC", 3, 1, 100, "DL", "3"), 31041, 0),
          at(postQso("JA1XYZ", 3, 2, 0, "JA", "3"), 31041, 10),
          at(postQso("DL2XX", 2, 3, 5, "DL", "3"), 31041, 20),
          at(postQso("DL1ABC", 3, 4, 100, "DL", "0"), 31041, 30),
          at(postQso("VE3XX", 3, 5, 100, "VE", "0"), 31041, 40),
          at(postQso("G4ABC", 7, 6, 100, "G", "3"), 31041, 120)}},
        // Phone; CA again on 40 m; a QSO after midnight with no multiplier.
        {"NAQP",
         contest::Naqp,
         false,
         {at(postQso("N6TR", 11, 1, 0, "27", "1", "TREE"), 31041, 1805),
          at(postQso("K1ZZ", 11, 2, 0, " 1", "1", "DAVE"), 31041, 1812),
          at(postQso("N6TR", 12, 3, 0, "27", "1", "TREE"), 31041, 1830),
          at(postQso("W7RN", 11, 4, 0, "33", "1", "JOHN"), 31041, 1930),
          at(postQso("XE1AA", 10, 5, 0, "DX", "1", "JUAN"), 31051, 130)}},
        // Out of state, both modes; 15:59 before the start; a dupe; 6 m.
        {"CQP",
         contest::Cqp,
         true,
         {at(postQso("N6AB", 3, 1, 5, " 1", "3"), 31041, 1559),
          at(postQso("W6CD", 12, 2, 12, "37", "2"), 31041, 1610),
          at(postQso("N6AB", 3, 3, 5, " 1", "0"), 31041, 1625),
          at(postQso("K6XY", 11, 4, 7, " 1", "2"), 31041, 1700),
          at(postQso("N6ZZ", 4, 5, 9, "58", "3"), 31041, 1705),
          at(postQso("W6QQ", 15, 6, 11, "57", "2"), 31041, 1710)}},
    };
}

void setStation(Settings& s) {
    s.UserOperator = "K6XX";
    s.UserRig = "K3";
    s.UserAnt = "Yagi";
}

// A sheet as written by hand, with the CR LF line ends of every output.
std::string handSheet(const std::string& file) {
    Result<std::string> text =
        readWholeFile(std::string(KESLOG_SOURCE_DIR) + "/tests/postcontest/sheets/" + file);
    EXPECT_TRUE(text) << file;
    if (!text) return {};
    std::vector<std::string> lines;
    std::istringstream in(*text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return crlfText(lines);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST(SheetFiles, FourContestsMatchTheSheetsLaidOutByHand) {
    OutputChoices normal;
    normal.summary = normal.breakdown = normal.listing = true;
    for (const SheetCase& c : sheetCases()) {
        SCOPED_TRACE(c.name);
        test::PostRig rig;
        setStation(rig.state.settings);
        const std::string path =
            rig.writeLog(std::string(c.name) + ".KSL", c.contest, c.cw, c.qsos);
        Result<PostContestReport> report =
            runPostContest(rig.state, path, normal, rig.services(), 2026);
        ASSERT_TRUE(report) << report.status().message();
        EXPECT_TRUE(report->failures.empty());
        const std::string base = rig.dir.file(c.name);
        // Written in the order the sheets are made.
        EXPECT_EQ(report->written,
                  (std::vector<std::string>{base + ".SUM", base + ".BRK", base + ".ASC"}));
        for (const char* ext : {".SUM", ".BRK", ".ASC"}) {
            SCOPED_TRACE(ext);
            Result<std::string> written = readWholeFile(base + ext);
            ASSERT_TRUE(written);
            const std::string expected = handSheet(c.name + std::string(ext));
            // Line by line first, for a readable difference; then every byte.
            EXPECT_EQ(linesOf(*written), linesOf(expected));
            EXPECT_EQ(*written, expected);
        }
    }
}

}  // namespace
}  // namespace keslog
