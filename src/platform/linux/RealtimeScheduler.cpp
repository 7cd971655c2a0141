#include "platform/linux/RealtimeScheduler.h"

#include <pthread.h>
#include <sched.h>
#include <time.h>

#include <algorithm>
#include <cerrno>

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

}  // namespace

RealtimeKeyingScheduler::RealtimeKeyingScheduler(std::function<void()> pump)
    : RealtimeKeyingScheduler(std::move(pump), Options{}) {}

RealtimeKeyingScheduler::RealtimeKeyingScheduler(std::function<void()> pump, Options options)
    : pump_(std::move(pump)), options_(options) {
    thread_ = std::thread([this] { run(); });
    if (options_.realtimePriority) {
        sched_param param{};
        param.sched_priority = std::min(20, sched_get_priority_max(SCHED_FIFO));
        realtime_ = pthread_setschedparam(thread_.native_handle(), SCHED_FIFO, &param) == 0;
    }
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
    std::unique_lock lock(mutex_);
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
