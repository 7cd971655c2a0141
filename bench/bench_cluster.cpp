// The band map on a 10,000-QSO CQWW log: one cluster line parsed and
// placed among 2,000 live spots (target: under 20 us), and all 2,000 spots
// classed again after a logged QSO (target: under 5 ms).
#include <benchmark/benchmark.h>

#include <cstdio>

#include "LoggedState.h"
#include "cluster/BandMap.h"

namespace {

using namespace keslog;

constexpr int kLogQsos = 10000;
constexpr int kLiveSpots = 2000;

// Skimmer lines for calls of the list, some of them in the log, over the CW
// ends of the six bands.
std::vector<std::string> spotLines(std::size_t count, std::size_t firstCall) {
    static constexpr double kBandStarts[] = {28000, 21000, 14000, 7000, 3500, 1800};
    const auto& calls = bench::masterScpCalls();
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < count; ++i) {
        char line[128];
        const double kHz = kBandStarts[i % 6] + static_cast<double>(i * 7 % 400) / 10.0;
        std::snprintf(line, sizeof line, "DX de VE7CC-#:%9.1f  %-12s CW 24 dB 23 WPM CQ  %04zuZ",
                      kHz, calls[(firstCall + i * 5) % calls.size()].c_str(), i % 24 * 100);
        lines.emplace_back(line);
    }
    return lines;
}

BandMap liveMap(const MainMod& state) {
    BandMap map;
    for (const std::string& line : spotLines(kLiveSpots, 0))
        map.place(state, *parseSpotLine(line), 0);
    if (map.size() != kLiveSpots) throw std::runtime_error("spots lost");
    return map;
}

void BM_SpotParsedAndPlaced(benchmark::State& bench) {
    const MainMod state = bench::loggedState(contest::Cqww, kLogQsos);
    BandMap map = liveMap(state);
    const std::vector<std::string> lines = spotLines(500, 3);
    std::size_t next = 0;
    for (auto _ : bench) {
        const std::optional<Spot> spot = parseSpotLine(lines[next]);
        benchmark::DoNotOptimize(map.place(state, *spot, 0));
        next = (next + 1) % lines.size();
    }
}
BENCHMARK(BM_SpotParsedAndPlaced)->Unit(benchmark::kMicrosecond);

void BM_RecolourAfterQso(benchmark::State& bench) {
    const MainMod state = bench::loggedState(contest::Cqww, kLogQsos);
    BandMap map = liveMap(state);
    const std::string call = map.band(band::B20).front().spot.dxCall;
    for (auto _ : bench) map.qsoLogged(state, call);
}
BENCHMARK(BM_RecolourAfterQso)->Unit(benchmark::kMillisecond);

}  // namespace
