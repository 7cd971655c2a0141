#include <gtest/gtest.h>

#include "LogFixtures.h"
#include "storage/CallFile.h"
#include "storage/LogRecord.h"

namespace keslog::test {
namespace {

TEST(CallFile, EachLineIsACallAndTheExchangeAfterItsFirstBlank) {
    struct Case {
        const char* bytes;
        std::vector<OldCall> rows;
    };
    const Case cases[] = {
        {"K1AR AR100\r\nW1AW WW5\r\n", {{"K1AR", "AR100"}, {"W1AW", "WW5"}}},
        {"K1AR AR100\nW1AW WW5", {{"K1AR", "AR100"}, {"W1AW", "WW5"}}},  // LF, no last end
        {"  k6aaa CQSCLA  \r\n", {{"K6AAA", "CQSCLA"}}},                 // trimmed, upper case
        {"N6TR\r\n", {{"N6TR", ""}}},                                    // no exchange
        {"N6TR NATREE03 X\r\n", {{"N6TR", "NATREE03 X"}}},               // rest after 1st blank
        {"K1AR  AR100\r\n", {{"K1AR", " AR100"}}},
        {"\r\n\r\n   \r\nVE3/K1AB SSA99ON\r\n\r\n", {{"VE3/K1AB", "SSA99ON"}}},
        {"", {}},
        {"\r\n", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        const CallFileContents file = parseCallFile(c.bytes);
        EXPECT_EQ(file.rows, c.rows);
        EXPECT_EQ(file.skippedLines, 0);
    }
}

TEST(CallFile, LinesWithoutACallAreSkippedAndCounted) {
    using namespace std::string_literals;
    const std::string bytes = "K1AR AR100\r\n"s + "K1#R AR100\r\n" +  // not a call character
                              "W1AW\0WW5\r\n"s +                      // NUL inside
                              "N6TR NA\x01TREE\r\n" +        // control character in the exchange
                              "ABCDEFGHIJKLMNOPQRSTU X\r\n"  // 21 characters
                              "ABCDEFGHIJKLMNOPQRST X\r\n"   // 20: still a call
                              "\xE9\xE9 WW5\r\n" +
                              "DL1ABC WW14 J\xFCrgen\r\n";  // any printable exchange
    const CallFileContents file = parseCallFile(bytes);
    EXPECT_EQ(file.rows,
              (std::vector<OldCall>{
                  {"K1AR", "AR100"}, {"ABCDEFGHIJKLMNOPQRST", "X"}, {"DL1ABC", "WW14 J\xFCrgen"}}));
    EXPECT_EQ(file.skippedLines, 5);
}

// Each call file used to lose its first call on every save.
TEST(CallFile, SaveThenLoadKeepsEveryCall) {
    const std::vector<OldCall> rows{
        {"AA1A", "WW5"}, {"K1AR", "AR100"}, {"N6TR", ""}, {"W1AW", " X"}};
    const std::string text = callFileText(rows);
    EXPECT_EQ(text, "AA1A WW5\r\nK1AR AR100\r\nN6TR \r\nW1AW  X\r\n");
    const CallFileContents read = parseCallFile(text);
    EXPECT_EQ(read.rows, rows);
    EXPECT_EQ(read.skippedLines, 0);
    EXPECT_EQ(callFileText({}), "");
}

// A log file's bytes: the header of identifier and qualifier, then records.
std::string logBytes(const std::string& mult, RecordVariant variant,
                     const std::vector<QSORecName>& qsos) {
    std::string bytes = header26(mult, ' ');
    bytes.resize(recordSize(variant), ' ');
    for (const QSORecName& q : qsos) bytes += encodeQso(q, variant);
    return bytes;
}

QSORecName received(const std::string& call, int rcvd, const std::string& mult,
                    const std::string& name = "") {
    QSORecName q;
    q.QCall = call;
    q.QRcvd = static_cast<std::int16_t>(rcvd);
    q.QMult = mult;
    q.QName = name;
    return q;
}

TEST(CallFileFromLog, TheExchangeTextOfEachContest) {
    struct Case {
        const char* header;
        RecordVariant variant;
        QSORecName qso;
        OldCall row;
    };
    constexpr RecordVariant Short = RecordVariant::QSORec;
    constexpr RecordVariant Long = RecordVariant::QSORecName;
    const Case cases[] = {
        {"ARLCW", Short, received("K1AR", 100, ""), {"K1AR", "AR100"}},
        {"WW SB", Short, received("DL1ABC", 14, "DL"), {"DL1ABC", "WW14"}},
        {"AA CW", Short, received("JA1ZZZ", 25, ""), {"JA1ZZZ", "AA25"}},
        {"CQPOS", Short, received("K6AAA", 7, " 12"), {"K6AAA", "CQ12"}},
        {"SS9CW", Short, received("W1AW", 17, "A99CT"), {"W1AW", "SSA99CT"}},
        {"PAQIN", Short, received("W3ABC", 3, "ALLE "), {"W3ABC", "PAALLE"}},
        {"WPXCW", Short, received("OH2BH", 512, "OH2"), {"OH2BH", "WP"}},
        {"SP CW", Long, received("N6TR", 45, "5", " TREE "), {"N6TR", "SPTREE05"}},
        {"SP CW", Long, received("N6TR", 45, "CA", "TREE"), {"N6TR", "SPTREECA"}},
        {"NA SB", Long, received("K5ZD", 0, "12", "RANDY"), {"K5ZD", "NARANDY12"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const Result<LogFileContents> log =
            parseLogFile(logBytes(c.header, c.variant, {c.qso}), "TEST.KSL");
        ASSERT_TRUE(log.isOk()) << log.status().message();
        EXPECT_EQ(oldCallsOfLog(*log), std::vector<OldCall>{c.row});
    }
}

TEST(CallFileFromLog, CallsInLogOrderTrimmedAndBlankRecordsLeftOut) {
    const Result<LogFileContents> log =
        parseLogFile(logBytes("WW CW", RecordVariant::QSORec,
                              {received("W1AW", 5, ""), received("", 3, ""),
                               received(" K1AR", 4, ""), received("W1AW", 4, "")}),
                     "TEST.KSL");
    ASSERT_TRUE(log.isOk());
    EXPECT_EQ(oldCallsOfLog(*log),
              (std::vector<OldCall>{{"W1AW", "WW5"}, {"K1AR", "WW4"}, {"W1AW", "WW4"}}));
}

}  // namespace
}  // namespace keslog::test
