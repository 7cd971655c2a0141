#pragma once

#include <functional>
#include <memory>

namespace keslog {

// A timer whose ticks arrive on the user-interface thread while enabled.
class ITimer {
  public:
    virtual ~ITimer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual void setHandler(std::function<void()> onTick) = 0;
};

class ITimerFactory {
  public:
    virtual ~ITimerFactory() = default;
    virtual std::unique_ptr<ITimer> createTimer() = 0;
};

}  // namespace keslog
