// Post-contest processing of a 10,000-QSO log: re-reading and re-scoring it
// from the file, then writing the submission file next to it; both export
// files of the re-scored log (target: under 100 ms together); and its
// summary sheet, hourly break-down sheet and log listing (target: under
// 200 ms together).
#include <benchmark/benchmark.h>

#include "BenchFiles.h"
#include "ShippedData.h"
#include "platform/Files.h"
#include "postcontest/Breakdown.h"
#include "postcontest/Export.h"
#include "postcontest/Listing.h"
#include "postcontest/PostContest.h"
#include "postcontest/Summary.h"
#include "storage/LogFile.h"

namespace {

using namespace keslog;

using bench::BenchFolder;
using bench::NoQuestions;
using bench::writeLog;

void postLog(benchmark::State& bench, ContestNr contest) {
    static const BenchFolder folder;
    const std::string path = writeLog(folder.path, contest, 10'000);
    MainMod started = bench::stateWithShippedData();
    started.settings.UserCallsign = "K6XX";
    NoQuestions messages;
    OutputChoices all;
    all.cabrillo = true;
    for (auto _ : bench) {
        MainMod state = started;
        Result<PostContestReport> report =
            runPostContest(state, path, all, {messages, state.reference.SSShortForms}, 2026);
        if (!report || report->written.size() != 1) std::abort();
        benchmark::DoNotOptimize(report->log.claimedScore);
    }
}

void BM_PostWpx(benchmark::State& bench) {
    postLog(bench, contest::Wpx);
}
void BM_PostCqww(benchmark::State& bench) {
    postLog(bench, contest::Cqww);
}
void BM_PostNaqp(benchmark::State& bench) {
    postLog(bench, contest::Naqp);
}

// A 10,000-QSO log of the contest, re-scored once.
RescoredLog rescoredOnce(MainMod& state, ContestNr contest) {
    static const BenchFolder folder;
    const std::string path = writeLog(folder.path, contest, 10'000);
    NoQuestions messages;
    Result<RescoredLog> log =
        rescoreLog(state, path, {messages, state.reference.SSShortForms}, 2026);
    if (!log) std::abort();
    return std::move(*log);
}

void BM_ExportsAdifAndDxb4(benchmark::State& bench) {
    MainMod state = bench::stateWithShippedData();
    const RescoredLog log = rescoredOnce(state, contest::Wpx);
    OutputChoices exports;
    exports.adif = exports.dxb4 = exports.omitWK = exports.omitJA = true;
    for (auto _ : bench) {
        if (!writeFileAtomically(adifPath(log), crlfText(adifLines(state, log, exports))) ||
            !writeFileAtomically(dxb4Path(log), crlfText(dxb4Lines(state, log, exports))))
            std::abort();
    }
}

void sheets(benchmark::State& bench, ContestNr contest) {
    MainMod state = bench::stateWithShippedData();
    const RescoredLog log = rescoredOnce(state, contest);
    for (auto _ : bench) {
        if (!writeFileAtomically(summaryPath(log), crlfText(summaryLines(state, log))) ||
            !writeFileAtomically(breakdownPath(log), crlfText(breakdownLines(state, log))) ||
            !writeFileAtomically(listingPath(log), crlfText(listingLines(state, log))))
            std::abort();
    }
}

void BM_SheetsWpx(benchmark::State& bench) {
    sheets(bench, contest::Wpx);
}
void BM_SheetsCqp(benchmark::State& bench) {
    sheets(bench, contest::Cqp);
}
void BM_SheetsNaqp(benchmark::State& bench) {
    sheets(bench, contest::Naqp);
}

}  // namespace

BENCHMARK(BM_ExportsAdifAndDxb4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetsWpx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetsCqp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetsNaqp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PostWpx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PostCqww)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PostNaqp)->Unit(benchmark::kMillisecond);
