#pragma once

#include <string>

namespace keslog {

// A QSO's date as displays and outputs print it. A date code that holds no month
// and day gives 0 for all three.
struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;

    bool operator==(const CalendarDate&) const = default;
};

// The date of a date code (MDDY, the month raised by 20 from 2000 on).
// The code keeps only the last digit of the year: codes of the 1990s give
// 1990 + digit; later ones the latest year from 2000 on that ends in the
// digit and is not after currentYear, so a log of 2013 still reads 2013
// and not 2003.
CalendarDate calendarDateOf(int qDate, int currentYear);

enum class DateForm {
    IsoDashes,  // YYYY-MM-DD
    Compact,    // YYYYMMDD
    Short,      // YYMMDD
    Us,         // MM/DD/YY
};

// The one rendering of QSO dates for every output.
std::string dateText(const CalendarDate& date, DateForm form);

// A QSO's time (HHMM) as four digits with leading zeros; a value that is no
// time of day, as a damaged record may hold, gives "0000".
std::string timeText(int qTime);
// The stored time as it is, four digits with leading zeros, for the boxes
// that show a record to be changed: a damaged time must not read as "0000".
std::string storedTimeText(int qTime);

}  // namespace keslog
