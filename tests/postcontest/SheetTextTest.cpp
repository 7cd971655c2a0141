#include <gtest/gtest.h>

#include "postcontest/SheetText.h"
#include "postcontest/Summary.h"

namespace keslog {
namespace {

TEST(SheetText, ScoresAreGroupedByThreeDigits) {
    const struct {
        long long value;
        const char* text;
    } cases[] = {{0, "0"},
                 {987, "987"},
                 {1234, "1,234"},
                 {123456, "123,456"},
                 {1234567, "1,234,567"},
                 {1234567890, "1,234,567,890"}};
    for (const auto& c : cases) EXPECT_EQ(groupedThousands(c.value), c.text) << c.value;
}

TEST(SheetText, OperatingTimeHasNoHoursUnderAnHour) {
    const struct {
        int minutes;
        const char* text;
    } cases[] = {{125, "2:05"}, {45, ":45"}, {0, ":00"}, {60, "1:00"}, {2879, "47:59"}};
    for (const auto& c : cases) EXPECT_EQ(operatingTimeText(c.minutes), c.text) << c.minutes;
}

TEST(SheetText, CountsAveragesAndTenths) {
    EXPECT_EQ(countText(0), "--");
    EXPECT_EQ(countText(12), "12");
    const struct {
        double total, count;
        const char* text;
    } averages[] = {{5, 2, "2.50"}, {3, 1, "3.00"}, {2, 3, "0.67"},   {0, 5, "----"},
                    {5, 0, "----"}, {0, 0, "----"}, {1, 300, "----"}, {12345, 1, "12345.00"}};
    for (const auto& a : averages)
        EXPECT_EQ(averageText(a.total, a.count), a.text) << a.total << "/" << a.count;
    EXPECT_EQ(tenthsText(150), "15");
    EXPECT_EQ(tenthsText(45), "4.5");
    EXPECT_EQ(tenthsText(5), "0.5");
    EXPECT_EQ(ruleLine(), std::string(67, '-'));
}

TEST(SheetText, ColumnsNeverCutOrOverwrite) {
    EXPECT_EQ(SheetLine().at(5, "10").str(), "    10");
    EXPECT_EQ(SheetLine("ab").right(5, 4, "12").str(), "ab    12");
    // Wider than its column: reaches left into the blanks, keeps every digit.
    EXPECT_EQ(SheetLine("ab").right(5, 4, "12345").str(), "ab 12345");
    // No room left: one blank after what stands there.
    EXPECT_EQ(SheetLine("abcdef").right(5, 4, "12345").str(), "abcdef 12345");
    EXPECT_EQ(SheetLine("abcd").at(5, "x").str(), "abcdx");
    EXPECT_EQ(SheetLine("abcde").at(5, "x").str(), "abcde x");
    EXPECT_EQ(SheetLine().endingAt(2, "Tot").str(), "Tot");
    EXPECT_EQ(padRight("CA", 5), "CA   ");
    EXPECT_EQ(padLeft("12345", 4), "12345");
}

}  // namespace
}  // namespace keslog
