#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "Cli.h"
#include "TypeSession.h"
#include "support/FakePlatform.h"

namespace keslog::cli {
namespace {

// Every session runs on the shipped start-up files at 14:05 on 9 March
// 2024 (no time correction): date code 23094, time 1405.
constexpr const char* kClock = "2024-03-09 14:05:00";

std::string le16(int v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string field(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// A header record: contest identifier and qualifier, location digit;
// padded to the 36-byte record once a named log holds a QSO.
std::string header(const std::string& contest, char location, std::size_t size = 26) {
    return field(
        le16(0) + le16(0) + le16(0) + field("", 10) + le16(0) + le16(0) + contest + location, size);
}

struct Qso {
    int bandMode;
    std::string call;
    int nr;
    int rcvd;
    std::string mult;
    std::string points;
    std::string name = "";  // Sprint and NAQP records only
};

std::string records(const std::vector<Qso>& qsos, bool named = false) {
    std::string bytes;
    for (const Qso& q : qsos) {
        bytes += le16(23094) + le16(1405) + le16(q.bandMode) + field(q.call, 10) + le16(q.nr) +
                 le16(q.rcvd) + field(q.mult, 5) + q.points;
        if (named) bytes += field(q.name, 10);
    }
    return bytes;
}

struct Session {
    int code;
    std::string out;
    std::string err;
    std::string log;
};

class TypeSessionTest : public ::testing::Test {
  protected:
    Session type(std::vector<std::string> options, const std::string& keys,
                 const std::string& answers = "") {
        dir.write("keys.txt", keys);
        std::vector<std::string> args{"--program-dir", KESLOG_DATA_DIR,   "type",
                                      "--log",         dir.file("T.KSL"), "--clock",
                                      kClock,          "--keys",          dir.file("keys.txt")};
        if (!answers.empty()) options.insert(options.end(), {"--answers", answers});
        args.insert(args.end(), options.begin(), options.end());
        std::ostringstream out, err;
        const int code = runCli(args, KESLOG_DATA_DIR, out, err);
        return {code, out.str(), err.str(), fileExists(dir.file("T.KSL")) ? dir.read("T.KSL") : ""};
    }
    static bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

    test::TempDir dir;
};

std::string score(const char* contest, int qsos, const char* points, int mults, int score) {
    return std::string("contest: ") + contest + "\nqsos: " + std::to_string(qsos) +
           "\npoints: " + points + "\nmults: " + std::to_string(mults) +
           "\nscore: " + std::to_string(score) + "\n";
}

// A new log of each contest: what is printed and the file's bytes.
TEST_F(TypeSessionTest, EachContestPrintsItsQsosAndScoreAndWritesItsRecords) {
    struct Case {
        const char* name;
        std::vector<std::string> options;
        std::string keys, out, log, answers = "";
    };
    const Case cases[] = {
        {"ArrlDx",
         {"--new", "ARRLDX", "--mode", "CW"},
         "DL1ABC{Tab}100{Enter}\n",
         "Last: 20  CW  1405 DL1ABC        1  100 DL    3\n" + score("ARRL DX", 1, "3", 1, 3),
         header("ARLCW", ' ') + records({{3, "DL1ABC", 1, 100, "DL", "3"}})},
        {"CqpOutOfState",
         {"--new", "CQP", "--location", "OUT"},
         "K6AAA{Tab}12 SCLA{Enter}\n",
         "Last: 20  CW  1405 K6AAA         1   12 SCLA  3\n" + score("CQP", 1, "3", 1, 3),
         header("CQPOS", ' ') + records({{3, "K6AAA", 1, 12, " 43", "3"}})},
        {"CqwwPhoneFromCanada",
         {"--new", "CQWW", "--mode", "SSB", "--location", "CANADA"},
         "W1AW{Enter}\n"  // logged from the call box, zone as filled in
         "VE3XX{Enter}\n"
         "JA1XYZ{Tab}{Enter}\n"
         "W1AW{Enter}\n",
         "Last: 20  SSB 1405 W1AW          1    5 K     2\n"
         "Last: 20  SSB 1405 VE3XX         2    5 VE    0\n"
         "Last: 20  SSB 1405 JA1XYZ        3   25 JA    3\n"
         "BEEP\n"
         "MSGBOX DUPE! | DUPE - OK to Log Anyway?\\n               W1AW      "
         "\\n03/09/24  1405  My #1\n" +
             score("CQWW DX", 3, "5", 5, 25),
         header("WW SB", '3') + records({{11, "W1AW", 1, 5, "K", "2"},
                                         {11, "VE3XX", 2, 5, "VE", "0"},
                                         {11, "JA1XYZ", 3, 25, "JA", "3"}}),
         "no"},
        {"SprintWithADupeLoggedAnyway",
         {"--new", "SPRINT", "--mode", "CW"},
         "K6XX{Tab}123 BOB CA{Enter}\n"
         "N6TR{Tab}45 DAN OR{Enter}\n"
         "K6XX{Tab}124{Enter}\n",  // name and state filled in after the Yes
         "Last: 20  CW  1405 K6XX          1  123 BOB CA    1\n"
         "Last: 20  CW  1405 N6TR          2   45 DAN OR    1\n"
         "BEEP\n"
         "MSGBOX DUPE! | DUPE - OK to Log Anyway?\\n          K6XX      BOB CA"
         "\\n03/09/24  1405  His #123  My #1\n"
         "Last: 20  CW  1405 K6XX          3  124 BOB CA    0\n" +
             score("Sprint", 3, "2", 2, 4),
         header("SP CW", ' ', 36) + records({{3, "K6XX", 1, 123, " 5", "1", "BOB"},
                                             {3, "N6TR", 2, 45, " 37", "1", "DAN"},
                                             {3, "K6XX", 3, 124, " 5", "0", "BOB"}},
                                            true),
         "yes"},
        {"SweepstakesTakesTheCallFromTheExchange",
         {"--new", "SS", "--mode", "CW"},
         "W1AW{Tab}1 A 72 EMA{Enter}\n"
         "K6ABC{Tab}2 B N6TR 85 SF{Enter}\n"
         "K1AR{Tab}3X72CT{Enter}{Esc}\n",
         "Last: 20  CW  1405 W1AW          1    1 A 72 EMA 2\n"
         "Last: 20  CW  1405 N6TR          2    2 B 85 SF 2\n"
         "MSGBOX Exchange Error | Precedence Error -- Must be A, B, M, Q, S, or U\n" +
             score("SS", 2, "4", 2, 8),
         header("SS9CW", ' ') +
             records({{3, "W1AW", 1, 1, "A72EM", "2"}, {3, "N6TR", 2, 2, "B85SF", "2"}})},
        {"WpxFromEurope",
         {"--new", "WPX", "--mode", "CW", "--location", "EU"},
         "DL1ABC{Tab}1{Enter}\n"
         "K1AR{Tab}22{Enter}\n"
         "{Ctrl+Down}DL2XYZ{Tab}5{Enter}\n",
         // Own continent 1 point (2 on 40 m), another continent 3.
         "Last: 20  CW  1405 DL1ABC        1    1 DL1   1\n"
         "Last: 20  CW  1405 K1AR          2   22 K1    3\n"
         "Last: 40  CW  1405 DL2XYZ        3    5 DL2   2\n" +
             score("WPX", 3, "6", 3, 18),
         header("WPXCW", '6') + records({{3, "DL1ABC", 1, 1, "DL1", "1"},
                                         {3, "K1AR", 2, 22, "K1", "3"},
                                         {4, "DL2XYZ", 3, 5, "DL2", "2"}})},
        {"AllAsian",
         {"--new", "AA", "--mode", "CW"},
         "JA1XYZ{Tab}35{Enter}\n",
         "Last: 20  CW  1405 JA1XYZ        1   35 JA1   1\n" + score("AA", 1, "1", 1, 1),
         header("AA CW", ' ') + records({{3, "JA1XYZ", 1, 35, "JA1", "1"}})},
        {"PaqpCountsHalfPoints",
         {"--new", "PAQP", "--location", "OUT"},
         "W3AAA{Tab}1 ALL{Enter}\n"
         "{Ctrl+Right}W3BBB{Tab}2 PHI{Enter}\n"
         "{Ctrl+Left}{Ctrl+Down}{Ctrl+Down}W3CCC{Tab}3 ALL{Enter}\n",
         // 1.5 + 1 + 2 = 4.5 points, two counties: 9.
         "Last: 20  CW  1405 W3AAA         1    1 ALL   1.5\n"
         "Last: 20  SSB 1405 W3BBB         2    2 PHI   1\n"
         "Last: 80  CW  1405 W3CCC         3    3 ALL   2\n" +
             score("PAQP", 3, "4.5", 2, 9),
         header("PAQOS", ' ') + records({{3, "W3AAA", 1, 1, " 2", "3"},
                                         {11, "W3BBB", 2, 2, " 51", "1"},
                                         {5, "W3CCC", 3, 3, " 2", "2"}})},
        {"NaqpRepeatAndKillLastEntry",
         {"--new", "NAQP", "--mode", "CW"},
         "K6XX{Tab}BOB CA{Enter}\n"
         "RPT{Enter}{Esc}\n"
         "W1AW{Tab}HAM CT{Enter}\n"
         "{Ctrl+Down}K6XX{Tab}BOB CA{Enter}\n"
         "{KillLastEntry}\n",
         "Last: 20  CW  1405 K6XX          1      BOB CA    1\n"
         "Last: 20  CW  1405 W1AW          2      HAM CT    1\n"
         "Last: 40  CW  1405 K6XX          3      BOB CA    1\n"
         "MSGBOX Confirm kill | Kill last log entry?\n" +
             score("NAQP", 2, "2", 2, 4),
         header("NA CW", ' ', 36) +
             records({{3, "K6XX", 1, 0, " 27", "1", "BOB"}, {3, "W1AW", 2, 0, " 1", "1", "HAM"}},
                     true),
         "yes"},
        // The dupe logged anyway becomes JA1XYZ in zone 25 with its country and
        // points: the replay counts them, two new multipliers. A refused field
        // leaves the record as it was; without fields the editor changes nothing.
        {"LastEntryEditsTheLastQsoInPlace",
         {"--new", "CQWW", "--mode", "CW", "--location", "USA"},
         "DL1ABC{Tab}14{Enter}\n"
         "DL1ABC{Tab}14{Enter}\n"
         "{LastEntry Call=JA1XYZ Received=25 Mult=JA Points=3}\n"
         "{LastEntry OwnNr=10000}\n"
         "{LastEntry}\n",
         "Last: 20  CW  1405 DL1ABC        1   14 DL    3\n"
         "BEEP\n"
         "MSGBOX DUPE! | DUPE - OK to Log Anyway?\\n               DL1ABC    "
         "\\n03/09/24  1405  My #1\n"
         "Last: 20  CW  1405 DL1ABC        2   14 DL    0\n"
         "MSGBOX Invalid Entry | My number must be between 0 and 9999.\n" +
             score("CQWW DX", 2, "6", 4, 24),
         header("WW CW", '2') +
             records({{3, "DL1ABC", 1, 14, "DL", "3"}, {3, "JA1XYZ", 2, 25, "JA", "3"}}),
         "yes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::remove(dir.file("T.KSL").c_str());
        const Session s = type(c.options, c.keys, c.answers);
        ASSERT_EQ(s.code, 0) << s.err;
        EXPECT_EQ(s.out, c.out);
        EXPECT_EQ(s.log, c.log);
    }
}

TEST_F(TypeSessionTest, EscWhileSendingStopsTheMessageAndKeepsTheEntry) {
    // CW keying on Com1: K1AR's exchange message starts with the dah of K
    // (127.5 ms at 28 wpm). Esc within it ends the message after that
    // element and leaves the entry for Enter; Esc after the message has
    // ended clears the entry as usual.
    test::copyShippedStartupFilesKeyingCW(dir);
    struct Case {
        std::string keys;
        std::string out;
        std::size_t edges;
    };
    const Case cases[] = {
        {"K1AR{Insert}{Esc +100ms}{Enter}",
         "Last: 20  CW  1405 K1AR          1    5 K     0\n" + score("CQWW DX", 1, "0", 2, 0), 2},
        {"K1AR{Insert}{Esc +9000ms}{Enter}", score("CQWW DX", 0, "0", 0, 0), 44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        dir.write("keys.txt", c.keys);
        std::remove(dir.file("T.KSL").c_str());
        std::ostringstream out, err;
        ASSERT_EQ(runCli({"--program-dir", dir.path(), "type", "--log", dir.file("T.KSL"), "--new",
                          "CQWW", "--mode", "CW", "--location", "USA", "--clock", kClock, "--keys",
                          dir.file("keys.txt"), "--line-log", dir.file("lines.txt")},
                         KESLOG_DATA_DIR, out, err),
                  0)
            << err.str();
        EXPECT_EQ(out.str(), c.out);
        const std::string lines = dir.read("lines.txt");
        EXPECT_EQ(static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n')), c.edges);
        EXPECT_TRUE(lines.starts_with("0.0\tCom1\ton\n127.5\tCom1\toff\n")) << lines;
    }
}

// Rig reports move band and mode as a rigctld poll would; each QSO keeps
// the frequency of its band to 10 Hz, none after a band change by hand;
// a killed QSO takes its line along.
TEST_F(TypeSessionTest, RigReportsSetTheBandAndTheQsosKeepTheirFrequencies) {
    const Session s = type({"--new", "CQWW", "--mode", "CW", "--location", "USA"},
                           "{Rig 1 7025304 CW}DL1ABC{Tab}14{Enter}\n"
                           "{Rig 2 28010000 CW}{Rig 1 21012340 CW}G4ABC{Tab}14{Enter}\n"
                           "{Ctrl+Down}JA1XYZ{Tab}25{Enter}\n"
                           "{Rig 1 14001000 CW}K1AR{Tab}5{Enter}{KillLastEntry}\n",
                           "yes");
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(s.out,
              "Last: 40  CW  1405 DL1ABC        1   14 DL    3\n"
              "Last: 15  CW  1405 G4ABC         2   14 G     3\n"
              "Last: 20  CW  1405 JA1XYZ        3   25 JA    3\n"
              "Last: 20  CW  1405 K1AR          4    5 K     0\n"
              "MSGBOX Confirm kill | Kill last log entry?\n" +
                  score("CQWW DX", 3, "9", 6, 54));
    EXPECT_EQ(dir.read("T.KSF"),
              "00001 0007025300\r\n00002 0021012340\r\n00003 0000000000\r\n");
}

TEST_F(TypeSessionTest, AnExistingLogIsContinuedAndScored) {
    ASSERT_EQ(type({"--new", "WPX", "--mode", "CW", "--location", "USA"}, "K1AR{Tab}1{Enter}").code,
              0);
    const Session more = type({}, "{Clock +3m}W1AW{Tab}2{Enter}");
    ASSERT_EQ(more.code, 0) << more.err;
    EXPECT_EQ(more.out,
              "Last: 20  CW  1408 W1AW          2    2 W1    1\n" + score("WPX", 2, "2", 2, 4));
    std::ostringstream out, err;
    ASSERT_EQ(runCli({"--program-dir", KESLOG_DATA_DIR, "score", dir.file("T.KSL")},
                     KESLOG_DATA_DIR, out, err),
              0);
    EXPECT_EQ(out.str(), score("WPX", 2, "2", 2, 4));
}

TEST_F(TypeSessionTest, BadCallsChangeNothing) {
    struct Case {
        std::vector<std::string> options;
        std::string keys;
        std::string err;
    };
    const Case cases[] = {
        {{"--new", "FD", "--mode", "CW"},
         "",
         "--new is one of ARRLDX, CQP, CQWW, SPRINT, SS, WPX, AA, PAQP, NAQP"},
        {{"--new", "CQWW", "--mode", "CW"}, "", "--location is USA or CANADA for CQWW"},
        {{"--new", "CQP"}, "", "--location is IN or OUT for CQP"},
        {{"--new", "SS", "--mode", "RTTY"}, "", "--mode is CW or SSB"},
        {{"--new", "SS", "--mode", "CW"}, "K1AR{Tab", "key script, character 5: a { without its }"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err);
        const Session s = type(c.options, c.keys);
        EXPECT_EQ(s.code, 2);
        EXPECT_EQ(s.err.substr(0, s.err.find('\n')),
                  "keslog-cli: " + (c.keys.empty() ? "" : dir.file("keys.txt") + ": ") + c.err);
        EXPECT_EQ(s.log, "");
    }
    // An existing log is never started anew.
    dir.write("T.KSL", "precious");
    const Session again = type({"--new", "SS", "--mode", "CW"}, "K1AR");
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.log, "precious");
}

TEST(KeyScript, BadStepsNameWhereAndWhy) {
    const std::pair<const char*, const char*> cases[] = {
        {"{F13}", "unknown key {F13}"},
        {"{LastEntry Band=3}", "{LastEntry Band=3}: Band=3 is no Field=Text of the editor"},
        {"{LastEntry Call}", "{LastEntry Call}: Call is no Field=Text of the editor"},
        {"{LastEntry  }", "{LastEntry  }: no field to edit"},
        {"{Esc 300ms}", "{Esc 300ms}: Esc while sending is +Nms, at most +60000ms"},
        {"{Esc +60001ms}", "{Esc +60001ms}: Esc while sending is +Nms, at most +60000ms"},
        {"{Esc +3s}", "{Esc +3s}: Esc while sending is +Nms, at most +60000ms"},
        {"{Clock 5m}", "{Clock 5m}: the clock moves on as +Ns, +Nm or +Nh"},
        {"{Rig 3 14025000 CW}",
         "{Rig 3 14025000 CW}: a rig report is {Rig RADIO HZ MODE}, as {Rig 1 14025000 CW}"},
    };
    for (const auto& [keys, err] : cases)
        EXPECT_EQ(parseKeyScript(keys).status().message(),
                  std::string("key script, character 1: ") + err);
}

TEST(KeyScript, NamesModifiersAndClock) {
    const auto steps = parseKeyScript("a{Shift+F1}\n{Ctrl+Down}{Alt+L}{Space}{Clock +2h}");
    ASSERT_TRUE(steps.isOk());
    ASSERT_EQ(steps->size(), 6U);
    EXPECT_EQ(std::get<TypedChar>((*steps)[0]).c, 'a');
    const auto f1 = std::get<PressedKey>((*steps)[1]);
    EXPECT_EQ(f1.key, EntryKey::F1);
    EXPECT_TRUE(f1.mods.shift);
    EXPECT_TRUE(std::get<PressedKey>((*steps)[2]).mods.ctrl);
    EXPECT_EQ(std::get<EntryButton>((*steps)[3]), EntryButton::LogIt);
    EXPECT_EQ(std::get<TypedChar>((*steps)[4]).c, ' ');
    EXPECT_EQ(std::get<ClockStep>((*steps)[5]).seconds, 7200);
}

}  // namespace
}  // namespace keslog::cli
