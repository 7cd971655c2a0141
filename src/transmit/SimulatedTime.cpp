#include "transmit/SimulatedTime.h"

#include <algorithm>
#include <thread>

namespace keslog {

constexpr KeyTime kNsPerMs = 1'000'000;

// A timer of the simulated clock: it ticks every interval while enabled;
// an interval of 0 never ticks.
class SimulatedTime::Timer : public ITimer {
  public:
    explicit Timer(SimulatedTime& time) : time_(time) { time_.timers_.push_back(this); }
    ~Timer() override { std::erase(time_.timers_, this); }

    void setInterval(int milliseconds) override {
        interval_ = milliseconds;
        restart();
    }
    int interval() const override { return interval_; }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        restart();
    }
    bool enabled() const override { return enabled_; }
    void setHandler(std::function<void()> onTick) override { onTick_ = std::move(onTick); }

    bool due(KeyTime& at) const {
        if (!enabled_ || interval_ <= 0) return false;
        at = deadline_;
        return true;
    }
    void tick() {
        deadline_ += interval_ * kNsPerMs;
        if (onTick_) onTick_();
    }

  private:
    void restart() { deadline_ = time_.clock_ + interval_ * kNsPerMs; }

    SimulatedTime& time_;
    int interval_ = 0;
    bool enabled_ = false;
    KeyTime deadline_ = 0;
    std::function<void()> onTick_;
};

SimulatedTime::SimulatedTime() = default;

SimulatedTime::~SimulatedTime() = default;

std::unique_ptr<ITimer> SimulatedTime::createTimer() {
    return std::make_unique<Timer>(*this);
}

bool SimulatedTime::nextDue(KeyTime& at) const {
    bool any = false;
    if (!edges_.empty()) {
        at = std::min_element(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) {
                 return a.at < b.at;
             })->at;
        any = true;
    }
    for (const Timer* t : timers_) {
        KeyTime deadline = 0;
        if (t->due(deadline) && (!any || deadline < at)) {
            at = deadline;
            any = true;
        }
    }
    return any;
}

void SimulatedTime::followRealTime() {
    const auto real = std::chrono::steady_clock::now();
    if (!following_) {
        following_ = true;
        anchorClock_ = clock_;
        anchorReal_ = real;
    }
    paced_ = true;
    run(anchorClock_ + std::chrono::nanoseconds(real - anchorReal_).count());
}

void SimulatedTime::awaitTurn(KeyTime at) {
    if (!std::exchange(paced_, false)) return advanceTo(at);
    std::this_thread::sleep_until(anchorReal_ + std::chrono::nanoseconds(at - anchorClock_));
    run(at);
}

void SimulatedTime::advanceTo(KeyTime target) {
    following_ = paced_ = false;
    run(target);
}

void SimulatedTime::run(KeyTime target) {
    KeyTime at = 0;
    while (nextDue(at) && at <= target) {
        clock_ = std::max(clock_, at);
        // Edges first at equal times: a message's last edge before the pause.
        const auto edge =
            std::find_if(edges_.begin(), edges_.end(), [at](const Edge& e) { return e.at == at; });
        if (edge != edges_.end()) {
            const bool keyDown = edge->keyDown;
            edges_.erase(edge);
            if (onEdge_) onEdge_(keyDown);
            continue;
        }
        for (Timer* t : timers_) {
            KeyTime deadline = 0;
            if (t->due(deadline) && deadline == at) {
                t->tick();
                break;
            }
        }
    }
    clock_ = std::max(clock_, target);
}

bool SimulatedTime::runNext() {
    KeyTime at = 0;
    if (!nextDue(at)) return false;
    advanceTo(at);
    return true;
}

}  // namespace keslog
