#include "model/QsoDate.h"

#include <cstdio>

namespace keslog {

CalendarDate calendarDateOf(int qDate, int currentYear) {
    if (qDate <= 0) return {};
    const int digit = qDate % 10;
    const int day = (qDate / 10) % 100;
    int month = qDate / 1000;
    const bool from2000 = month > 20;
    if (from2000) month -= 20;
    if (month < 1 || month > 12 || day < 1 || day > 31) return {};
    if (!from2000) return {1990 + digit, month, day};
    int year = 2000 + digit;
    while (year + 10 <= currentYear) year += 10;
    return {year, month, day};
}

std::string dateText(const CalendarDate& date, DateForm form) {
    char text[16];
    const int yy = date.year % 100;
    switch (form) {
        case DateForm::IsoDashes:
            std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
            break;
        case DateForm::Compact:
            std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
            break;
        case DateForm::Short:
            std::snprintf(text, sizeof text, "%02d%02d%02d", yy, date.month, date.day);
            break;
        case DateForm::Us:
            std::snprintf(text, sizeof text, "%02d/%02d/%02d", date.month, date.day, yy);
            break;
    }
    return text;
}

std::string storedTimeText(int qTime) {
    char text[8];
    std::snprintf(text, sizeof text, "%04d", qTime);
    return text;
}

std::string timeText(int qTime) {
    const bool valid = qTime >= 0 && qTime <= 2359 && qTime % 100 <= 59;
    return storedTimeText(valid ? qTime : 0);
}

}  // namespace keslog
