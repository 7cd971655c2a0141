#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/Keying.h"

namespace keslog {

// Key edges on their own thread: each edge sleeps to its absolute deadline
// on the monotonic clock (clock_nanosleep) and spins the last fraction of a
// millisecond. The caller stays one edge ahead and, while it waits for its
// turn, keeps the window alive through `pump`.
class RealtimeKeyingScheduler : public IKeyingScheduler {
  public:
    struct Options {
        // The caller schedules this far ahead, so that a busy machine
        // delaying the window's thread does not delay an edge. Esc and the
        // keypad keys are polled this much before an element ends.
        KeyTime lead = 30'000'000;
        KeyTime startMargin = 2'000'000;  // before a message's first edge
        KeyTime spin = 200'000;           // spun, not slept, before an edge
        KeyTime pumpSlice = 1'000'000;    // sleep between two pumps
        bool realtimePriority = true;     // SCHED_FIFO when the system allows it
    };

    explicit RealtimeKeyingScheduler(std::function<void()> pump);
    RealtimeKeyingScheduler(std::function<void()> pump, Options options);
    ~RealtimeKeyingScheduler() override;
    RealtimeKeyingScheduler(const RealtimeKeyingScheduler&) = delete;
    RealtimeKeyingScheduler& operator=(const RealtimeKeyingScheduler&) = delete;

    KeyTime now() const override;
    KeyTime startTime() const override { return now() + options_.startMargin; }
    void setEdgeHandler(std::function<void(bool)> onEdge) override;
    void schedule(KeyTime at, bool keyDown) override;
    void awaitTurn(KeyTime at) override;
    void finish(KeyTime at) override;

    // Whether the edge thread got real-time priority.
    bool realtime() const { return realtime_; }

  private:
    struct Edge {
        KeyTime at;
        bool keyDown;
    };

    void run();
    void waitUntil(KeyTime deadline);
    void sleepUntil(KeyTime deadline) const;

    std::function<void()> pump_;
    Options options_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable drained_;
    std::deque<Edge> edges_;
    bool busy_ = false;  // an edge is being waited for or run
    std::atomic<bool> stopping_{false};
    bool started_ = false;  // the thread runs at its priority
    bool realtime_ = false;
    std::function<void(bool)> onEdge_;
    std::thread thread_;
};

}  // namespace keslog
