#include <gtest/gtest.h>

#include "LogFixtures.h"
#include "storage/LogRecord.h"

namespace keslog {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values) out += static_cast<char>(v);
    return out;
}

using test::header26;

TEST(LogRecord, QsoRecordByteByByte) {
    QSORecName q;
    q.QDate = 31041;          // 11/04/2001
    q.QTime = 2359;           // 0x0937
    q.QBandMode = 11;         // 20 m phone
    q.QCall = "W1AWXYZ1234";  // 11 characters: the first 10 are kept
    q.QNr = 300;              // 0x012C
    q.QRcvd = -2;
    q.QMult = "MA";
    q.QPoints = "3";
    q.QName = "BOB";
    const std::string common = bytes({0x41, 0x79, 0x37, 0x09, 0x0B, 0x00}) + "W1AWXYZ123" +
                               bytes({0x2C, 0x01, 0xFE, 0xFF}) + "MA   " + "3";
    EXPECT_EQ(encodeQso(q, RecordVariant::QSORec), common);
    EXPECT_EQ(encodeQso(q, RecordVariant::QSORecName), common + "BOB       ");
}

TEST(LogRecord, HeaderChecks) {
    const std::string ok = header26("WW CW", '2');
    std::string marker1 = ok;
    marker1[16] = 1;
    std::string negative = ok;
    negative[16] = '\xFF';
    negative[17] = '\xFF';
    const std::string unknown = header26("XYZCW", ' ');
    const std::string garbage(26, 'x');  // marker bytes "xx" read as 30840

    const std::string notALog = "The file /logs/A.KSL is not a KESLOG log: ";
    const std::string tooShort =
        notALog + "it is too short to hold a log header.  Nothing was opened.";
    const std::string incompatible =
        "The log selected was written with an earlier version of this program or with version "
        "3.5 or earlier of KSL for DOS.  This program and versions 4.1 and later of KSL for DOS "
        "use a slightly different file format that is incompatible with earlier versions.  If "
        "you wish to convert the log file to this new format, load the file into KSL for DOS, "
        "version 4.5 or later and follow instructions.";
    struct Case {
        const char* name;
        std::string file, message, title;
    };
    const Case cases[] = {
        {"empty", "", tooShort, "File Opening Error"},
        {"one byte", "W", tooShort, "File Opening Error"},
        {"25 bytes", ok.substr(0, 25), tooShort, "File Opening Error"},
        {"format marker 1", marker1, incompatible, "Incompatible file format error"},
        {"garbage", garbage, incompatible, "Incompatible file format error"},
        {"negative marker", negative,
         notALog + "its header is damaged (format marker -1).  Nothing was opened.",
         "File Opening Error"},
        {"unknown contest", unknown,
         notALog + "its header names no contest this program knows.  Nothing was opened.",
         "File Opening Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Result<HeaderFields> r = checkHeader(c.file, "/logs/A.KSL");
        ASSERT_FALSE(r.isOk());
        EXPECT_EQ(r.status().message(), c.message);
        EXPECT_EQ(r.status().title(), c.title);
    }
}

TEST(LogRecord, ContestIsRecognisedFromTheFirstTwoCharacters) {
    struct Case {
        const char* mult;
        ContestNr contest;
    };
    // Every contest's header round-trips through opening; these are the odd ones.
    const Case cases[] = {
        {"SS9CW", contest::Ss}, {"SS SB", contest::Ss}, {"ARXCW", contest::ArrlDx}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mult);
        const Result<HeaderFields> r = checkHeader(header26(c.mult, '7') + "trailing", "x");
        ASSERT_TRUE(r.isOk());
        EXPECT_EQ(r->contest, c.contest);
        EXPECT_EQ(r->identifier, std::string(c.mult).substr(0, 3));
        EXPECT_EQ(r->qualifier, std::string(c.mult).substr(3, 2));
        EXPECT_EQ(r->location, '7');
    }
}

TEST(LogRecord, WholeRecordsOnly) {
    struct Case {
        std::uint64_t length;
        RecordVariant variant;
        std::size_t records;
        std::size_t partial;
    };
    const auto S = RecordVariant::QSORec;
    const auto N = RecordVariant::QSORecName;
    const Case cases[] = {
        {0, S, 0, 0},    {25, S, 0, 0},  {26, S, 1, 0},  {38, S, 1, 12}, {51, S, 1, 25},
        {52, S, 2, 0},   {78, S, 3, 0},  {0, N, 0, 0},   {25, N, 0, 0},  {26, N, 1, 0},
        {35, N, 1, 0},   {36, N, 1, 0},  {54, N, 1, 18}, {71, N, 1, 35}, {72, N, 2, 0},
        {107, N, 2, 35}, {108, N, 3, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.length) + (c.variant == N ? " name" : " plain"));
        EXPECT_EQ(wholeRecordCount(c.length, c.variant), c.records);
        EXPECT_EQ(partialRecordBytes(c.length, c.variant), c.partial);
    }
}

}  // namespace
}  // namespace keslog
