#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "support/FakePlatform.h"

namespace keslog::cli {
namespace {

// A long CQWW session typed through keslog-cli: ten thousand QSOs with
// dupes, edits of the last entry, kills, band changes and aborted
// messages in a seeded random mix. What the script meant to log is known
// beforehand, so the file can be checked QSO by QSO afterwards.

constexpr int kQsos = 10000;
constexpr std::size_t kRecordSize = 26;  // CQWW records carry no name

// Ctrl+Down steps to the next band index (10, 15, 20, 40, 80, 160 m) and
// wraps; Ctrl+Up back. A new CQWW log starts on 20 m, band index 3.
constexpr int kBands = 6;
constexpr int kStartBand = 3;

struct Logged {
    std::string call;
    int band;      // band index 1..6, CW: also the band-mode code
    int zone = 0;  // typed or edited; 0: the country's, filled in
};

// The script and what it should leave in the log.
struct Plan {
    std::string keys;
    std::string answers;
    std::vector<Logged> log;
    int prompts = 0;  // dupe questions and kill confirmations
    int edits = 0;
    int kills = 0;
    int dupesLogged = 0;
    int bandChanges = 0;
    int abortedMessages = 0;
};

class SessionPlanner {
  public:
    explicit SessionPlanner(unsigned seed) : rng_(seed) {}

    Plan plan(int qsos) {
        while (static_cast<int>(plan_.log.size()) < qsos) {
            clockStep();
            const int roll = pick(100);
            if (roll < 6 && !plan_.log.empty())
                dupe();
            else if (roll < 9 && !plan_.log.empty())
                editLast();
            else if (roll < 12 && !plan_.log.empty())
                kill();
            else if (roll < 17)
                changeBand();
            else if (roll < 21)
                abortedMessage();
            else if (roll < 24)
                abandonedEntry();
            else
                newQso();
        }
        return plan_;
    }

  private:
    // The mt19937 sequence is the same everywhere; the distributions of
    // the standard library are not, so picks are plain remainders.
    int pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }

    std::string randomCall() {
        static constexpr std::array<const char*, 18> kPrefixes{"K",  "W",  "N",  "DL", "G",  "F",
                                                               "I",  "JA", "VE", "UA", "PY", "VK",
                                                               "ZS", "EA", "OH", "SM", "LU", "HA"};
        std::string call = kPrefixes[static_cast<std::size_t>(pick(kPrefixes.size()))];
        call += static_cast<char>('0' + pick(10));
        const int letters = 1 + pick(3);
        for (int i = 0; i < letters; ++i) call += static_cast<char>('A' + pick(26));
        return call;
    }

    bool worked(const std::string& call) const {
        for (const Logged& q : plan_.log)
            if (q.call == call && q.band == band_) return true;
        return false;
    }

    void answer(const char* word) {
        plan_.answers += plan_.answers.empty() ? word : std::string(",") + word;
        ++plan_.prompts;
    }

    void clockStep() { plan_.keys += "{Clock +" + std::to_string(4 + pick(30)) + "s}"; }

    int zone() { return 1 + pick(40); }

    void newQso() {
        const std::string call = randomCall();
        if (worked(call)) return;  // rare: a dupe is planned on purpose only
        plan_.keys += call;
        Logged q{call, band_};
        const int how = pick(8);
        if (how == 0) {
            // The exchange message sent and cut short by Esc, which leaves
            // the entry line as it is; Enter logs from the exchange box.
            plan_.keys += "{Insert}" + escapeWhileSending() + "{Enter}\n";
            ++plan_.abortedMessages;
        } else if (how < 4) {
            plan_.keys += "{Enter}\n";  // the country's zone as filled in
        } else {
            q.zone = zone();
            plan_.keys += "{Tab}" + std::to_string(q.zone) + "{Enter}\n";
        }
        plan_.log.push_back(q);
    }

    void dupe() {
        std::vector<const Logged*> here;
        for (const Logged& q : plan_.log)
            if (q.band == band_) here.push_back(&q);
        if (here.empty()) return;
        const std::string call = here[static_cast<std::size_t>(pick(here.size()))]->call;
        // The question comes as the exchange box is entered.
        plan_.keys += call + "{Tab}";
        if (pick(2) == 0) {
            answer("yes");
            const Logged q{call, band_, zone()};
            plan_.keys += std::to_string(q.zone) + "{Enter}\n";
            plan_.log.push_back(q);
            ++plan_.dupesLogged;
        } else {
            answer("no");
            plan_.keys += "\n";
        }
    }

    void editLast() {
        const Logged q{randomCall(), plan_.log.back().band, zone()};
        plan_.keys += "{LastEntry Call=" + q.call + " Received=" + std::to_string(q.zone) + "}\n";
        plan_.log.back() = q;
        ++plan_.edits;
    }

    void kill() {
        plan_.keys += "{KillLastEntry}\n";
        if (pick(4) == 0) {
            answer("no");
            return;
        }
        answer("yes");
        plan_.log.pop_back();
        ++plan_.kills;
    }

    void changeBand() {
        const bool down = pick(2) == 0;
        plan_.keys += down ? "{Ctrl+Down}" : "{Ctrl+Up}";
        band_ = (band_ - 1 + (down ? 1 : kBands - 1)) % kBands + 1;
        ++plan_.bandChanges;
    }

    // Every message the script sends lasts longer than half a second.
    std::string escapeWhileSending() { return "{Esc +" + std::to_string(20 + pick(480)) + "ms}"; }

    // A CQ started and stopped with Esc before it ends.
    void abortedMessage() {
        plan_.keys += "{F1}" + escapeWhileSending() + "\n";
        ++plan_.abortedMessages;
    }

    // A call typed and thrown away (a dupe would ask first).
    void abandonedEntry() {
        const std::string call = randomCall();
        if (!worked(call)) plan_.keys += call + "{Tab}{Esc}\n";
    }

    std::mt19937 rng_;
    Plan plan_;
    int band_ = kStartBand;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string trimmedField(const std::string& bytes, std::size_t at, std::size_t width) {
    std::string field = bytes.substr(at, width);
    field.erase(field.find_last_not_of(' ') + 1);
    return field;
}

TEST(Soak, TenThousandCqwwQsosSurviveAndScoreTheSameReopened) {
    const Plan plan = SessionPlanner(20261207).plan(kQsos);
    // The mix really holds every kind of step.
    EXPECT_GT(plan.edits, 100);
    EXPECT_GT(plan.kills, 100);
    EXPECT_GT(plan.dupesLogged, 100);
    EXPECT_GT(plan.bandChanges, 100);
    EXPECT_GT(plan.abortedMessages, 100);

    // Every QSO is synced to the disk as it is logged; that is tested on its
    // own, and ten thousand syncs on a shared disk would only time the disk.
    // The session runs in memory where the machine offers it.
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec)) ::setenv("TMPDIR", "/dev/shm", 1);
    // CW sending on, so that messages go out and can be cut short.
    test::TempDir dir;
    test::copyShippedStartupFilesKeyingCW(dir);
    dir.write("keys.txt", plan.keys);
    std::ostringstream out, err;
    const int code =
        runCli({"--program-dir", dir.path(), "type", "--log", dir.file("S.KSL"), "--new", "CQWW",
                "--mode", "CW", "--location", "USA", "--clock", "2024-11-30 00:00:00", "--answers",
                plan.answers, "--keys", dir.file("keys.txt"), "--line-log", dir.file("lines.txt")},
               KESLOG_DATA_DIR, out, err);
    ASSERT_EQ(code, 0) << err.str();
    EXPECT_EQ(err.str(), "");

    // Only the planned questions were asked: no exchange was refused and
    // no file error came up.
    const std::vector<std::string> lines = linesOf(out.str());
    int prompts = 0;
    for (const std::string& line : lines) {
        if (!line.starts_with("MSGBOX ")) continue;
        ++prompts;
        EXPECT_TRUE(line.starts_with("MSGBOX DUPE! | ") ||
                    line == "MSGBOX Confirm kill | Kill last log entry?")
            << line;
    }
    EXPECT_EQ(prompts, plan.prompts);

    // The score as kept QSO by QSO, then as replayed from the reopened file.
    ASSERT_GE(lines.size(), 5U);
    const std::vector<std::string> incremental(lines.end() - 5, lines.end());
    EXPECT_EQ(incremental[0], "contest: CQWW DX");
    EXPECT_EQ(incremental[1], "qsos: " + std::to_string(kQsos));
    std::ostringstream replayed, replayErr;
    ASSERT_EQ(runCli({"--program-dir", dir.path(), "score", dir.file("S.KSL")}, KESLOG_DATA_DIR,
                     replayed, replayErr),
              0)
        << replayErr.str();
    EXPECT_EQ(linesOf(replayed.str()), incremental);

    // Every QSO the script logged is in the file, in order, on its band,
    // with the zone typed or edited.
    const std::string bytes = dir.read("S.KSL");
    ASSERT_EQ(bytes.size(), kRecordSize * (kQsos + 1));
    for (std::size_t n = 1; n <= plan.log.size(); ++n) {
        const std::size_t at = n * kRecordSize;
        const Logged& want = plan.log[n - 1];
        ASSERT_EQ(trimmedField(bytes, at + 6, 10), want.call) << "QSO " << n;
        ASSERT_EQ(static_cast<unsigned char>(bytes[at + 4]), want.band) << "QSO " << n;
        ASSERT_EQ(bytes[at + 5], 0) << "QSO " << n;
        if (want.zone == 0) continue;
        ASSERT_EQ(static_cast<unsigned char>(bytes[at + 18]), want.zone) << "QSO " << n;
        ASSERT_EQ(bytes[at + 19], 0) << "QSO " << n;
    }
}

}  // namespace
}  // namespace keslog::cli
