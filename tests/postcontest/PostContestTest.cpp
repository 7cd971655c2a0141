#include <gtest/gtest.h>

#include <filesystem>

#include "PostRig.h"
#include "postcontest/Cabrillo.h"
#include "postcontest/PostContest.h"

namespace keslog {
namespace {

using test::at;
using test::postQso;

TEST(Rescore, WhatEachQsoDidAndTheTimesBetween) {
    test::PostRig rig;
    const RescoredLog log = rig.rescore("WPX.KSL", contest::Wpx, false,
                                        {at(postQso("KH6XX", 11, 1, 1, "KH6", "3"), 31041, 1234),
                                         at(postQso("G4ABC", 9, 2, 5, "G4", "1"), 31041, 1240),
                                         at(postQso("KH6XX", 11, 3, 2, "KH6", "0"), 31041, 1300),
                                         at(postQso("JT1AA", 11, 4, 3, "JT1", "3"), 31051, 10)});
    EXPECT_EQ(log.baseName, rig.dir.file("WPX"));
    EXPECT_FALSE(log.cwFlag);
    EXPECT_TRUE(log.ssbFlag);
    ASSERT_EQ(log.qsos.size(), 4u);
    const bool dupes[] = {false, false, true, false};
    const int mults[] = {1, 1, 0, 1};
    const int minutes[] = {754, 760, 780, 1450};
    const char* classes[] = {"OC", "EU", "OC", "AS"};  // JT1 by its country
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(log.qsos[i].dupe, dupes[i]);
        EXPECT_EQ(log.qsos[i].newMults, mults[i]);
        EXPECT_EQ(log.qsos[i].runningMinute, minutes[i]);
        EXPECT_EQ(log.qsos[i].continentClass, classes[i]);
    }
    // 6 minutes then 20, each shared between 20 and 10 m; the night is a break.
    EXPECT_FLOAT_EQ(log.time.onTime(11), 13.0f);
    EXPECT_FLOAT_EQ(log.time.onTime(9), 13.0f);
    EXPECT_EQ(log.time.totalMinutes(), 26);
    EXPECT_EQ(log.qsoCount, 4);
    EXPECT_EQ(log.qsoPoints, 7);
    EXPECT_EQ(log.multCount, 3);
    EXPECT_EQ(log.claimedScore, 21);
    EXPECT_EQ(log.countText, "4");
    EXPECT_EQ(log.pointsText, "7");
    EXPECT_EQ(log.multsText, "3");
    EXPECT_EQ(log.qsosPerBandMode[11], 3);
    EXPECT_EQ(log.dupesPerBandMode[11], 1);
    EXPECT_EQ(log.qsosPerBand[band::B20], 3);
    EXPECT_EQ(log.pointsPerBand[band::B20], 6);
    EXPECT_EQ(log.multsPerBand[band::B10], 1);
    EXPECT_EQ(rig.state.QSONr, 5);
}

TEST(Rescore, PaqpScoreInTenthsRoundsToEven) {
    test::PostRig rig;
    // Ten QSOs of 1.5 points are 150 tenths; three counties logged by row number.
    std::vector<QSORecName> qsos;
    const char* counties[] = {" 1", " 2", "67"};
    for (int i = 0; i < 10; ++i)
        qsos.push_back(postQso("K3A" + std::string(1, static_cast<char>('A' + i)), 3, i + 1, 1,
                               counties[i % 3], "3"));
    const RescoredLog log = rig.rescore("PA.KSL", contest::Paqp, true, qsos);
    EXPECT_EQ(log.qsoPoints, 150);
    EXPECT_EQ(log.pointsText, "15.0");
    EXPECT_EQ(log.claimedScore, 45);
    EXPECT_TRUE(log.cwFlag && log.ssbFlag);
}

TEST(Rescore, CountsWholeRecordsOnly) {
    test::PostRig rig;
    const std::string path =
        rig.writeLog("WW.KSL", contest::Cqww, true,
                     {postQso("DL1ABC", 3, 1, 14, "", "3"), postQso("DL2ABC", 3, 2, 14, "", "3")});
    // Half a record and one byte more: a rounded count would take it for a QSO.
    ASSERT_TRUE(appendDurably(path, std::string(14, 'X')));
    Result<RescoredLog> log = rescoreLog(rig.state, path, rig.services(), 2026);
    ASSERT_TRUE(log) << log.status().message();
    EXPECT_EQ(log->qsoCount, 2);
    EXPECT_FALSE(log->openingNotices.empty());
}

TEST(PostContest, BaseNames) {
    EXPECT_EQ(*outputBaseName("/logs/WPX06.KSL"), "/logs/WPX06");
    EXPECT_EQ(*outputBaseName("/logs/wpx06.ksl"), "/logs/wpx06");
    EXPECT_EQ(*outputBaseName("x.Ksl"), "x");
    EXPECT_FALSE(outputBaseName(""));  // keslog-cli post shows the other bad names
}

TEST(PostContest, WritesTheChosenFilesReportsEachFailureAndNothingFromAnUnreadableLog) {
    test::PostRig rig;
    const std::string path =
        rig.writeLog("WW.KSL", contest::Cqww, true, {postQso("DL1ABC", 3, 1, 14, "", "3")});
    const std::string out = rig.dir.file("WW.LOG");

    // Nothing chosen: the log is read and scored, nothing written.
    Result<PostContestReport> none = runPostContest(rig.state, path, {}, rig.services(), 2026);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->written.empty());
    EXPECT_TRUE(none->failures.empty());
    EXPECT_EQ(none->log.qsoCount, 1);
    EXPECT_FALSE(fileExists(out));

    OutputChoices cabrillo;
    cabrillo.cabrillo = true;
    for (int run = 0; run < 2; ++run) {  // a second run replaces the first file
        Result<PostContestReport> done =
            runPostContest(rig.state, path, cabrillo, rig.services(), 2026);
        ASSERT_TRUE(done);
        EXPECT_EQ(done->written, std::vector<std::string>{out});
        EXPECT_TRUE(done->failures.empty());
        Result<std::string> text = readWholeFile(out);
        ASSERT_TRUE(text);
        EXPECT_EQ(*text, crlfText(cabrilloLines(rig.state, done->log)));
        EXPECT_TRUE(text->ends_with("599 14\r\nEND-OF-LOG:\r\n"));
        EXPECT_EQ(test::cabrilloFileProblems(*text), std::vector<std::string>{});
    }

    // An output that cannot be written is named, never reported written.
    std::filesystem::remove(out);
    std::filesystem::create_directory(out);
    Result<PostContestReport> blocked =
        runPostContest(rig.state, path, cabrillo, rig.services(), 2026);
    ASSERT_TRUE(blocked);
    EXPECT_TRUE(blocked->written.empty());
    ASSERT_EQ(blocked->failures.size(), 1u);
    EXPECT_TRUE(blocked->failures[0].starts_with("The file " + out + " was not written: "))
        << blocked->failures[0];

    // Logs that cannot be read write nothing.
    Result<PostContestReport> missing =
        runPostContest(rig.state, rig.dir.file("GONE.KSL"), cabrillo, rig.services(), 2026);
    ASSERT_FALSE(missing);
    EXPECT_TRUE(
        missing.status().message().starts_with("Could not open " + rig.dir.file("GONE.KSL")))
        << missing.status().message();
    EXPECT_EQ(rig.state.log.count(), 0);
    rig.dir.write("SHORT.KSL", "WW");
    EXPECT_FALSE(
        runPostContest(rig.state, rig.dir.file("SHORT.KSL"), cabrillo, rig.services(), 2026));
    EXPECT_FALSE(fileExists(rig.dir.file("SHORT.LOG")));
}

}  // namespace
}  // namespace keslog
