#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <tuple>

#include "PostRig.h"
#include "postcontest/PostContest.h"

namespace keslog {
namespace {

using test::postQso;

// The outputs written next to a log: the names of its folder's files that
// share the log's base name, the log itself left out.
std::set<std::string> outputsOf(const test::PostRig& rig, const std::string& base) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(rig.dir.path())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(base + ".") && name != base + ".KSL") names.insert(name);
    }
    return names;
}

Result<PostContestReport> postDupes(test::PostRig& rig, const std::string& path) {
    OutputChoices dupes;
    dupes.dupeSheets = true;
    return runPostContest(rig.state, path, dupes, rig.services(), 2026);
}

TEST(DupeSheets, WpxSheetsAndPrefixListExactly) {
    test::PostRig rig;
    // Call, band-mode and prefix of each QSO in log order; K1A on 160 m CW twice.
    const std::tuple<const char*, BandModeCode, const char*> logged[] = {
        {"W1AW", 6, "W1"},   {"K1AB", 6, "K1"},    {"G4ABC", 11, "G4"},  {"K1A", 6, "K1"},
        {"9A1A", 6, "9A1"},  {"ZS6A", 1, "ZS6"},   {"DL1ABC", 6, "DL1"}, {"JA1XYZ", 11, "JA1"},
        {"K1A", 6, "K1"},    {"OH2BH", 11, "OH2"}, {"AA1XX", 6, "AA1"},  {"PY2AA", 11, "PY2"},
        {"N6TR", 6, "N6"},   {"VK2AB", 11, "VK2"}, {"UA3AA", 11, "UA3"}, {"EA8AA", 11, "EA8"},
        {"I2ABC", 11, "I2"}, {"LU1AA", 11, "LU1"},
    };
    std::vector<QSORecName> qsos;
    for (const auto& [call, bandMode, prefix] : logged)
        qsos.push_back(postQso(call, bandMode, static_cast<int>(qsos.size()) + 1, 1, prefix, "1"));
    const std::string path = rig.writeLog("WPX.KSL", contest::Wpx, true, qsos);

    Result<PostContestReport> done = postDupes(rig, path);
    ASSERT_TRUE(done) << done.status().message();
    EXPECT_TRUE(done->failures.empty());
    // Band-mode order, then the prefix list.
    EXPECT_EQ(done->written,
              (std::vector<std::string>{rig.dir.file("WPX.10C"), rig.dir.file("WPX.16C"),
                                        rig.dir.file("WPX.20S"), rig.dir.file("WPX.PFX")}));
    EXPECT_EQ(rig.dir.read("WPX.10C"), "ZS6A      \r\n");
    EXPECT_EQ(rig.dir.read("WPX.16C"),
              "9A1A      AA1XX     DL1ABC    K1A       K1A       K1AB      N6TR      \r\n"
              "W1AW      \r\n");
    EXPECT_EQ(rig.dir.read("WPX.20S"),
              "EA8AA     G4ABC     I2ABC     JA1XYZ    LU1AA     OH2BH     PY2AA     \r\n"
              "UA3AA     VK2AB     \r\n");
    EXPECT_EQ(rig.dir.read("WPX.PFX"),
              "9A1  AA1  DL1  EA8  G4   I2   JA1  K1   LU1  N6   OH2  PY2  UA3  VK2  W1   \r\n"
              "ZS6  \r\n");
    EXPECT_EQ(outputsOf(rig, "WPX"),
              (std::set<std::string>{"WPX.10C", "WPX.16C", "WPX.20S", "WPX.PFX"}));
}

TEST(DupeSheets, OneFilePerBandModeWithQsosAndOneForSs) {
    struct Case {
        ContestNr contest;
        std::vector<BandModeCode> bandModes;
        std::set<std::string> files;
    };
    const Case cases[] = {
        {contest::Cqww, {3, 3, 3}, {"L.20C"}},
        {contest::Cqww,
         {6, 14, 7, 16, 8, 15},
         {"L.16C", "L.6mC", "L.2mC", "L.16S", "L.6mS", "L.2mS"}},
        {contest::Naqp,
         {1, 2, 4, 5, 9, 10, 12, 13},
         {"L.10C", "L.15C", "L.40C", "L.80C", "L.10S", "L.15S", "L.40S", "L.80S"}},
        {contest::Ss, {3, 4, 11}, {"L.DUP"}},
        {contest::Ss, {}, {"L.DUP"}},
        {contest::Wpx, {}, {"L.PFX"}},
        {contest::Cqww, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contest);
        SCOPED_TRACE(c.bandModes.size());
        test::PostRig rig;
        std::vector<QSORecName> qsos;
        for (BandModeCode bandMode : c.bandModes)
            qsos.push_back(postQso("K" + std::to_string(qsos.size()) + "XX", bandMode,
                                   static_cast<int>(qsos.size()) + 1, 1, " 1", "1"));
        const std::string path = rig.writeLog("L.KSL", c.contest, true, qsos);
        Result<PostContestReport> done = postDupes(rig, path);
        ASSERT_TRUE(done) << done.status().message();
        EXPECT_EQ(outputsOf(rig, "L"), c.files);
        EXPECT_EQ(done->written.size(), c.files.size());
    }
}

TEST(DupeSheets, SsListsEveryBandOnOneSheet) {
    test::PostRig rig;
    const std::string path = rig.writeLog(
        "SS.KSL", contest::Ss, true,
        {postQso("W6ABC", 3, 1, 5, "A72SV", "2"), postQso("K6AB", 4, 2, 6, "B72SV", "2"),
         postQso("W6ABC", 5, 3, 7, "A72SV", "2"), postQso("K6A", 3, 4, 8, "A72SV", "2")});
    ASSERT_TRUE(postDupes(rig, path));
    EXPECT_EQ(rig.dir.read("SS.DUP"), "K6A       K6AB      W6ABC     W6ABC     \r\n");
}

}  // namespace
}  // namespace keslog
