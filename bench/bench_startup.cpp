// From starting the real keslog with a 10,000-QSO CQWW log on its command
// line to the first paint of that log's score in the entry window (target:
// under 500 ms median). The logger runs offscreen and tells the moment
// through --print-score-and-quit; the time is taken here, from just before
// the process is made to the line it prints.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>

#include "BenchFiles.h"
#include "entry/Scoring.h"
#include "forms/LogFiles.h"
#include "storage/LogOpening.h"

extern char** environ;

namespace {

using namespace keslog;

using bench::BenchFolder;
using bench::NoQuestions;

// The score line the logger must print: the log opened by the core on the
// same program folder.
std::string expectedScoreLine(const std::string& programDir, const std::string& log) {
    MainMod state;
    state.programDir = programDir;
    NoQuestions messages;
    if (!readStartupFiles(state)) std::abort();
    Result<OpenedLog> opened = readLogForOpening(log, {messages, state.reference.SSShortForms});
    if (!opened) std::abort();
    adoptOpenedLog(state, std::move(*opened));
    replayLog(state);
    return scoreLabelText(state.totals);
}

// Runs keslog until it prints its line; empty when it ended without one or
// took longer than 30 s.
std::string runUntilScore(const std::string& programDir, const std::string& log) {
    int out[2];
    if (::pipe(out) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string exe = KESLOG_EXE;
    std::string dirOption = "--program-dir";
    std::string quitOption = "--print-score-and-quit";
    std::string folder = programDir;
    std::string logPath = log;
    char* argv[] = {exe.data(),        dirOption.data(), folder.data(),
                    quitOption.data(), logPath.data(),   nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, environ) != 0) std::abort();
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);

    std::string line;
    pollfd readable{out[0], POLLIN, 0};
    char c = 0;
    while (::poll(&readable, 1, 30'000) == 1 && ::read(out[0], &c, 1) == 1 && c != '\n') line += c;
    if (c != '\n') {
        ::kill(pid, SIGKILL);
        line.clear();
    }
    ::close(out[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return line;
}

void BM_StartToScore_Cqww10000(benchmark::State& bench) {
    static const BenchFolder folder;
    for (const char* name : {"KESLOG90.INI", "KESLOG90.DAT", "arrl.cty"})
        std::filesystem::copy_file(std::string(KESLOG_SOURCE_DIR) + "/data/" + name,
                                   folder.path + name,
                                   std::filesystem::copy_options::overwrite_existing);
    const std::string log = bench::writeLog(folder.path, contest::Cqww, 10'000);
    const std::string expected = expectedScoreLine(folder.path, log);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    for (auto _ : bench) {
        const auto start = std::chrono::steady_clock::now();
        const std::string line = runUntilScore(folder.path, log);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (line != expected) {
            bench.SkipWithError(("printed \"" + line + "\", not \"" + expected + "\"").c_str());
            break;
        }
        bench.SetIterationTime(took.count());
    }
    bench.SetLabel(expected);
}

BENCHMARK(BM_StartToScore_Cqww10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(11);

}  // namespace
