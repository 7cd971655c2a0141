#pragma once

#include <array>
#include <cstdint>

#include "model/Band.h"
#include "model/Contest.h"

namespace keslog {

// A gap between two QSOs longer than this many minutes is a break, not
// operating time: 60 for WPX, 30 for SS and NAQP, 15 for the others.
int offTimeThreshold(ContestNr nr);

// Minutes since midnight of a QTime (HHMM).
int minuteOfDay(std::int16_t qtime);

// A log that runs over many days still keeps its day index this small.
inline constexpr int kMaxDayIndex = 18;

// Where a log's QSOs lie in time, taken QSO by QSO in log order: each
// QSO's running minute, (day index - 1) x 1440 + its minute of the day,
// where the day index starts at 1 and rises by one (at most to 18) each
// time a QSO's date differs from the QSO before; and the operating time
// the gaps between QSOs add up to. The statistics window and the
// post-contest pass both count time this way.
class OperatingTime {
  public:
    explicit OperatingTime(ContestNr nr = contest::None) : threshold_(offTimeThreshold(nr)) {}

    // Takes the next QSO of the log and returns its running minute. A gap
    // up to the threshold is operating time: it goes to the QSO's band-mode,
    // or half to each when the QSO before was on another band-mode; to the
    // CW or phone time the same way; and, when at least a minute, to the
    // total. A longer gap is a break. So is a negative one (a clock set
    // back between two QSOs), which would otherwise take time away.
    int add(std::int16_t qdate, std::int16_t qtime, BandModeCode bandMode);

    // The running minute a QSO stamped with this date and time would get
    // if it came next: the clock's "now" on the log's scale.
    int minuteOfNext(std::int16_t qdate, std::int16_t qtime) const;

    int threshold() const { return threshold_; }
    int qsoCount() const { return qsoCount_; }
    int lastMinute() const { return lastMinute_; }

    // On-time of a band-mode code 1..16 in minutes; 0 for any other code.
    float onTime(int bandMode) const;
    float cwOnTime() const { return cwOnTime_; }
    float phoneOnTime() const { return phoneOnTime_; }
    int totalMinutes() const { return totalMinutes_; }

  private:
    int dayIndexOf(std::int16_t qdate) const;

    int threshold_;
    int qsoCount_ = 0;
    int dayIndex_ = 0;
    std::int16_t lastDate_ = 0;
    int lastMinute_ = 0;
    BandModeCode lastBandMode_ = 0;
    std::array<float, 2 * kBandCount + 1> onTime_{};
    float cwOnTime_ = 0;
    float phoneOnTime_ = 0;
    int totalMinutes_ = 0;
};

}  // namespace keslog
