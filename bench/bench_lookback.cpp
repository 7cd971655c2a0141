// The former-logs call list: building it from 20 logs of 5,000 QSOs each,
// and loading a call file of 500,000 calls (target: under 300 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "forms/Setup.h"
#include "platform/Files.h"
#include "storage/CallFile.h"
#include "storage/LogRecord.h"
#include "support/FakePlatform.h"

namespace {

using namespace keslog;

constexpr int kLogs = 20;
constexpr int kQsosPerLog = 5000;
constexpr int kCallPool = 40000;
constexpr int kCallFileCalls = 500000;

// Call number i: a prefix, a digit and a suffix of letters, each i its own call.
std::string callOf(int i) {
    static const char* prefixes[] = {"K", "W", "N", "AA", "KB", "VE", "DL", "JA"};
    std::string call = prefixes[i % 8];
    call += static_cast<char>('0' + (i / 8) % 10);
    int rest = i / 80;
    do {
        call += static_cast<char>('A' + rest % 26);
        rest /= 26;
    } while (rest > 0);
    return call;
}

// Even logs CQWW (26-byte records), odd ones NAQP (36-byte records); the
// logs share many calls, as a station's logs of several years do.
std::string logBytes(int log) {
    MainMod state;
    state.contestNr = log % 2 == 0 ? contest::Cqww : contest::Naqp;
    state.ModeFlag = {false, true};
    state.QTHUSAFlag = true;
    const RecordVariant variant = log % 2 == 0 ? RecordVariant::QSORec : RecordVariant::QSORecName;
    std::string bytes = encodeHeader(buildHeader(state));
    bytes.resize(recordSize(variant), ' ');
    for (int n = 0; n < kQsosPerLog; ++n) {
        QSORecName q;
        q.QCall = callOf((log * 1237 + n * 7) % kCallPool);
        q.QRcvd = static_cast<std::int16_t>(1 + n % 40);
        q.QMult = std::to_string(1 + n % 72);
        q.QName = "NAME";
        bytes += encodeQso(q, variant);
    }
    return bytes;
}

struct Rig {
    bench::BenchFolder folder;
    test::FakePlatform fakes;
    Platform platform = fakes.services();
    test::FakePortDevices devices;
    MainMod state;
    Setup setup{state, platform, devices};

    void select(const std::string& path) {
        fakes.fileDialog.answers.push_back(path);
        setup.onSelect();
        if (!fakes.messageBox.shown.empty()) std::abort();
    }
};

void BM_BuildFromTwentyLogs(benchmark::State& bench) {
    Rig rig;
    std::vector<std::string> paths;
    for (int log = 0; log < kLogs; ++log) {
        paths.push_back(rig.folder.path + "LOG" + std::to_string(log) + ".KSL");
        if (!writeFileAtomically(paths.back(), logBytes(log))) std::abort();
    }
    for (auto _ : bench) {
        rig.state.lookbackCalls = {};
        for (const std::string& path : paths) rig.select(path);
        benchmark::DoNotOptimize(rig.state.lookbackCalls.rows.data());
    }
    bench.counters["calls"] = static_cast<double>(rig.state.lookbackCalls.rows.size());
}
BENCHMARK(BM_BuildFromTwentyLogs)->Unit(benchmark::kMillisecond);

// A call file as Save writes it (in call order), or as another program or
// an editor may leave it (in any order); range(0) is 1 for the sorted file.
void BM_LoadCallFile(benchmark::State& bench) {
    Rig rig;
    std::vector<OldCall> rows;
    rows.reserve(kCallFileCalls);
    for (int i = 0; i < kCallFileCalls; ++i)
        rows.push_back({callOf(i), "WW" + std::to_string(i % 40)});
    if (bench.range(0) == 1)
        std::sort(rows.begin(), rows.end(),
                  [](const auto& a, const auto& b) { return a.call < b.call; });
    const std::string path = rig.folder.path + "BIG.ksc";
    if (!writeFileAtomically(path, callFileText(rows))) std::abort();
    for (auto _ : bench) {
        rig.select(path);
        benchmark::DoNotOptimize(rig.state.lookbackCalls.rows.data());
    }
    bench.counters["calls"] = static_cast<double>(rig.state.lookbackCalls.rows.size());
}
BENCHMARK(BM_LoadCallFile)->ArgName("sorted")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
