#include <gtest/gtest.h>

#include <sstream>

#include "Cli.h"
#include "platform/Files.h"
#include "storage/DataFile.h"
#include "storage/LogFile.h"
#include "storage/LogFixtures.h"
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

// A NAQP log of the given QSOs in dir, with the shipped start-up files.
void writeNaqpLog(const test::TempDir& dir, const std::vector<QSORecName>& qsos) {
    test::copyShippedStartupFiles(dir);
    MainMod log = test::logFor(contest::Naqp, dir.file("NAQP.KSL"));
    ASSERT_TRUE(createLogFile(log));
    for (const QSORecName& q : qsos) ASSERT_TRUE(test::logQso(log, q));
}

TEST(Cli, VersionHelpAndBadCalls) {
    EXPECT_EQ(run({"--version"}).out, "KESLOG 9.0a\n");
    const CliRun help = run({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--program-dir DIR"), std::string::npos);
    for (const Command& c : commands()) EXPECT_NE(help.out.find(c.usage), std::string::npos);

    EXPECT_EQ(run({}).code, 2);
    const CliRun unknown = run({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_EQ(unknown.err, "keslog-cli: unknown command 'frobnicate' (see --help)\n");
    const CliRun noDir = run({"check", "--program-dir"});
    EXPECT_EQ(noDir.code, 2);
    EXPECT_EQ(noDir.err, "keslog-cli: --program-dir needs a folder\n");
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
        "Rig2Control=none\nRig2Address=127.0.0.1:4534\nRigPollInterval=500\n\n"
        "[DX Cluster]\nClusterHost=\nClusterPort=\nClusterCall=\nClusterPassword=\n"
        "ClusterCommands=\nClusterConnectAtStart=False\n\n"));
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
    const CliRun noWhat = run({"show"});
    EXPECT_EQ(noWhat.code, 2);
    EXPECT_EQ(noWhat.err, "keslog-cli: usage: show settings|data\n");
    EXPECT_EQ(run({"show", "country"}).code, 2);
    dir.write("KESLOG90.DAT", "[CW Characters]\r\n13\r\n");
    const CliRun damaged = run({"--program-dir", dir.path(), "show", "data"});
    EXPECT_EQ(damaged.code, 1);
    EXPECT_EQ(damaged.err, "keslog-cli: " + dir.file("KESLOG90.DAT") +
                               ": The reference data file ends inside the section [CW Characters] "
                               "after 1 of its 42 items.\n");
    EXPECT_TRUE(damaged.out.empty());
}

TEST(Cli, LookupPrintsOneTabSeparatedLinePerCall) {
    test::TempDir dir;
    dir.write("arrl.cty",
              "United States(000):05:K:K,N,W;\n"
              "Canada(010):05:VE:VE,VA;\n"
              "Alaska(330):01:KL:KL,AL;\n"
              "Japan(310):25:JA:JA;\n"
              "Nowhere:  :XX:XX;\n");
    const CliRun r = run({"--program-dir", dir.path(), "lookup", "k1abc", "VE3XYZ/P", "AL7RT",
                          "JA1ABC/4", "XX1A", "ZZ1ZZ"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "K1ABC\tK1\t1\tK\tUnited States\t05\tNA\t000\tUSA\n"
              "VE3XYZ/P\tVE3\t2\tVE\tCanada\t05\tNA\t010\tCANADA\n"
              "AL7RT\tAL7\t3\tKL\tAlaska\t01\tNA\t330\tNA\n"
              "JA1ABC/4\tJA4\t4\tJA\tJapan\t25\tAS\t310\t-\n"
              "XX1A\tXX1\t5\tXX\tNowhere\t-\t-\t-\t-\n"
              "ZZ1ZZ\tZZ1\t0\t-\t-\t-\t-\t-\t-\n");

    // --cty reads another country file, wherever it stands.
    dir.write("other.cty", "Somewhere(123):14:ZZ:ZZ;\n");
    const CliRun other = run({"lookup", "ZZ1ZZ", "--cty", dir.file("other.cty")});
    EXPECT_EQ(other.out, "ZZ1ZZ\tZZ1\t1\tZZ\tSomewhere\t14\tEU\t123\t-\n");
}

TEST(Cli, LookupRefusesMissingArgumentsAndBadFiles) {
    test::TempDir dir;
    EXPECT_EQ(run({"lookup"}, KESLOG_DATA_DIR).code, 2);
    const CliRun noFile = run({"lookup", "K1ABC", "--cty"});
    EXPECT_EQ(noFile.code, 2);
    EXPECT_EQ(noFile.err, "keslog-cli: --cty needs a country file\n");
    dir.write("bad.cty", "Somewhere(123) 14 ZZ ZZ\n");
    const CliRun bad = run({"lookup", "K1ABC", "--cty", dir.file("bad.cty")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_EQ(bad.err, "keslog-cli: " + dir.file("bad.cty") +
                           " line 1 cannot be read: a country line needs three \":\" "
                           "(name:zone:prefix:aliases).\n");
    EXPECT_EQ(bad.out, "");
}

TEST(Cli, CtyConvertWritesTheCountryFileAndNotesOnStderr) {
    test::TempDir dir;
    dir.write("cty.dat",
              "United States:  05:  08:  NA:   0.00:   -90.00:   5.0:  K:\n"
              "    K,N,=N1ABC(4);\n"
              "Canada:         05:  09:  NA:  10.00:     0.00:   5.0:  VE:\n"
              "    VE;\n");
    const CliRun r = run({"cty", "convert", dir.file("cty.dat"), "--home", "0", "0"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out,
              "United States(090):05:K:K,N,N1ABC,KH5K,NH5K,KH7K,NH7K;\nCanada(000):05:VE:VE;\n");
    EXPECT_EQ(r.err.substr(0, r.err.find('\n')),
              "cty convert: N1ABC (United States): its own CQ zone 4 is not kept; the country's "
              "zone 05 is used.");

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"cty", "convert"}, "usage: keslog-cli cty convert CTY.DAT [--home LAT LON] > arrl.cty\n"},
        {{"cty", "export", dir.file("cty.dat")},
         "usage: keslog-cli cty convert CTY.DAT [--home LAT LON] > arrl.cty\n"},
        {{"cty", "convert", dir.file("cty.dat"), "--home", "1"},
         "keslog-cli: --home needs a latitude and a longitude\n"},
        {{"cty", "convert", dir.file("cty.dat"), "--home", "91", "0"},
         "keslog-cli: --home is latitude -90..90 and longitude -180..180\n"},
    };
    for (const auto& [args, message] : refused) {
        const CliRun bad = run(args);
        EXPECT_EQ(bad.code, 2);
        EXPECT_EQ(bad.err, message);
    }

    dir.write("broken.dat", "United States: 05: 08: NA: 0: 0: 0: K: K\n");
    const CliRun broken = run({"cty", "convert", dir.file("broken.dat")});
    EXPECT_EQ(broken.code, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_EQ(broken.err, "keslog-cli: " + dir.file("broken.dat") +
                              ": line 1: the entity is not ended by \";\".\n");
    const CliRun missing = run({"cty", "convert", dir.file("none.dat")});
    EXPECT_EQ(missing.code, 1);
}

TEST(Cli, ScoreOpensAndReplaysALog) {
    test::TempDir dir;
    // Row 5 on 20 and 40 m, row 7 on 20 m: three band multipliers, one point a QSO.
    writeNaqpLog(dir, {test::qsoOf("K1AR", " 5", 3), test::qsoOf("N6TR", " 5", 4),
                       test::qsoOf("W9XX", " 7", 3)});
    const CliRun scored = run({"--program-dir", dir.path(), "score", dir.file("NAQP.KSL")});
    EXPECT_EQ(scored.err, "");
    EXPECT_EQ(scored.code, 0);
    EXPECT_EQ(scored.out, "contest: NAQP\nqsos: 3\npoints: 3\nmults: 3\nscore: 9\n");

    const CliRun missing = run({"--program-dir", dir.path(), "score", dir.file("GONE.KSL")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.starts_with("keslog-cli: Could not open " + dir.file("GONE.KSL")))
        << missing.err;
    EXPECT_EQ(missing.out, "");

    dir.write("SHORT.KSL", "NA");
    const CliRun shortLog = run({"--program-dir", dir.path(), "score", dir.file("SHORT.KSL")});
    EXPECT_EQ(shortLog.code, 1);
    EXPECT_EQ(shortLog.err, "keslog-cli: The file " + dir.file("SHORT.KSL") +
                                " is not a KESLOG log: it is too short to hold a log header.  "
                                "Nothing was opened.\n");
    EXPECT_EQ(run({"--program-dir", dir.path(), "score"}).code, 2);
}

TEST(Cli, PostWritesTheSubmissionFileAndSheets) {
    test::TempDir dir;
    writeNaqpLog(dir, {test::qsoOf("K1AR", " 5", 3), test::qsoOf("N6TR", " 5", 4)});

    const CliRun posted = run({"--program-dir", dir.path(), "post", dir.file("NAQP.KSL"),
                               "--cabrillo", "--cabrillo-version", "2"});
    EXPECT_EQ(posted.err, "");
    EXPECT_EQ(posted.code, 0);
    EXPECT_EQ(posted.out, "qsos: 2\npoints: 2\nmults: 2\nclaimed score: 4\nwrote " +
                              dir.file("NAQP.LOG") + "\n");
    const std::string text = dir.read("NAQP.LOG");
    EXPECT_TRUE(text.starts_with("START-OF-LOG: 2.0\r\nCONTEST: NAQP-CW\r\n")) << text;
    EXPECT_TRUE(text.ends_with("\r\nEND-OF-LOG:\r\n"));

    const CliRun sheets = run({"--program-dir", dir.path(), "post", dir.file("NAQP.KSL"),
                               "--summary", "--listing", "--breakdown"});
    EXPECT_EQ(sheets.err, "");
    EXPECT_EQ(sheets.code, 0);
    EXPECT_EQ(sheets.out, "qsos: 2\npoints: 2\nmults: 2\nclaimed score: 4\nwrote " +
                              dir.file("NAQP.SUM") + "\nwrote " + dir.file("NAQP.BRK") +
                              "\nwrote " + dir.file("NAQP.ASC") + "\n");
    // No name or QTH sent in the shipped settings; RI worked on 20 and 40 m.
    const std::string noExchange(23, ' ');
    EXPECT_EQ(dir.read("NAQP.ASC"),
              "11/04/21 20  CW      1234  K1AR          0" + noExchange + "RI    01  1\r\n" +
                  "11/04/21 40  CW      1234  N6TR          0" + noExchange + "RI        1\r\n");
    const CliRun wrongName = run({"--program-dir", dir.path(), "post", dir.file("NAQP.LOG")});
    EXPECT_EQ(wrongName.code, 1);
    EXPECT_EQ(wrongName.err, "keslog-cli: The file " + dir.file("NAQP.LOG") +
                                 " is not a .KSL log file.  Nothing was processed.\n");
    EXPECT_EQ(run({"--program-dir", dir.path(), "post"}).code, 2);
    EXPECT_EQ(run({"--program-dir", dir.path(), "post", "A.KSL", "--frobnicate"}).code, 2);
    EXPECT_EQ(run({"--program-dir", dir.path(), "post", "A.KSL", "--cabrillo-version", "1"}).code,
              2);
}

TEST(Cli, PostWritesDupeSheetsAndExports) {
    test::TempDir dir;
    writeNaqpLog(dir, {test::qsoOf("N6TR", " 5", 3), test::qsoOf("K1AR", " 5", 3)});

    // NAQP has no DXB4 file: asking for one writes nothing and says so.
    const CliRun posted = run(
        {"--program-dir", dir.path(), "post", dir.file("NAQP.KSL"), "--dupes", "--adif", "--dxb4"});
    EXPECT_EQ(posted.err, "keslog-cli: no DXB4 file is made for NA Sprint and NAQP logs\n");
    EXPECT_EQ(posted.code, 0);
    // One state on one band: a single multiplier.
    EXPECT_EQ(posted.out, "qsos: 2\npoints: 2\nmults: 1\nclaimed score: 2\nwrote " +
                              dir.file("NAQP.20C") + "\nwrote " + dir.file("NAQP.adi") + "\n");
    EXPECT_EQ(dir.read("NAQP.20C"), "K1AR      N6TR      \r\n");
    const std::string adif = dir.read("NAQP.adi");
    const std::string header =
        "ADIF Export from NAQP.KSL "
        "<adif_ver:5>3.1.4<programid:6>KESLOG<programversion:4>9.0a<eoh>\r\n";
    EXPECT_TRUE(adif.starts_with(header + "<qso_date:8>")) << adif;
    // No station call, name or QTH in the shipped settings: their fields are left out.
    EXPECT_TRUE(
        adif.ends_with("<time_on:4>1234<band:3>20m<mode:2>CW<call:4>K1AR<rst_sent:3>599"
                       "<rst_rcvd:3>599<contest_id:7>NAQP-CW<srx_string:2>RI<state:2>RI"
                       "<notes:8>NAQP.KSL<eor>\r\n"))
        << adif;
    EXPECT_FALSE(fileExists(dir.file("NAQP.SDF")));

    const CliRun omitted = run({"--program-dir", dir.path(), "post", dir.file("NAQP.KSL"), "--adif",
                                "--omit-wk", "--omit-ja"});
    EXPECT_EQ(omitted.code, 0);
    EXPECT_EQ(dir.read("NAQP.adi"), header);
}

TEST(Cli, ScpAndHistoryPrintOneLinePerText) {
    test::TempDir dir;
    dir.write("MASTER.SCP", "# calls\nK1AR\nK1ARX\nAK1AR\nW1AW\nK1\n");
    dir.write("hist.csv", "!!Order!!;Call;Name;State\nK6XX;Bob;CA\nN6TR;\"Tree\";\n");

    const CliRun scp = run({"scp", "--scp", dir.file("MASTER.SCP"), "k1a", "K1AS", "W1AW", "K"});
    EXPECT_EQ(scp.code, 0);
    EXPECT_EQ(scp.out, "K1A\tK1AR K1ARX AK1AR\t\nK1AS\t\tK1AR\nW1AW\tW1AW\t\nK\t\t\n");
    EXPECT_EQ(scp.err, "keslog-cli: 1 line of the check-partial database " +
                           dir.file("MASTER.SCP") + " could not be read and was left out.\n");
    const CliRun noFile = run({"scp", "--scp", dir.file("NO.SCP"), "K1A"});
    EXPECT_EQ(noFile.code, 1);
    EXPECT_EQ(noFile.err, "keslog-cli: The check-partial database " + dir.file("NO.SCP") +
                              " could not be read.  The logger goes on without check partial.\n");

    const CliRun history = run(
        {"history", "--file", dir.file("hist.csv"), "--contest", "naqp", "K6XX", "n6tr", "W1AW"});
    EXPECT_EQ(history.code, 0);
    EXPECT_EQ(history.out, "K6XX\tBOB CA\nN6TR\tTREE\nW1AW\t\n");
    EXPECT_EQ(history.err, "");
    const CliRun sprint =
        run({"history", "--file", dir.file("hist.csv"), "--contest", "SPRINT", "K6XX"});
    EXPECT_EQ(sprint.out, "K6XX\t  BOB CA\n");
    const CliRun badContest =
        run({"history", "--file", dir.file("hist.csv"), "--contest", "FD", "K6XX"});
    EXPECT_EQ(badContest.code, 2);
    EXPECT_EQ(badContest.err,
              "keslog-cli: --contest is one of ARRLDX, CQP, CQWW, SPRINT, SS, "
              "WPX, AA, PAQP, NAQP\n");
}

TEST(Cli, SpotsFromAFileOrStandardInput) {
    test::TempDir dir;
    dir.write("c.txt",
              "\xff\xfb\x01login: W1XYZ\r\nDX de K1TTT:     14025.0  JA1ABC       tnx  QSO\x07"
              "                1200Z FN42\r\n\r\nDX de VE7CC-#:7003.5 K6ABC CW 24 dB CQ 0905Z");
    const CliRun fromFile = run({"spots", dir.file("c.txt")});
    EXPECT_EQ(fromFile.code, 0);
    EXPECT_EQ(fromFile.out,
              "14025.0\tJA1ABC\t1200\tK1TTT\ttnx  QSO\n"
              "7003.5\tK6ABC\t0905\tVE7CC-#\tCW 24 dB CQ\nnot spots: 1\n");

    std::istringstream in("garbage\nDX de K1TTT: 14025.0 JA1ABC 2400Z\n");
    std::ostringstream out, err;
    EXPECT_EQ(runCli({"spots"}, "/nonexistent", out, err, in), 0);
    EXPECT_EQ(out.str(), "not spots: 2\n");

    EXPECT_EQ(
        run({"spots", dir.file("none.txt")}).err,
        "keslog-cli: Could not open " + dir.file("none.txt") + ": No such file or directory\n");
    EXPECT_EQ(run({"spots", "a", "b"}).code, 2);
}

}  // namespace
}  // namespace keslog::cli
