#include "model/Stamp.h"

#include <chrono>
#include <cstdio>

#include "model/Text.h"

namespace keslog {

std::int16_t dateCode(int year, int month, int day) {
    const int monthPart = year >= 2000 ? month + 20 : month;
    return static_cast<std::int16_t>(monthPart * 1000 + day * 10 + year % 10);
}

int timeCorrectionMinutes(std::string_view timeCorrection) {
    return static_cast<int>(roundHalfEven(leadingNumber(timeCorrection) * 60));
}

DateTime addMinutes(const DateTime& t, int minutes) {
    using namespace std::chrono;
    const sys_days day = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                        std::chrono::day{static_cast<unsigned>(t.day)}};
    const long total = static_cast<long>(t.hour) * 60 + t.minute + minutes;
    long dayShift = total / 1440;
    long minuteOfDay = total % 1440;
    if (minuteOfDay < 0) {
        minuteOfDay += 1440;
        --dayShift;
    }
    const year_month_day shifted{day + days{dayShift}};
    DateTime out = t;
    out.year = static_cast<int>(shifted.year());
    out.month = static_cast<int>(static_cast<unsigned>(shifted.month()));
    out.day = static_cast<int>(static_cast<unsigned>(shifted.day()));
    out.hour = static_cast<int>(minuteOfDay / 60);
    out.minute = static_cast<int>(minuteOfDay % 60);
    return out;
}

DateTime gmtOf(const DateTime& clock, bool clockIsGmt, std::string_view timeCorrection) {
    return clockIsGmt ? clock : addMinutes(clock, timeCorrectionMinutes(timeCorrection));
}

DateTime localOf(const DateTime& clock, bool clockIsGmt, std::string_view timeCorrection) {
    return clockIsGmt ? addMinutes(clock, -timeCorrectionMinutes(timeCorrection)) : clock;
}

QsoStamp stampQso(const DateTime& clock, bool clockIsGmt, std::string_view timeCorrection) {
    const DateTime gmt = gmtOf(clock, clockIsGmt, timeCorrection);
    return {dateCode(gmt.year, gmt.month, gmt.day),
            static_cast<std::int16_t>(gmt.hour * 100 + gmt.minute)};
}

std::string clockText(const DateTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour % 100, t.minute % 100, t.second % 100);
    return buf;
}

}  // namespace keslog
