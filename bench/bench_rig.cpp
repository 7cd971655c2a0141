// Rig control on a 10,000-QSO CQWW log: one poll round on the GUI thread,
// the rigctld replies read and the status label redrawn (target: under
// 50 us), and a band change reported by the rig carried to the main
// window's band-mode, with the typed call checked again on the new band
// (target: under 2 ms).
#include <benchmark/benchmark.h>
// The test hosts' header asserts in its fixture, which this bench leaves out.
#include <gtest/gtest.h>

#include <string>

#include "LoggedState.h"
#include "forms/LogFormRig.h"

namespace {

using namespace keslog;

constexpr int kLogQsos = 10000;

// The main window with radio 1 under rig control; the bench plays rigctld.
struct RigWindow {
    test::FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state = bench::loggedState(contest::Cqww, kLogQsos);
    StoredLogFiles logFiles{platform};
    test::QuietLogFormHost host;
    LogForm form{state, platform, logFiles, host};
    std::int64_t now = 0;

    RigWindow() {
        state.logOpen = true;
        form.load();
        fakes.network.nextState = ITcpConnection::State::Open;
        form.rig().setClock([this] { return now; });
        state.settings.Rig1Control = "rigctld";
        form.rig().configure();
    }
    // The rig answers the questions of the last round; this round takes
    // the answers and asks again.
    void pollRound(std::int64_t hz) {
        test::FakeTcpConnector::Link& link = *fakes.network.links.back();
        link.sent.clear();
        link.incoming = "get_freq:\nFrequency: " + std::to_string(hz) +
                        "\nRPRT 0\nget_mode:\nMode: CW\nPassband: 500\nRPRT 0\n";
        now += 500;
        form.rig().poll();
    }
};

// The operator tunes across the band: each round brings a new frequency.
void BM_PollRound(benchmark::State& bench) {
    RigWindow window;
    std::int64_t hz = 14'025'000;
    for (auto _ : bench) {
        hz = hz == 14'025'000 ? 14'025'010 : 14'025'000;
        window.pollRound(hz);
    }
    if (window.form.rig().labels()[0].text != "R1 14,025.00 CW" &&
        window.form.rig().labels()[0].text != "R1 14,025.01 CW")
        bench.SkipWithError("the rig's reading was not taken");
}
BENCHMARK(BM_PollRound)->Unit(benchmark::kMicrosecond);

// The rig moves between 20 and 40 m with a worked call in the call box.
void BM_BandChangeFromRig(benchmark::State& bench) {
    RigWindow window;
    for (const char c : window.state.log.CallList[42]) window.form.entry().onChar(kCallBox, c);
    bool forty = false;
    for (auto _ : bench) {
        forty = !forty;
        window.pollRound(forty ? 7'025'000 : 14'025'000);
        benchmark::DoNotOptimize(window.form.view().qsoNrLabel);
    }
    if (window.state.CurrentBandMode != (forty ? 4 : 3))
        bench.SkipWithError("the band did not follow the rig");
}
BENCHMARK(BM_BandChangeFromRig)->Unit(benchmark::kMicrosecond);

}  // namespace
