#include <gtest/gtest.h>

#include "callsign/CallDataFiles.h"
#include "callsign/CallHistory.h"
#include "support/FakePlatform.h"

namespace keslog::test {
namespace {

TEST(CallHistory, LayoutsGiveTheExchangeEachContestAsksFor) {
    struct Case {
        const char* bytes;
        ContestNr contest;
        const char* call;
        const char* exchange;
    };
    const char* naqp =
        "# NAQP history\r\n"
        "!!Order!!,Call,Name,State,Exch1,UserText,\r\n"
        "K6XX,Bob,CA,,worked 2019\r\n"
        "k1ar,\"Dave, jr\",MA,\r\n"
        "N6TR,\"say \"\"TREE\"\"\",OR\r\n"
        "DL1ABC,HANS\r\n";
    const Case cases[] = {
        {naqp, contest::Naqp, "K6XX", "BOB CA"},
        {naqp, contest::Naqp, "K1AR", "DAVE, JR MA"},  // a quoted separator
        {naqp, contest::Naqp, "N6TR", "SAY \"TREE\" OR"},
        {naqp, contest::Naqp, "DL1ABC", "HANS"},  // the columns a line leaves out are empty
        {naqp, contest::Naqp, "W1AW", ""},
        {naqp, contest::Sprint, "K6XX", "  BOB CA"},
        {naqp, contest::Cqww, "K6XX", ""},  // no zone known
        {naqp, contest::Wpx, "K6XX", ""},
        // Another column order, semicolons.
        {"!!Order!!;Sect;CK;Call;Prec\nEMA;72;W1AW;A\nSCV;;K6XX;B\n", contest::Ss, "W1AW",
         " A 72 EMA"},
        {"!!Order!!;Sect;CK;Call;Prec\nEMA;72;W1AW;A\nSCV;;K6XX;B\n", contest::Ss, "K6XX",
         " B SCV"},
        {"!!Order!!,Call,CQZone,ITUZone\nDL1ABC,14,28\n", contest::Cqww, "DL1ABC", "14"},
        {"!!Order!!,Call,Exch1\nDL1ABC,14\n", contest::Cqww, "DL1ABC", "14"},
        {"!!Order!!,Call,Loc1,State\nK6AAA,SCLA,CA\nW1AW,,CT\n", contest::Cqp, "K6AAA", " SCLA"},
        {"!!Order!!,Call,Loc1,State\nK6AAA,SCLA,CA\nW1AW,,CT\n", contest::Cqp, "W1AW", " CT"},
        {"!!Order!!,Call,Loc1\nW3AAA,PHI\n", contest::Paqp, "W3AAA", " PHI"},
        {"!!Order!!,Call,Power\nDL1ABC,KW\n", contest::ArrlDx, "DL1ABC", "KW"},
        {"!!Order!!,Call,Age\nJA1XYZ,35\n", contest::Aa, "JA1XYZ", "35"},
        // A later header names the columns of the lines after it; the first
        // line of a call wins.
        {"!!Order!!,Call,Name\nK6XX,BOB\n!!Order!!,State,Call\nCA,K6XX\nOR,N6TR\n", contest::Naqp,
         "K6XX", "BOB"},
        {"!!Order!!,Call,Name\nK6XX,BOB\n!!Order!!,State,Call\nCA,K6XX\nOR,N6TR\n", contest::Naqp,
         "N6TR", "OR"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bytes) + " " + c.call);
        const CallHistory history = CallHistory::fromBytes(c.bytes);
        EXPECT_EQ(history.skippedLines(), 0);
        EXPECT_EQ(historyExchange(c.contest, history, c.call), c.exchange);
    }
}

TEST(CallHistory, DamagedLinesAreSkippedAndCounted) {
    using namespace std::string_literals;
    const std::string bytes = "K1AR,DAVE\n"s +           // before any header
                              "!!Order!!,Call,Name\n" +  // the header
                              "K6XX,\"BOB\n" +           // quote left open
                              ",NOCALL\n" +              // no call
                              "K6-X,BAD\n" +             // not a call
                              "N6TR,TR\x01\n" +          // a control character
                              "W1AW,HIRAM\n";
    const CallHistory history = CallHistory::fromBytes(bytes);
    EXPECT_EQ(history.skippedLines(), 5);
    EXPECT_EQ(history.size(), 1U);
    EXPECT_EQ(history.field("W1AW", "NAME"), "HIRAM");
}

TEST(CallDataFiles, OneNoticeForAMissingOrDamagedFile) {
    TempDir dir;
    dir.write("MASTER.SCP", "# list\nK1AR\nK 1AR\nN6TR\nK?\n");
    dir.write("good.txt", "!!Order!!,Call,Name\nK6XX,BOB\n");
    dir.write("bad.txt", "!!Order!!,Call,Name\nK6XX,\"BOB\n");

    const auto scp = loadScpDatabase(dir.file("MASTER.SCP"));
    ASSERT_TRUE(scp.data && scp.notice);
    EXPECT_EQ(scp.data->size(), 2U);
    EXPECT_EQ(scp.notice->title, "Check Partial");
    EXPECT_EQ(scp.notice->text, "2 lines of the check-partial database " + dir.file("MASTER.SCP") +
                                    " could not be read and were left out.");
    const auto missing = loadScpDatabase(dir.file("NONE.SCP"));
    EXPECT_FALSE(missing.data);
    ASSERT_TRUE(missing.notice);
    EXPECT_EQ(missing.notice->text, "The check-partial database " + dir.file("NONE.SCP") +
                                        " could not be read.  The logger goes on without "
                                        "check partial.");
    const auto off = loadScpDatabase("none");
    EXPECT_FALSE(off.data || off.notice);

    const auto good = loadCallHistory(dir.file("good.txt"));
    EXPECT_TRUE(good.data && !good.notice);
    const auto bad = loadCallHistory(dir.file("bad.txt"));
    ASSERT_TRUE(bad.data && bad.notice);
    EXPECT_EQ(bad.notice->title, "Call History");
    EXPECT_EQ(bad.notice->text, "1 line of the call history file " + dir.file("bad.txt") +
                                    " could not be read and was left out.");
    const auto gone = loadCallHistory(dir.file("gone.txt"));
    ASSERT_TRUE(gone.notice);
    EXPECT_EQ(gone.notice->text, "The call history file " + dir.file("gone.txt") +
                                     " could not be read.  The logger goes on without the "
                                     "call history.");
    EXPECT_FALSE(loadCallHistory("").notice);
}

}  // namespace
}  // namespace keslog::test
