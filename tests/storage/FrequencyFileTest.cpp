#include <gtest/gtest.h>

#include "LogFixtures.h"
#include "platform/Files.h"
#include "storage/Backup.h"
#include "storage/FrequencyFile.h"
#include "storage/LogOpening.h"
#include "storage/WorkingFile.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using test::qsoOf;

const std::string kLine1 = "00001 0014025300\r\n";
const std::string kLine2 = "00002 0000000000\r\n";
const std::string kLine3 = "00003 0021012340\r\n";
const std::string kLines = kLine1 + kLine2 + kLine3;

// A CQWW log of three QSOs on 20, 40 and 15 m, the 40 m one logged
// without a rig.
struct ThreeQsos {
    test::TempDir dir;
    MainMod state;

    explicit ThreeQsos(const std::string& name = "W6XX.KSL", bool withFrequencies = true)
        : state(test::logFor(contest::Cqww, dir.file(name))) {
        state.programDir = dir.path();
        EXPECT_TRUE(createLogFile(state));
        const std::int64_t hz[] = {14'025'300, 0, 21'012'340};
        const BandModeCode bands[] = {3, 4, 2};
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(test::logQso(state, qsoOf("DL" + std::to_string(i) + "AA", "DL", bands[i]),
                                     withFrequencies ? hz[i] : 0));
    }
    Result<OpenedLog> open() {
        test::FakeMessageBox messages;
        return readLogForOpening(state.currentLogPath, {messages, {}});
    }
};

TEST(FrequencyFile, TheLogKeepsItsBytesAndEachQsoALine) {
    ThreeQsos with;
    ThreeQsos without("W6XX.KSL", false);
    EXPECT_EQ(with.dir.read("W6XX.KSL"), without.dir.read("W6XX.KSL"));
    EXPECT_EQ(with.dir.read("W6XX.KSF"), kLines);
    EXPECT_FALSE(fileExists(without.dir.file("W6XX.KSF")));  // nothing to keep, no file
    const Result<OpenedLog> log = with.open();
    ASSERT_TRUE(log.isOk());
    EXPECT_EQ(log->frequencies, (std::vector<std::int64_t>{14'025'300, 0, 21'012'340}));
    EXPECT_EQ(log->frequencyNotice, "");
    EXPECT_EQ(frequencyFilePath("/logs/w6xx.ksl"), "/logs/w6xx.ksf");
}

TEST(FrequencyFile, AnUnusableFileLeavesBandsOnlyAndSaysWhy) {
    struct Case {
        std::string bytes;
        std::string why;  // empty: the file is used
    };
    const Case cases[] = {
        {kLines.substr(0, 43), "it ends inside the line of QSO 3"},
        {kLine1 + "00002 garbage!!!\r\n" + kLine3,
         "the line of QSO 2 is not its number and a frequency"},
        {kLine1 + kLine3 + kLine2, "the line of QSO 2 is not its number and a frequency"},
        {kLine1 + kLine2, "it holds 2 lines for 3 QSOs"},
        {kLines + "00004 0007000000\r\n00005 0007000000\r\n", "it holds 5 lines for 3 QSOs"},
        {"00001 0007025000\r\n" + kLine2 + kLine3,
         "the frequency of QSO 1 is not on the band it was logged on"},
        // A stop between the frequency's write and the record's leaves a line more.
        {kLines + "00004 0007000000\r\n00005 00", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        ThreeQsos log;
        log.dir.write("W6XX.KSF", c.bytes);
        const Result<OpenedLog> opened = log.open();
        ASSERT_TRUE(opened.isOk());
        EXPECT_EQ(opened->contents.qsos.size(), 3u);
        const bool used = c.why.empty() && !c.bytes.empty();
        const std::vector<std::int64_t> kept{14'025'300, 0, 21'012'340};
        EXPECT_EQ(opened->frequencies, used ? kept : std::vector<std::int64_t>(3, 0));
        EXPECT_EQ(opened->frequencyNotice,
                  c.why.empty() ? ""
                                : "The frequency file " + log.dir.file("W6XX.KSF") +
                                      " cannot be used: " + c.why +
                                      ".  The QSOs show their bands only; the log itself is "
                                      "whole.");
    }
}

TEST(FrequencyFile, SaveAsBackupKillAndEditsKeepItInStep) {
    ThreeQsos log(kWorkingFileName);
    ASSERT_TRUE(saveWorkingLogAs(log.state, log.dir.file("NAMED.KSL")));
    EXPECT_EQ(log.dir.read("NAMED.KSF"), kLines);
    EXPECT_FALSE(fileExists(frequencyFilePath(log.state.workingFilePath())));

    test::TempDir backup;
    log.state.settings.BackUpDrive = backup.path();
    ASSERT_TRUE(backupLog(log.state));
    EXPECT_EQ(backup.read("NAMED.KSF"), kLines);

    log.state.log.removeLast();
    ASSERT_TRUE(cutFrequencies(log.state));
    EXPECT_EQ(log.dir.read("NAMED.KSF"), kLine1 + kLine2);

    // Phone on the same band keeps the frequency; another band drops it.
    QSORecName q = log.state.log.at(1);
    q.QBandMode = 11;
    log.state.log.replace(1, q);
    EXPECT_EQ(log.state.log.frequencyOf(1), 14'025'300);
    q.QBandMode = 12;
    log.state.log.replace(1, q);
    ASSERT_TRUE(writeQso(log.state, 1));
    EXPECT_EQ(log.dir.read("NAMED.KSF"), "00001 0000000000\r\n" + kLine2);

    // A new log under the name does not take the old one's frequencies.
    ASSERT_TRUE(createLogFile(log.state));
    EXPECT_FALSE(fileExists(log.dir.file("NAMED.KSF")));
}

}  // namespace
}  // namespace keslog
