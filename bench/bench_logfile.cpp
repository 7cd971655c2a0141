// Opening a 10,000-QSO log: reading, checking, filling the log tables and
// replaying every QSO through dupes, multipliers and scoring.
#include <benchmark/benchmark.h>

#include "BenchFiles.h"
#include "callsign/CountryFile.h"
#include "entry/Scoring.h"
#include "platform/Files.h"
#include "storage/DataFile.h"
#include "storage/LogFile.h"
#include "storage/LogOpening.h"

namespace {

using namespace keslog;

using bench::BenchFolder;
using bench::NoQuestions;

std::string writeLog(ContestNr contest, int qsos) {
    static const BenchFolder folder;
    MainMod state;
    state.contestNr = contest;
    state.ModeFlag = {false, true};
    state.currentLogPath = folder.path + std::to_string(contest) + ".KSL";
    state.resetLog();
    state.logHeader = buildHeader(state);
    for (int n = 1; n <= qsos; ++n) {
        QSORecName q;
        q.QDate = 31041;
        q.QTime = static_cast<std::int16_t>((n / 60 % 24) * 100 + n % 60);
        q.QBandMode = static_cast<std::int16_t>(1 + n % 6);
        q.QCall = "K" + std::to_string(n) + "XYZ";
        q.QNr = static_cast<std::int16_t>(n);
        q.QRcvd = static_cast<std::int16_t>(n % 40 + 1);
        q.QMult = " " + std::to_string(n % 72 + 1);
        q.QPoints = "1";
        q.QName = "OP" + std::to_string(n);
        state.log.append(q);
    }
    if (!writeWholeLog(state, state.currentLogPath)) std::abort();
    return state.currentLogPath;
}

// The program state after start-up: the shipped country and reference files read.
MainMod startedUp() {
    MainMod state;
    const std::string data = std::string(KESLOG_SOURCE_DIR) + "/data/";
    const Result<std::string> reference = readWholeFile(data + "KESLOG90.DAT");
    if (!ReadCountryFile(data + "arrl.cty", state.countries) || !reference ||
        !ReadDataFile(*reference, state.reference))
        std::abort();
    return state;
}

void openLog(benchmark::State& bench, ContestNr contest) {
    const std::string path = writeLog(contest, 10'000);
    const MainMod started = startedUp();
    NoQuestions messages;
    for (auto _ : bench) {
        MainMod state = started;
        Result<OpenedLog> log = readLogForOpening(path, {messages, state.reference.SSShortForms});
        if (!log) std::abort();
        adoptOpenedLog(state, std::move(*log));
        replayLog(state);
        benchmark::DoNotOptimize(state.totals.score);
    }
}

void BM_OpenLog_Cqww10000(benchmark::State& bench) {
    openLog(bench, contest::Cqww);
}
void BM_OpenLog_Naqp10000(benchmark::State& bench) {
    openLog(bench, contest::Naqp);
}

BENCHMARK(BM_OpenLog_Cqww10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenLog_Naqp10000)->Unit(benchmark::kMillisecond);

}  // namespace
