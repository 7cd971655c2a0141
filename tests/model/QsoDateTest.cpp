#include <gtest/gtest.h>

#include <utility>

#include "model/QsoDate.h"

namespace keslog {
namespace {

TEST(QsoDate, DateCodesReadAgainstTheCurrentYear) {
    struct Case {
        int code, currentYear;
        CalendarDate date;
    };
    const Case cases[] = {
        {4159, 2026, {1999, 4, 15}},   // MDDY of the 1990s
        {11049, 2026, {1999, 11, 4}},  // months 10..12 of the 1990s
        {21150, 2005, {2000, 1, 15}},  // 2MDDY
        {21150, 2026, {2020, 1, 15}},  // the digit 0 of a log kept until 2026
        {31041, 2026, {2021, 11, 4}},
        {31041, 2021, {2021, 11, 4}},
        {31041, 2020, {2011, 11, 4}},
        {32316, 2026, {2026, 12, 31}},
        {32317, 2026, {2017, 12, 31}},
        {21150, 1999, {2000, 1, 15}},  // a clock before 2000 still gives the 2000s
        {0, 2026, {}},
        {-5, 2026, {}},
        {13011, 2026, {}},  // month 13
        {33011, 2026, {}},  // month 13 of the 2000s
        {21001, 2026, {}},  // day 0
        {20151, 2026, {}},  // month 0 of the 2000s
    };
    for (const Case& c : cases)
        EXPECT_EQ(calendarDateOf(c.code, c.currentYear), c.date) << c.code << " " << c.currentYear;
}

TEST(QsoDate, Forms) {
    const CalendarDate d{2009, 3, 7};
    EXPECT_EQ(dateText(d, DateForm::IsoDashes), "2009-03-07");
    EXPECT_EQ(dateText(d, DateForm::Compact), "20090307");
    EXPECT_EQ(dateText(d, DateForm::Short), "090307");
    EXPECT_EQ(dateText(d, DateForm::Us), "03/07/09");
    EXPECT_EQ(dateText({}, DateForm::IsoDashes), "0000-00-00");
}

TEST(QsoDate, TimesAreFourDigitsAndDamagedOnesZero) {
    const std::pair<int, const char*> cases[] = {
        {0, "0000"},    {5, "0005"},    {59, "0059"}, {100, "0100"},   {2359, "2359"},
        {2400, "0000"}, {1260, "0000"}, {-1, "0000"}, {32767, "0000"},
    };
    for (const auto& [time, text] : cases) EXPECT_EQ(timeText(time), text) << time;
}

}  // namespace
}  // namespace keslog
