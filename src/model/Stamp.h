#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace keslog {

// Date code MDDY: month, two-digit day, last digit of the year; the month
// is raised by 20 for the years 2000 and later (11-04-1999 -> 11049,
// 11-04-2001 -> 31041).
std::int16_t dateCode(int year, int month, int day);

// The time correction setting in whole minutes: the leading number of the
// text is a signed number of hours ("+2", "-5", "5.5").
int timeCorrectionMinutes(std::string_view timeCorrection);

// The same moment shifted by whole minutes through a real calendar, so the
// day, month and year roll over (the day never reads 00 or 32).
DateTime addMinutes(const DateTime& t, int minutes);

// GMT from one clock sample: the clock itself when it runs on GMT,
// otherwise the local time plus the correction.
DateTime gmtOf(const DateTime& clock, bool clockIsGmt, std::string_view timeCorrection);
// Local time from one clock sample (the reverse of gmtOf).
DateTime localOf(const DateTime& clock, bool clockIsGmt, std::string_view timeCorrection);

struct QsoStamp {
    std::int16_t QDate = 0;
    std::int16_t QTime = 0;  // HHMM
};

// Date and time of a QSO logged at this clock sample.
QsoStamp stampQso(const DateTime& clock, bool clockIsGmt, std::string_view timeCorrection);

// "hh:mm:ss" with two digits each.
std::string clockText(const DateTime& t);

}  // namespace keslog
