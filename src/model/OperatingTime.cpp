#include "model/OperatingTime.h"

#include <algorithm>

namespace keslog {

int offTimeThreshold(ContestNr nr) {
    const auto info = findContest(nr);
    return info ? info->offTimeMinutes : 15;
}

int minuteOfDay(std::int16_t qtime) {
    return (qtime / 100) * 60 + qtime % 100;
}

int OperatingTime::dayIndexOf(std::int16_t qdate) const {
    if (qsoCount_ == 0) return 1;
    if (qdate == lastDate_) return dayIndex_;
    return std::min(dayIndex_ + 1, kMaxDayIndex);
}

int OperatingTime::minuteOfNext(std::int16_t qdate, std::int16_t qtime) const {
    return (dayIndexOf(qdate) - 1) * 1440 + minuteOfDay(qtime);
}

float OperatingTime::onTime(int bandMode) const {
    return isValidBandMode(bandMode) ? onTime_[static_cast<std::size_t>(bandMode)] : 0.0f;
}

int OperatingTime::add(std::int16_t qdate, std::int16_t qtime, BandModeCode bandMode) {
    const int minute = minuteOfNext(qdate, qtime);
    dayIndex_ = dayIndexOf(qdate);
    if (qsoCount_ > 0) {
        const int gap = minute - lastMinute_;
        if (gap >= 0 && gap <= threshold_) {
            const auto addTo = [this](BandModeCode code, float minutes) {
                if (!isValidBandMode(code)) return;
                onTime_[static_cast<std::size_t>(code)] += minutes;
                (isCw(code) ? cwOnTime_ : phoneOnTime_) += minutes;
            };
            const auto whole = static_cast<float>(gap);
            if (bandMode == lastBandMode_) {
                addTo(bandMode, whole);
            } else {
                addTo(lastBandMode_, whole / 2);
                addTo(bandMode, whole / 2);
            }
            if (gap >= 1) totalMinutes_ += gap;
        }
    }
    ++qsoCount_;
    lastDate_ = qdate;
    lastMinute_ = minute;
    lastBandMode_ = bandMode;
    return minute;
}

}  // namespace keslog
