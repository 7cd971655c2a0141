// The statistics window's refresh on a 10,000-QSO log: after one more QSO
// (the counts taken QSO by QSO), on the clock timer, and the full recount
// of opening a log for comparison.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "ShippedData.h"
#include "entry/Scoring.h"
#include "model/Stamp.h"
#include "stats/QSOStats.h"

namespace {

using namespace keslog;

constexpr int kLogQsos = 10000;
const DateTime kClock{2026, 11, 29, 20, 0, 0};

// QSO n of a long CQWW log: a QSO every 20 seconds over two days, bands in
// turns, calls of many countries.
QSORecName qso(const MainMod& state, int n) {
    static const char* const calls[] = {"DL1ABC", "G3XYZ", "JA1AA", "W1AW",  "VE3XX",
                                        "PY2AA",  "ZS6AA", "VK2AA", "UA3AA", "F5AA"};
    const int minute = 600 + n / 3;
    QSORecName q;
    q.QDate = dateCode(2026, 11, 28 + minute / 1440);
    q.QTime = static_cast<std::int16_t>((minute % 1440) / 60 * 100 + minute % 60);
    q.QBandMode = static_cast<BandModeCode>(1 + (n / 50) % 6);
    q.QCall = calls[n % 10];
    q.QRcvd = static_cast<std::int16_t>(1 + n % 40);
    q.QNr = static_cast<std::int16_t>(n + 1);
    setMultAndPoints(state, q, {}, false);
    return q;
}

MainMod longLog() {
    MainMod state = bench::stateWithShippedData();
    state.contestNr = contest::Cqww;
    state.ModeFlag = {false, true};
    state.QTHUSAFlag = true;
    state.settings.IsGMTFlag = "True";
    state.resetLog();
    replayLog(state);
    for (int n = 0; n < kLogQsos; ++n)
        if (!addLoggedQso(state, qso(state, n))) throw std::runtime_error("log full");
    return state;
}

// Logs one more QSO (untimed) and refreshes the window (timed); every
// thousand QSOs the log goes back to its 10,000.
void BM_RefreshAfterOneMoreQso(benchmark::State& run) {
    const MainMod base = longLog();
    QSOStats baseStats;
    baseStats.load(base);
    baseStats.refresh(base, kClock, false);
    MainMod state = base;
    QSOStats stats = baseStats;
    for (auto _ : run) {
        run.PauseTiming();
        if (state.log.count() >= kLogQsos + 1000) {
            state = base;
            stats = baseStats;
        }
        addLoggedQso(state, qso(state, state.log.count()));
        run.ResumeTiming();
        stats.refresh(state, kClock, false);
        benchmark::DoNotOptimize(stats.view().Last10Label.text.data());
    }
}
BENCHMARK(BM_RefreshAfterOneMoreQso)->Unit(benchmark::kMicrosecond);

// The clock timer's refresh: nothing new logged.
void BM_LiveRefresh(benchmark::State& run) {
    const MainMod state = longLog();
    QSOStats stats;
    stats.load(state);
    for (auto _ : run) {
        stats.refresh(state, kClock, true);
        benchmark::DoNotOptimize(stats.view().Last10Label.text.data());
    }
}
BENCHMARK(BM_LiveRefresh)->Unit(benchmark::kMicrosecond);

// Opening the log: everything counted afresh.
void BM_FullRecount(benchmark::State& run) {
    const MainMod state = longLog();
    for (auto _ : run) {
        QSOStats stats;
        stats.load(state);
        stats.refresh(state, kClock, false);
        benchmark::DoNotOptimize(stats.view().LabelAll.text.data());
    }
}
BENCHMARK(BM_FullRecount)->Unit(benchmark::kMicrosecond);

}  // namespace
