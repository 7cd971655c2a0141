#include <benchmark/benchmark.h>

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "callsign/CountryFile.h"
#include "callsign/CountryLookup.h"
#include "callsign/Prefix.h"

namespace {

constexpr std::size_t kCalls = 40000;

// The first 40,000 calls of the public MASTER.SCP, as operators type them.
const std::vector<std::string>& realCalls() {
    static const std::vector<std::string> calls = [] {
        std::ifstream in("/usr/share/hamradio-files/MASTER.SCP");
        std::vector<std::string> out;
        std::string line;
        while (out.size() < kCalls && std::getline(in, line))
            if (!line.empty() && line.front() != '#') out.push_back(line);
        return out;
    }();
    return calls;
}

const keslog::CountryTables& shippedCountries() {
    static const keslog::CountryTables tables = [] {
        keslog::CountryTables t;
        const keslog::Status read =
            keslog::ReadCountryFile(std::string(KESLOG_SOURCE_DIR) + "/data/arrl.cty", t);
        if (!read) throw std::runtime_error(read.message());
        return t;
    }();
    return tables;
}

void reportPerCall(benchmark::State& state, std::size_t calls) {
    state.counters["per_call"] = benchmark::Counter(
        static_cast<double>(calls),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Typing a call redraws the country panel on every key: the lookup must
// stay far below a millisecond with the full public country data.
void BM_CountryOfCall(benchmark::State& state) {
    const auto& calls = realCalls();
    const auto& tables = shippedCountries();
    for (auto _ : state)
        for (const std::string& call : calls)
            benchmark::DoNotOptimize(keslog::CountryOfCall(tables, call));
    reportPerCall(state, calls.size());
}
BENCHMARK(BM_CountryOfCall)->Unit(benchmark::kMillisecond);

void BM_WPXPrefixOf(benchmark::State& state) {
    const auto& calls = realCalls();
    for (auto _ : state)
        for (const std::string& call : calls) benchmark::DoNotOptimize(keslog::WPXPrefixOf(call));
    reportPerCall(state, calls.size());
}
BENCHMARK(BM_WPXPrefixOf)->Unit(benchmark::kMillisecond);

void BM_ReadCountryFile(benchmark::State& state) {
    for (auto _ : state) {
        keslog::CountryTables t;
        benchmark::DoNotOptimize(
            keslog::ReadCountryFile(std::string(KESLOG_SOURCE_DIR) + "/data/arrl.cty", t));
    }
}
BENCHMARK(BM_ReadCountryFile)->Unit(benchmark::kMillisecond);

}  // namespace
