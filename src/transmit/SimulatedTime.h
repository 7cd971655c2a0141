#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Keying.h"
#include "platform/Timer.h"

namespace keslog {

// A clock that moves only when asked, for sessions run without a window or
// devices: the keyer's edges and the timers (the repetition's Timer2) run
// on it in time order, each with the clock set to its own time. Times in
// nanoseconds from the start. An external keyer's waits are real: around
// them the clock follows the real one.
class SimulatedTime : public IKeyingScheduler, public ITimerFactory {
  public:
    SimulatedTime();
    ~SimulatedTime() override;
    SimulatedTime(const SimulatedTime&) = delete;
    SimulatedTime& operator=(const SimulatedTime&) = delete;

    KeyTime now() const override { return clock_; }
    KeyTime startTime() const override { return clock_; }
    void setEdgeHandler(std::function<void(bool)> onEdge) override { onEdge_ = std::move(onEdge); }
    void schedule(KeyTime at, bool keyDown) override { edges_.push_back({at, keyDown}); }
    void awaitTurn(KeyTime at) override;
    void finish(KeyTime at) override { advanceTo(at); }

    std::unique_ptr<ITimer> createTimer() override;

    // Moves the clock on to `at`, running what falls due on the way.
    void advanceTo(KeyTime at);
    void advanceBy(KeyTime duration) { advanceTo(clock_ + duration); }
    // Moves the clock to the next edge or timer tick and runs it; false when
    // nothing is scheduled.
    bool runNext();
    // Called before and after each wait on an external keyer: the clock
    // catches up with the real time passed since the first of a run of
    // them, and the turn awaited next comes no sooner than in real time.
    void followRealTime();

  private:
    class Timer;
    struct Edge {
        KeyTime at;
        bool keyDown;
    };

    // The earliest scheduled edge or timer tick, if any.
    bool nextDue(KeyTime& at) const;
    // advanceTo without ending a run of real waits.
    void run(KeyTime at);

    KeyTime clock_ = 0;
    std::function<void(bool)> onEdge_;
    std::deque<Edge> edges_;
    std::vector<Timer*> timers_;
    bool following_ = false;  // since anchorReal_, at anchorClock_
    bool paced_ = false;      // a real wait came since the last turn
    KeyTime anchorClock_ = 0;
    std::chrono::steady_clock::time_point anchorReal_;
};

}  // namespace keslog
