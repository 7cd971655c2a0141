#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "Cli.h"
#include "TypeSession.h"
#include "support/CwDaemon.h"
#include "support/FakePlatform.h"

namespace keslog::cli {
namespace {

constexpr const char* kClock = "2024-03-09 14:05:00";

std::string score(const char* contest, int qsos, const char* points, int mults, int score) {
    return std::string("contest: ") + contest + "\nqsos: " + std::to_string(qsos) +
           "\npoints: " + points + "\nmults: " + std::to_string(mults) +
           "\nscore: " + std::to_string(score) + "\n";
}

// A new CQWW log from the USA typed from keys.txt, its lines in lines.txt.
int typeCqwwWithLineLog(test::TempDir& dir, std::ostream& out, std::ostream& err) {
    return runCli({"--program-dir", dir.path(), "type", "--log", dir.file("T.KSL"), "--new", "CQWW",
                   "--mode", "CW", "--location", "USA", "--clock", kClock, "--keys",
                   dir.file("keys.txt"), "--line-log", dir.file("lines.txt")},
                  KESLOG_DATA_DIR, out, err);
}

TEST(TypeSession, EscWhileSendingStopsTheMessageAndKeepsTheEntry) {
    test::TempDir dir;
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
        ASSERT_EQ(typeCqwwWithLineLog(dir, out, err), 0) << err.str();
        EXPECT_EQ(out.str(), c.out);
        const std::string lines = dir.read("lines.txt");
        EXPECT_EQ(static_cast<std::size_t>(std::count(lines.begin(), lines.end(), '\n')), c.edges);
        EXPECT_TRUE(lines.starts_with("0.0\tCom1\ton\n127.5\tCom1\toff\n")) << lines;
    }
}

TEST(TypeSession, KeysThroughARealCwDaemon) {
    test::CwDaemon daemon;
    if (!daemon.failure.empty()) GTEST_SKIP() << daemon.failure;
    test::TempDir dir;
    test::copyShippedStartupFilesKeyingCW(dir);
    const std::string link = "127.0.0.1:" + std::to_string(daemon.port);
    std::string settings = dir.read("KESLOG90.INI");
    settings.replace(settings.find("CWKeyer1=builtin"), 16, "CWKeyer1=cwdaemon:" + link);
    dir.write("KESLOG90.INI", settings);
    // My call, a QSO logged with its TU, and a CQ stopped 300 ms in.
    dir.write("keys.txt", "{F2}K1AR{Tab}5{Enter}{F1}{Esc +300ms}");
    std::ostringstream out, err;
    ASSERT_EQ(typeCqwwWithLineLog(dir, out, err), 0) << err.str();
    EXPECT_EQ(out.str(),
              "Last: 20  CW  1405 K1AR          1    5 K     0\n" + score("CQWW DX", 1, "0", 2, 0));
    // Each datagram a line behind its time on the session's clock, which
    // followed the daemon: speed and weight before each message, the
    // request for its end before its text, the abort 300 ms into the CQ.
    std::istringstream lines(dir.read("lines.txt"));
    std::string sent;
    double cqAt = 0;
    double abortAt = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t tab = line.find('\t');
        ASSERT_EQ(line.substr(tab + 1, link.size() + 1), link + "\t") << line;
        sent += line.substr(tab + link.size() + 2) + "|";
        if (line.ends_with("\tCQ TEST W6XX W6XX TEST")) cqAt = std::stod(line);
        if (line.ends_with("\t<1B>4")) abortAt = std::stod(line);
    }
    EXPECT_EQ(sent,
              "<1B>228|<1B>70|<1B>h1|W6XX|<1B>228|<1B>70|<1B>h2|CQ TEST W6XX W6XX TEST|<1B>4|");
    // W6XX is 51 dots long, 2185.7 ms at 28 wpm: the CQ waited for its end.
    EXPECT_GE(cqAt, 2185.7);
    EXPECT_GE(abortAt - cqAt, 300.0);
    EXPECT_LT(abortAt - cqAt, 1000.0);  // seconds before the CQ's end, even on a loaded machine
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
