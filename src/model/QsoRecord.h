#pragma once

#include <cstdint>

#include "model/Contest.h"
#include "model/Text.h"

namespace keslog {

// One QSO as the open log holds it. Field names follow the stored record.
struct QSORec {
    std::int16_t QDate = 0;      // date code MDDY (see dateCode)
    std::int16_t QTime = 0;      // HHMM in GMT
    std::int16_t QBandMode = 0;  // band-mode code at the moment of logging
    FixedText<10> QCall;         // worked call, upper case
    std::int16_t QNr = 0;        // own serial number of this QSO
    std::int16_t QRcvd = 0;      // received number (power, zone, serial, age)
    FixedText<5> QMult;          // exchange text carrying the multiplier
    FixedText<1> QPoints;        // QSO points, one digit

    bool operator==(const QSORec&) const = default;
};

// The record of the contests that log a name (Sprint, NAQP).
struct QSORecName : QSORec {
    FixedText<10> QName;

    bool operator==(const QSORecName&) const = default;
};

// What a QSO adds to the total points: the value of its points digit (no
// digit counts 0). PAQP counts in tenths, its "3" standing for one and a
// half points.
int pointValue(ContestNr nr, const QSORec& record);

}  // namespace keslog
