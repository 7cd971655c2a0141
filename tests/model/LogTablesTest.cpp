#include <gtest/gtest.h>

#include "model/LogTables.h"
#include "model/MainMod.h"
#include "model/Text.h"

namespace keslog {
namespace {

QSORecName qso(const char* call, const char* name = "") {
    QSORecName r;
    r.QCall = call;
    r.QName = name;
    return r;
}

TEST(LeadingNumber, ReadsTheNumberAtTheStart) {
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{"12", 12}, {" 12abc", 12}, {"abc", 0},     {"", 0},
                          {"-5", -5}, {"+2", 2},      {"12.7", 12.7}, {"2.5", 2.5},
                          {"-", 0},   {" - 3", 0},    {".5", 0.5}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    for (const auto& [value, rounded] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.6, 3}})
        EXPECT_EQ(roundHalfEven(value), rounded) << value;
}

TEST(LogTables, QsoNumberNLivesAtNWithOrWithoutTheName) {
    LogTables t;
    t.reset(RecordVariant::QSORecName);
    ASSERT_TRUE(t.append(qso("K6AW", "BOB")));
    ASSERT_TRUE(t.append(qso(" n6tr ", "TREE")));
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.at(1).QName.trimmed(), "BOB");
    EXPECT_EQ(t.CallList[1], "n6tr");
    EXPECT_EQ(t.CallSum[0], 'K' + '6' + 'A' + 'W');
    EXPECT_EQ(t.LogTableName.size(), 2u);
    EXPECT_TRUE(t.LogTable.empty());
    t.removeLast();
    EXPECT_EQ(t.count(), 1);

    // A log of records without names drops the name.
    t.reset(RecordVariant::QSORec);
    ASSERT_TRUE(t.append(qso("DL1ABC", "HANS")));
    EXPECT_EQ(t.LogTable.size(), 1u);
    EXPECT_EQ(t.at(1).QName.trimmed(), "");
    t.replace(1, qso("DL2XYZ"));
    EXPECT_EQ(t.at(1).QCall.trimmed(), "DL2XYZ");
    EXPECT_EQ(t.CallList[0], "DL2XYZ");
    EXPECT_EQ(t.CallSum[0], callSum("DL2XYZ"));
}

TEST(LogTables, LogsPastTheOldLimitsAndRefusesAtTheQsoNumberLimit) {
    for (RecordVariant v : {RecordVariant::QSORec, RecordVariant::QSORecName}) {
        LogTables t;
        t.reset(v);
        for (int i = 0; i < kMaxQsos; ++i) ASSERT_TRUE(t.append(qso("W1AW")));
        EXPECT_TRUE(t.isFull());
        const Status refused = t.append(qso("K1ZZ"));
        EXPECT_FALSE(refused);
        EXPECT_EQ(refused.message(),
                  "The log is full: it holds 32767 QSOs, the most a log can hold.  This QSO "
                  "was not logged; start a new log to go on.");
        EXPECT_EQ(t.count(), kMaxQsos);
        EXPECT_EQ(t.at(kMaxQsos).QCall.trimmed(), "W1AW");
    }
}

TEST(MultTable, FindsTheRowOfAnyFormButNeverEmptyText) {
    MultTable t;
    t.reset(3, 1);
    t.rows[0].forms = {"SCLA", "SANTA CLARA", kNoForm};
    t.rows[1].forms = {"ALAM", "ALAMEDA", "ALA"};
    // Row 3 keeps its empty first form from reset.
    const std::pair<std::string, int> cases[] = {{"SCLA", 1}, {"ALA", 2}, {"ALAMEDA", 2},
                                                 {"SCL", 0},  {"", 0},    {kNoForm, 0}};
    for (const auto& [text, row] : cases) EXPECT_EQ(t.findRow(text), row) << text;
}

}  // namespace
}  // namespace keslog
