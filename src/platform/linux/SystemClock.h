#pragma once

#include "platform/Clock.h"

namespace keslog {

// The computer's local clock.
class SystemClock : public IClock {
  public:
    DateTime now() const override;
    double secondsSinceMidnight() const override;
};

}  // namespace keslog
