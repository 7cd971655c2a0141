#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "LogFixtures.h"
#include "platform/Files.h"
#include "storage/LogFile.h"
#include "storage/LogOpening.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using test::sampleQso;
using test::TempDir;

// Logs QSOs with their frequencies until killed, telling the parent each
// number once logQso has returned: 0 when the log file has been created,
// n when QSO n is logged.
[[noreturn]] void logUntilKilled(ContestNr contest, const std::string& path, int reportFd) {
    MainMod state = test::logFor(contest, path);
    if (!createLogFile(state)) ::_exit(2);
    for (int n = 0;; ++n) {
        if (n > 0 && !test::logQso(state, sampleQso(n), test::sampleHz(n))) ::_exit(3);
        if (::write(reportFd, &n, sizeof n) != sizeof n) ::_exit(4);
    }
}

// Reads reports until the count is reached or the pipe ends; -1 means none.
int readReports(int fd, int last, int until) {
    int n = 0;
    while (last < until && ::read(fd, &n, sizeof n) == sizeof n) last = n;
    return last;
}

TEST(LogCrash, EveryReportedQsoAndItsFrequencySurviveAKillAtAnyPoint) {
    std::mt19937 random(20261128);
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        const ContestNr contest = round % 2 == 0 ? contest::Cqww : contest::Naqp;
        const bool named = contest == contest::Naqp;
        TempDir dir;
        const std::string path = dir.file("CRASH.KSL");
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(fds[0]);
            logUntilKilled(contest, path, fds[1]);
        }
        ::close(fds[1]);

        // Kill somewhere among the first few QSOs, at a random moment.
        int reported = readReports(fds[0], -1, static_cast<int>(random() % 8) - 1);
        ::usleep(random() % 4000);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;
        reported = readReports(fds[0], reported, INT32_MAX);
        ::close(fds[0]);

        if (reported < 0 && !fileExists(path)) continue;  // killed before the log existed
        test::FakeMessageBox messages;
        const std::vector<std::string> noForms;
        const Result<OpenedLog> log = readLogForOpening(path, {messages, noForms});
        ASSERT_TRUE(log.isOk()) << log.status().message();
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(log->frequencyNotice, "");
        const std::vector<QSORecName>& qsos = log->contents.qsos;
        ASSERT_GE(static_cast<int>(qsos.size()), reported);
        // A QSO written just before the kill may be there unreported: it must be whole too.
        for (std::size_t i = 0; i < qsos.size(); ++i) {
            const QSORecName expected = sampleQso(static_cast<int>(i) + 1);
            ASSERT_EQ(qsos[i], named ? expected : test::withoutName(expected)) << "QSO " << i + 1;
            ASSERT_EQ(log->frequencies[i], test::sampleHz(static_cast<int>(i) + 1)) << i + 1;
        }
    }
}

}  // namespace
}  // namespace keslog
