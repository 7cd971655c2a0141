#include <benchmark/benchmark.h>

#include "model/LogTables.h"
#include "model/Stamp.h"

namespace {

// Logging a QSO must answer at once even in a full-size log: appending
// stays constant-time as the tables grow to their limit.
void BM_FillLogToCapacity(benchmark::State& state) {
    keslog::QSORecName rec;
    rec.QCall = "W1AW";
    for (auto _ : state) {
        keslog::LogTables tables;
        tables.reset(keslog::RecordVariant::QSORecName);
        for (int i = 0; i < keslog::kMaxQsos; ++i) benchmark::DoNotOptimize(tables.append(rec));
    }
    state.SetItemsProcessed(state.iterations() * keslog::kMaxQsos);
}
BENCHMARK(BM_FillLogToCapacity)->Unit(benchmark::kMillisecond);

void BM_StampQso(benchmark::State& state) {
    keslog::DateTime t{2026, 12, 31, 23, 30, 0};
    for (auto _ : state) benchmark::DoNotOptimize(keslog::stampQso(t, false, "+2"));
}
BENCHMARK(BM_StampQso);

}  // namespace
