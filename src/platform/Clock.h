#pragma once

namespace keslog {

// A calendar date and a time of day, as the computer clock gives them.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateTime&) const = default;
};

class IClock {
  public:
    virtual ~IClock() = default;
    // Local date and time, one sample.
    virtual DateTime now() const = 0;
    // Seconds since local midnight, with fractions (CW timing calibration).
    virtual double secondsSinceMidnight() const = 0;
};

}  // namespace keslog
