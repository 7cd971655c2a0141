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

}  // namespace
}  // namespace keslog
