#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/linux/ByteLinks.h"
#include "platform/linux/RealtimeScheduler.h"
#include "support/FakePlatform.h"
#include "support/StandardMorse.h"
#include "transmit/CWKeyer.h"

namespace {

using keslog::KeyTime;

KeyTime monotonicNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<KeyTime>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// A keying line that notes when each of its edges really happened.
class RecordingSerial : public keslog::ISerialLines {
  public:
    keslog::Status open(int) override {
        open_ = true;
        return keslog::Status::ok();
    }
    void close(int) override { open_ = false; }
    bool isOpen(int) const override { return open_; }
    keslog::Status setDtr(int, bool) override {
        happened.push_back(monotonicNow());
        return keslog::Status::ok();
    }
    std::vector<KeyTime> happened;

  private:
    bool open_ = false;
};

// The real scheduler, noting when each edge was due.
class NotingScheduler : public keslog::IKeyingScheduler {
  public:
    explicit NotingScheduler(keslog::RealtimeKeyingScheduler& real) : real_(real) {}
    KeyTime now() const override { return real_.now(); }
    KeyTime startTime() const override { return real_.startTime(); }
    void setEdgeHandler(std::function<void(bool)> onEdge) override {
        real_.setEdgeHandler(std::move(onEdge));
    }
    void schedule(KeyTime at, bool keyDown) override {
        due.push_back(at);
        if (real_.now() > at) ++scheduledLate;
        real_.schedule(at, keyDown);
    }
    void awaitTurn(KeyTime at) override { real_.awaitTurn(at); }
    void finish(KeyTime at) override { real_.finish(at); }
    std::vector<KeyTime> due;
    int scheduledLate = 0;  // handed over after they were due

  private:
    keslog::RealtimeKeyingScheduler& real_;
};

// Another process keeps one core busy for as long as it lives.
class LoadedCore {
  public:
    LoadedCore() : pid_(fork()) {
        if (pid_ == 0) {
            volatile unsigned long spin = 0;
            for (;;) spin = spin + 1;
        }
    }
    ~LoadedCore() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    LoadedCore(const LoadedCore&) = delete;
    LoadedCore& operator=(const LoadedCore&) = delete;

  private:
    pid_t pid_;
};

// 200 characters unless KESLOG_BENCH_CHARS asks for a quicker run.
std::string benchMessage() {
    const char* chars = std::getenv("KESLOG_BENCH_CHARS");
    const std::size_t length = chars ? std::strtoul(chars, nullptr, 10) : 200;
    const std::string words = "CQ TEST K1AB N6TR 5NN 123 TU QRZ? 73 ";
    std::string text;
    while (text.size() < length) text += words;
    return text.substr(0, length);
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(std::ceil(p * static_cast<double>(values.size()))) - 1;
    return values[std::min(at, values.size() - 1)];
}

// A 200-character message at 40 words per minute through the real
// scheduler, one core loaded: how far each edge lands from its deadline.
// Argument: 1 asks for real-time priority, 0 runs at normal priority.
void BM_KeyerEdgeTiming(benchmark::State& state) {
    keslog::test::FakePlatform fakes;
    keslog::Platform platform = fakes.services();
    keslog::MainMod mainMod;
    mainMod.settings.CWActivated = true;
    mainMod.settings.CWComport = "Com1";
    mainMod.reference.CWCharacters = keslog::test::standardMorse();
    RecordingSerial line;
    keslog::PortLines lines(line, fakes.ports);
    keslog::RealtimeKeyingScheduler::Options options;
    options.realtimePriority = state.range(0) != 0;
    keslog::RealtimeKeyingScheduler real(nullptr, options);
    NotingScheduler scheduler(real);
    keslog::test::FakeSidetone tone;
    keslog::CWKeyer keyer(mainMod, platform, lines, {scheduler, tone, tone});
    keyer.onSpeedScroll(40);

    LoadedCore load;
    for (auto _ : state) keyer.SendCW(benchMessage(), false);

    std::vector<double> errorsUs;
    for (std::size_t i = 0; i < std::min(line.happened.size(), scheduler.due.size()); ++i)
        errorsUs.push_back(static_cast<double>(line.happened[i] - scheduler.due[i]) / 1000.0);
    if (errorsUs.empty()) {
        state.SkipWithError("no edges were keyed");
        return;
    }
    state.counters["edges"] = static_cast<double>(errorsUs.size());
    state.counters["median_us"] = percentile(errorsUs, 0.5);
    state.counters["p99_us"] = percentile(errorsUs, 0.99);
    state.counters["max_us"] = percentile(errorsUs, 1.0);
    state.counters["realtime"] = real.realtime() ? 1 : 0;
    state.counters["scheduled_late"] = scheduler.scheduledLate;
}
BENCHMARK(BM_KeyerEdgeTiming)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kSecond);

// Esc latched by the window at a moment of the clock, as the operator
// would press it in the middle of a message.
class EscAt : public keslog::IKeyState {
  public:
    bool wasPressed(keslog::AsyncKey key) override {
        if (key != keslog::AsyncKey::Escape || pressAt == 0 || monotonicNow() < pressAt)
            return false;
        pressAt = 0;
        return true;
    }
    KeyTime pressAt = 0;
};

// Links whose writes of cwdaemon's abort request are timed.
class TimedLinks : public keslog::IByteLinks {
  public:
    class Link : public keslog::IByteLink {
      public:
        Link(std::unique_ptr<keslog::IByteLink> link, KeyTime& abortAt)
            : link_(std::move(link)), abortAt_(abortAt) {}
        keslog::Status write(std::string_view bytes) override {
            keslog::Status written = link_->write(bytes);
            if (bytes ==
                "\x1b"
                "4")
                abortAt_ = monotonicNow();
            return written;
        }
        keslog::Result<std::string> read(int waitMs) override { return link_->read(waitMs); }

      private:
        std::unique_ptr<keslog::IByteLink> link_;
        KeyTime& abortAt_;
    };
    keslog::Result<std::unique_ptr<keslog::IByteLink>> udp(const std::string& host,
                                                           int port) override {
        auto link = real_.udp(host, port);
        if (!link) return link;
        return std::unique_ptr<keslog::IByteLink>(
            std::make_unique<Link>(std::move(*link), abortAt));
    }
    keslog::Result<std::unique_ptr<keslog::IByteLink>> serial(const std::string& path) override {
        return real_.serial(path);
    }
    KeyTime abortAt = 0;

  private:
    keslog::PosixByteLinks real_;
};

// Esc pressed while a message goes out through cwdaemon (a loopback socket
// that takes the datagrams): how long until the abort request is written,
// all of it on the thread that runs the window.
void BM_EscToDeviceAbort(benchmark::State& state) {
    const keslog::test::LoopbackSocket daemon;
    keslog::test::FakePlatform fakes;
    EscAt keys;
    keslog::Platform withKeys = fakes.services({.keys = &keys});
    keslog::MainMod mainMod;
    mainMod.settings.CWActivated = true;
    mainMod.settings.CWKeyer1 = "cwdaemon:127.0.0.1:" + std::to_string(daemon.port());
    mainMod.reference.CWCharacters = keslog::test::standardMorse();
    keslog::PortLines lines(fakes.serial, fakes.ports);
    keslog::RealtimeKeyingScheduler real(nullptr);
    keslog::test::FakeSidetone tone;
    keslog::CWKeyer keyer(mainMod, withKeys, lines, {real, tone, tone});
    TimedLinks links;
    keslog::KeyingDevices devices(links, fakes.messageBox);
    devices.configure(mainMod.settings);
    keyer.setDevices(devices);

    std::vector<double> latencyUs;
    char drain[2048];
    for (auto _ : state) {
        // Pressed at a different moment of the keyer's waiting each time.
        keys.pressAt =
            monotonicNow() + 1'000'000 + static_cast<KeyTime>(latencyUs.size() % 10) * 230'000;
        const KeyTime pressed = keys.pressAt;
        keyer.SendCW("CQ TEST", false);
        latencyUs.push_back(static_cast<double>(links.abortAt - pressed) / 1000.0);
        while (recv(daemon.fd(), drain, sizeof drain, MSG_DONTWAIT) > 0) {
        }
    }
    state.counters["median_us"] = percentile(latencyUs, 0.5);
    state.counters["p99_us"] = percentile(latencyUs, 0.99);
    state.counters["max_us"] = percentile(latencyUs, 1.0);
}
BENCHMARK(BM_EscToDeviceAbort)->Iterations(200)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
