#include "platform/linux/RealtimeScheduler.h"

#include <pthread.h>
#include <sched.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>

namespace keslog {

namespace {

KeyTime monotonicNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<KeyTime>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void sleepToAbsolute(KeyTime deadline) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(deadline / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(deadline % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

// Real-time priority for the calling thread, where the system allows it.
bool makeRealtime() {
    sched_param param{};
    param.sched_priority = std::min(20, sched_get_priority_max(SCHED_FIFO));
    return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

// Otherwise the shortest time slice a normal thread may ask for: the
// scheduler then lets it in sooner when it wakes (ignored by older kernels).
void askShortSlice() {
    struct {  // the kernel's struct sched_attr, first version
        std::uint32_t size;
        std::uint32_t policy;
        std::uint64_t flags;
        std::int32_t nice;
        std::uint32_t priority;
        std::uint64_t runtime;
        std::uint64_t deadline;
        std::uint64_t period;
    } attributes{};
    attributes.size = sizeof(attributes);
    attributes.policy = SCHED_OTHER;
    attributes.runtime = 100'000;
    syscall(SYS_sched_setattr, 0, &attributes, 0U);
}

}  // namespace

RealtimeKeyingScheduler::RealtimeKeyingScheduler(std::function<void()> pump)
    : RealtimeKeyingScheduler(std::move(pump), Options{}) {}

RealtimeKeyingScheduler::RealtimeKeyingScheduler(std::function<void()> pump, Options options)
    : pump_(std::move(pump)), options_(options) {
    thread_ = std::thread([this] { run(); });
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return started_; });
}

RealtimeKeyingScheduler::~RealtimeKeyingScheduler() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

KeyTime RealtimeKeyingScheduler::now() const {
    return monotonicNow();
}

void RealtimeKeyingScheduler::setEdgeHandler(std::function<void(bool)> onEdge) {
    std::lock_guard lock(mutex_);
    onEdge_ = std::move(onEdge);
}

void RealtimeKeyingScheduler::schedule(KeyTime at, bool keyDown) {
    {
        std::lock_guard lock(mutex_);
        edges_.push_back({at, keyDown});
    }
    wake_.notify_one();
}

void RealtimeKeyingScheduler::awaitTurn(KeyTime at) {
    waitUntil(at - options_.lead);
}

void RealtimeKeyingScheduler::finish(KeyTime at) {
    waitUntil(at);
    std::unique_lock lock(mutex_);
    drained_.wait(lock, [this] { return edges_.empty() && !busy_; });
}

// Keeps the window painted until shortly before the deadline, then sleeps
// to it: a pump never runs into the time the caller must be back.
void RealtimeKeyingScheduler::waitUntil(KeyTime deadline) {
    const KeyTime guard = 3 * options_.pumpSlice;
    for (;;) {
        const KeyTime left = deadline - now();
        if (left <= 0) return;
        if (!pump_ || left <= guard) {
            sleepToAbsolute(deadline);
            return;
        }
        pump_();
        sleepToAbsolute(std::min(deadline - guard, now() + options_.pumpSlice));
    }
}

// Sleeps in naps so that going away never waits for a distant edge, then
// spins the last stretch: waking from a sleep is the least exact part.
void RealtimeKeyingScheduler::sleepUntil(KeyTime deadline) const {
    constexpr KeyTime kNap = 50'000'000;
    const KeyTime wake = deadline - options_.spin;
    while (wake > now()) {
        if (stopping_) return;
        sleepToAbsolute(std::min(wake, now() + kNap));
    }
    while (now() < deadline && !stopping_) {
    }
}

void RealtimeKeyingScheduler::run() {
    const bool realtime = options_.realtimePriority && makeRealtime();
    if (!realtime) askShortSlice();
    std::unique_lock lock(mutex_);
    realtime_ = realtime;
    started_ = true;
    wake_.notify_all();
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !edges_.empty(); });
        if (edges_.empty()) return;  // stopping, nothing left to run
        const Edge edge = edges_.front();
        busy_ = true;
        const std::function<void(bool)> onEdge = onEdge_;
        lock.unlock();
        // On the way out the remaining edges run at once: a key is never
        // left down.
        sleepUntil(edge.at);
        if (onEdge) onEdge(edge.keyDown);
        lock.lock();
        edges_.pop_front();
        busy_ = false;
        if (edges_.empty()) drained_.notify_all();
    }
}

}  // namespace keslog
