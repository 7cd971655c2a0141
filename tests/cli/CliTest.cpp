#include <gtest/gtest.h>

#include <sstream>

#include "Cli.h"
#include "storage/DataFile.h"
#include "support/FakePlatform.h"

namespace keslog::cli {
namespace {

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun run(const std::vector<std::string>& args, const std::string& programDir = "/nonexistent") {
    std::ostringstream out, err;
    const int code = runCli(args, programDir, out, err);
    return {code, out.str(), err.str()};
}

TEST(Cli, VersionHelpAndBadCalls) {
    EXPECT_EQ(run({"--version"}).out, "KESLOG 9.0a\n");
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--program-dir DIR"), std::string::npos);
    for (const Command& c : commands()) EXPECT_NE(help.out.find(c.usage), std::string::npos);

    EXPECT_EQ(run({}).code, 2);
}

TEST(Cli, ProgramDirReplacesTheShippedFolder) {
    test::TempDir dir;
    const CliRun missing = run({"--program-dir", dir.path(), "check"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.err, "keslog-cli: " + dir.file("KESLOG90.INI") + " cannot be read.\n");

    test::copyShippedStartupFiles(dir);
    const std::string noSlash = dir.path().substr(0, dir.path().size() - 1);
    const CliRun ok = run({"check", "--program-dir", noSlash});
    EXPECT_EQ(ok.code, 0);
    EXPECT_EQ(ok.out, "start-up files read from " + dir.path() + "\n");
    EXPECT_EQ(run({"check"}, KESLOG_DATA_DIR).code, 0);  // the shipped folder
}

TEST(Cli, ShowSettingsPrintsThemAsRead) {
    test::TempDir dir;
    dir.write("KESLOG90.INI", "[Preferences]\r\nYourCall=N6TR\r\nRadio1Delay=2.7\r\n");
    const CliRun shown = run({"--program-dir", dir.path(), "show", "settings"});
    EXPECT_EQ(shown.code, 0);
    EXPECT_TRUE(shown.out.starts_with("[Preferences]\nDupeBeepFlag=False\nYourCall=N6TR\n"));
    EXPECT_NE(shown.out.find("\nRadio1Delay=2\n"), std::string::npos);
    EXPECT_NE(shown.out.find("\nOpenFilePath=" + dir.path() + "\n"), std::string::npos);
    EXPECT_EQ(shown.out.find('\r'), std::string::npos);
    // A file from before the newer keys and sections reads as their defaults.
    EXPECT_NE(shown.out.find("\nCWKeyer1=builtin\nCWKeyer2=builtin\nCWKeyerPot=False\n\n"),
              std::string::npos);
    EXPECT_TRUE(shown.out.ends_with(
        "UserAnt=\n\n[Submission File]\nUserState=\nUserPostalCode=\nUserEmail=\nUserGrid=\n"
        "CategoryOperator=SINGLE-OP\nCategoryAssisted=NON-ASSISTED\nCategoryBand=ALL\n"
        "CategoryMode=\nCategoryPower=HIGH\nCategoryStation=FIXED\nCategoryTransmitter=ONE\n"
        "CategoryOverlay=\n\n[Rig Control]\nRig1Control=none\nRig1Address=127.0.0.1:4532\n"
        "Rig2Control=none\nRig2Address=127.0.0.1:4534\nRigPollInterval=500\nRig1Start=False\n"
        "Rig1Model=\nRig1Device=\nRig2Start=False\nRig2Model=\nRig2Device=\n\n"
        "[DX Cluster]\nClusterHost=\nClusterPort=\nClusterCall=\nClusterPassword=\n"
        "ClusterCommands=\nClusterConnectAtStart=False\nClusterSpotMinutes=30\n\n[Broadcast]\nBroadcastOn=False\n"
        "BroadcastAddress=127.0.0.1\nBroadcastPort=12060\n\n"));
}

TEST(Cli, ShowDataPrintsTheTablesInTheFilesOwnForm) {
    const CliRun shown = run({"show", "data"}, KESLOG_DATA_DIR);
    EXPECT_EQ(shown.code, 0);
    EXPECT_TRUE(shown.out.starts_with("[CQP, SS Mults]\nAK/ALASKA\nAL/ALABAMA/ALA\n"));
    EXPECT_NE(shown.out.find("\n\n[CW Characters]\n13\n3111\n"), std::string::npos);
    // What it prints is a data file that loads the same tables.
    MainMod shipped;
    shipped.programDir = std::string(KESLOG_DATA_DIR) + "/";
    ASSERT_TRUE(ReadDataFile(shipped));
    ReferenceData reread;
    ASSERT_TRUE(ReadDataFile(shown.out, reread));
    EXPECT_EQ(reread, shipped.reference);
}

TEST(Cli, ShowSaysWhatIsWrong) {
    test::TempDir dir;
    dir.write("KESLOG90.DAT", "[CW Characters]\r\n13\r\n");
    const CliRun damaged = run({"--program-dir", dir.path(), "show", "data"});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_EQ(damaged.err, "keslog-cli: " + dir.file("KESLOG90.DAT") +
                               ": The reference data file ends inside the section [CW Characters] "
                               "after 1 of its 42 items.\n");
    EXPECT_TRUE(damaged.out.empty());
}

TEST(Cli, SpotsFromStandardInput) {
    std::istringstream in("garbage\nDX de K1TTT: 14025.0 JA1ABC 2400Z\n");
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"spots"}, "/nonexistent", out, err, in), 0);
    EXPECT_EQ(out.str(), "not spots: 2\n");
}

}  // namespace
}  // namespace keslog::cli
