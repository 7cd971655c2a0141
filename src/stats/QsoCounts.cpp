#include "stats/QsoCounts.h"

#include <algorithm>

#include "callsign/CountryLookup.h"

namespace keslog {

namespace {

// The station's own country in WPX: the USA or Canada by the location
// choice, otherwise the country of the station's own call.
int ownCountry(const MainMod& state) {
    if (state.contestNr != contest::Wpx) return 0;
    if (state.QTHUSAFlag) return state.countries.USACountryNr;
    if (state.QTHCanadaFlag) return state.countries.CanadaCountryNr;
    return CountryOfCall(state.countries, toUpper(trim(state.settings.YourCall)));
}

// Hours of a log that runs over the most days it can have.
constexpr int kMaxHours = kMaxDayIndex * 24;

}  // namespace

void QsoCounts::reset(const MainMod& state) {
    *this = QsoCounts{};
    contestNr_ = state.contestNr;
    time_ = OperatingTime(state.contestNr);
    ownCountryNr_ = ownCountry(state);
}

void QsoCounts::add(const MainMod& state, const QSORec& record) {
    const int minute = time_.add(record.QDate, record.QTime, record.QBandMode);
    minutes_.push_back(minute);
    const int value = pointValue(state.contestNr, record);
    pointsUpTo_.push_back(pointsUpTo_.back() + value);
    if (isValidBandMode(record.QBandMode)) {
        ++qsos_[static_cast<std::size_t>(record.QBandMode)];
        points_[static_cast<std::size_t>(record.QBandMode)] += value;
    }
    if (ownCountryNr_ != 0 &&
        CountryOfCall(state.countries, record.QCall.trimmed()) == ownCountryNr_)
        ++ownCountryQsos_;

    if (count() == 1) firstHour_ = minute / 60;
    // A clock set back before the first QSO counts in the first hour.
    const int hour = std::clamp(minute / 60 - firstHour_, 0, kMaxHours);
    if (hour >= static_cast<int>(hours_.size())) hours_.resize(static_cast<std::size_t>(hour + 1));
    if (isValidBandMode(record.QBandMode))
        ++hours_[static_cast<std::size_t>(hour)]
                [static_cast<std::size_t>(bandIndexOf(record.QBandMode))];
}

void QsoCounts::catchUp(const MainMod& state) {
    const int logged = state.log.count();
    if (logged < count() || state.contestNr != contestNr_) reset(state);
    for (int n = count() + 1; n <= logged; ++n) add(state, state.log.at(n));
}

int QsoCounts::firstQsoFrom(int minute) const {
    int low = 1;
    int high = count();
    while (low <= high) {
        const int middle = (low + high) / 2;
        if (minuteOf(middle) < minute)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return low;
}

long QsoCounts::pointsOf(int first, int last) const {
    if (first < 1 || last > count() || first > last) return 0;
    return pointsUpTo_[static_cast<std::size_t>(last)] -
           pointsUpTo_[static_cast<std::size_t>(first - 1)];
}

}  // namespace keslog
