#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/MainMod.h"
#include "model/OperatingTime.h"

namespace keslog {

// QSOs of one clock hour of the log, by band index 1..8 (element 0 unused).
using HourQsos = std::array<int, kBandCount + 1>;

// What the statistics window counts of the open log, kept QSO by QSO so
// that one more QSO costs the same however long the log is.
class QsoCounts {
  public:
    // Empties the counts for the log of the state's contest and location.
    void reset(const MainMod& state);
    // Takes QSO count() + 1 of the log.
    void add(const MainMod& state, const QSORec& record);
    // Brings the counts up to the log: takes the QSOs logged since, or
    // counts the whole log afresh when it holds fewer QSOs than counted
    // (a QSO was removed) or belongs to another contest.
    void catchUp(const MainMod& state);

    int count() const { return static_cast<int>(minutes_.size()); }
    const OperatingTime& time() const { return time_; }
    // Running minute of QSO n (1-based).
    int minuteOf(int n) const { return minutes_[static_cast<std::size_t>(n - 1)]; }
    // The first QSO, counting from 1, whose running minute is not before
    // the given one; count() + 1 when there is none. A halving search, as
    // the running minutes rise through the log.
    int firstQsoFrom(int minute) const;
    // Sum of the point values (PAQP in tenths) of QSOs first..last.
    long pointsOf(int first, int last) const;

    int qsos(int bandMode) const { return at(qsos_, bandMode); }
    long points(int bandMode) const { return at(points_, bandMode); }
    // WPX: QSOs with the station's own country.
    int ownCountryQsos() const { return ownCountryQsos_; }
    int ownCountryNr() const { return ownCountryNr_; }

    // QSOs per clock hour from the hour of the first QSO on.
    const std::vector<HourQsos>& hours() const { return hours_; }
    int firstHour() const { return firstHour_; }

  private:
    template <typename T>
    static T at(const std::array<T, 2 * kBandCount + 1>& table, int bandMode) {
        return isValidBandMode(bandMode) ? table[static_cast<std::size_t>(bandMode)] : T{};
    }

    ContestNr contestNr_ = contest::None;
    OperatingTime time_;
    std::vector<int> minutes_;
    std::vector<long> pointsUpTo_{0};  // element n: points of QSOs 1..n
    std::array<int, 2 * kBandCount + 1> qsos_{};
    std::array<long, 2 * kBandCount + 1> points_{};
    int ownCountryNr_ = 0;
    int ownCountryQsos_ = 0;
    std::vector<HourQsos> hours_;
    int firstHour_ = 0;
};

}  // namespace keslog
