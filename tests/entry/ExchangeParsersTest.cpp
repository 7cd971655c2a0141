#include <gtest/gtest.h>

#include "entry/ExchangeParsers.h"
#include "storage/DataFile.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

// The shipped multiplier lists, as a station inside or outside California
// gets them.
MultTables shippedMults(bool inCalifornia) {
    ReferenceData data;
    EXPECT_TRUE(ReadDataFile(test::shippedFile("KESLOG90.DAT"), data));
    MultTables mults;
    ExpandMultTables(data, inCalifornia, mults);
    return mults;
}

struct Refused {
    const char* box;
    const char* message;
    const char* title;
    int selStart, selLength;
};

void expectRefusals(const ExchangeRules& rules, std::initializer_list<Refused> cases) {
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.box);
        const ExchangeCheck check = checkExchange(rules, c.box);
        ASSERT_FALSE(check.accepted());
        EXPECT_EQ(check.refusal.message, c.message);
        EXPECT_EQ(check.refusal.title, c.title);
        EXPECT_EQ(check.refusal.selStart, c.selStart);
        EXPECT_EQ(check.refusal.selLength, c.selLength);
    }
}

TEST(NumericExchanges, ValuesInsideTheirRangesAreReceived) {
    struct Case {
        ContestNr contest;
        const char* box;
        int received;
    };
    const Case cases[] = {
        {contest::ArrlDx, "KW", 1000}, {contest::ArrlDx, "k", 1000},
        {contest::ArrlDx, "100", 100}, {contest::ArrlDx, "0", 0},
        {contest::ArrlDx, "5W", 5},    {contest::ArrlDx, "9999", 9999},
        {contest::ArrlDx, "2.5", 2},   {contest::Cqww, "40", 40},
        {contest::Cqww, " 5 ", 5},     {contest::Cqww, "1", 1},
        {contest::Wpx, "1", 1},        {contest::Wpx, "0123", 123},
        {contest::Aa, "00", 0},        {contest::Aa, "99", 99},
        {contest::Aa, "35", 35},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const ExchangeCheck check = checkExchange({c.contest, false, nullptr}, c.box);
        ASSERT_TRUE(check.accepted());
        EXPECT_EQ(check.parsed->received, c.received);
    }
}

TEST(NumericExchanges, OutOfRangeSelectsTheWholeBox) {
    expectRefusals({contest::ArrlDx, false, nullptr},
                   {{"-5", "Enter Power between 0 and 9999.", "Must Enter Rcvd Power", 0, 2},
                    {"", "Enter Power between 0 and 9999.", "Must Enter Rcvd Power", 0, 0},
                    {"10000", "Enter Power between 0 and 9999.", "Must Enter Rcvd Power", 0, 5}});
    expectRefusals({contest::Cqww, false, nullptr},
                   {{"0", "Enter zone between 1 and 40.", "Must Enter Rcvd Zone", 0, 1},
                    {"41", "Enter zone between 1 and 40.", "Must Enter Rcvd Zone", 0, 2},
                    {"", "Enter zone between 1 and 40.", "Must Enter Rcvd Zone", 0, 0}});
    expectRefusals({contest::Wpx, false, nullptr},
                   {{"", "Number must be between 1 and 9999.", "Invalid Entry", 0, 0},
                    {"ABC", "Number must be between 1 and 9999.", "Invalid Entry", 0, 3},
                    {"10000", "Number must be between 1 and 9999.", "Invalid Entry", 0, 5}});
    expectRefusals(
        {contest::Aa, false, nullptr},
        {{"100", "Enter two-digit age between 00 and 99.", "Must Enter Received Age", 0, 3},
         {"", "Enter two-digit age between 00 and 99.", "Must Enter Received Age", 0, 0}});
}

TEST(CountyExchanges, SerialThenCountyOrRefused) {
    const MultTables outside = shippedMults(false);
    const MultTables inside = shippedMults(true);
    struct Case {
        ContestNr contest;
        const char* box;
        int received;
        const char* mult;
        bool slash = false;
        bool inCalifornia = false;  // any county text is taken
    };
    const Case cases[] = {
        {contest::Cqp, "12 SCLA", 12, "SCLA"},
        {contest::Cqp, "12scla", 12, "SCLA"},
        {contest::Cqp, "5 SCLA/", 5, "SCLA", true},
        {contest::Paqp, "3 ALL", 3, "ALL"},
        // A four-digit serial leaves the fifth to the county.
        {contest::Cqp, "12345SCLA", 1234, "5SCLA", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const ExchangeCheck check =
            checkExchange({c.contest, c.inCalifornia, c.inCalifornia ? &inside : &outside}, c.box);
        ASSERT_TRUE(check.accepted());
        EXPECT_EQ(check.parsed->received, c.received);
        EXPECT_EQ(check.parsed->multText, c.mult);
        EXPECT_EQ(check.parsed->endsInSlash, c.slash);
    }

    expectRefusals({contest::Cqp, false, &outside},
                   {{"SCLA 12", "Exchange must begin with a number", "Exchange Error", 0, 1},
                    {"  x12", "Exchange must begin with a number", "Exchange Error", 2, 1},
                    {"12 XXXX", "Multiplier is Invalid.", "Exchange Error", 3, 4},
                    {"12", "Multiplier is Invalid.", "Exchange Error", 2, 0},
                    {"", "Incomplete Exchange", "Exchange Error", 0, 0},
                    // A full county name is a form, but the text is cut to 5 first.
                    {"7 SANTA CLARA", "Multiplier is Invalid.", "Exchange Error", 2, 11}});
    expectRefusals({contest::Paqp, false, &outside},
                   {{"3 SCLA", "Multiplier is Invalid.", "Exchange Error", 2, 4}});
    // In California any text goes, but not none.
    expectRefusals({contest::Cqp, true, &inside},
                   {{"12", "Multiplier is Invalid.", "Exchange Error", 2, 0}});
}

TEST(NameExchanges, SprintNumberNameAndMultiplierNaqpNameAndMultiplier) {
    struct Case {
        ContestNr contest;
        const char* box;
        int received;
        const char* name;
        const char* mult;
    };
    const Case cases[] = {
        {contest::Sprint, "123 BOB CA", 123, "BOB", "CA"},
        {contest::Sprint, "123BOBCA", 123, "BOB", "CA"},
        {contest::Sprint, "1 bob  ca", 1, "BOB", "CA"},
        {contest::Sprint, "12 BARTHOLOMEWS CA", 12, "BARTHOLOME", "CA"},
        {contest::Sprint, "5 TREE MARITIME", 5, "TREE", "MARIT"},
        {contest::Sprint, "77 AL VE3", 77, "AL", "VE3"},
        {contest::Naqp, " bob ca ", 0, "BOB", "CA"},
        {contest::Naqp, "MAXIMILIANUS ONT", 0, "MAXIMILIAN", "ONT"},
        {contest::Naqp, "BOB MARITIME", 0, "BOB", "MARIT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const ExchangeCheck check = checkExchange({c.contest, false, nullptr}, c.box);
        ASSERT_TRUE(check.accepted());
        EXPECT_EQ(check.parsed->received, c.received);
        EXPECT_EQ(check.parsed->name, c.name);
        EXPECT_EQ(check.parsed->multText, c.mult);
    }
    expectRefusals({contest::Sprint, false, nullptr},
                   {{"BOB 123 CA", "Exchange must begin with a number", "Exchange Error", 0, 1},
                    {"123", "Incomplete Exchange", "Exchange Error", 3, 0},
                    {"123 B", "Incomplete Exchange", "Exchange Error", 4, 1}});
    expectRefusals({contest::Naqp, false, nullptr},
                   {{"", "No Exchange", "Exchange Error", 0, 0},
                    {"   ", "No Exchange", "Exchange Error", 0, 0},
                    {"BOB", "Incomplete Exchange", "Exchange Error", 0, 3},
                    {"BOB N CA", "Exchange Error", "Exchange Error", 4, 4}});
}

TEST(SsExchanges, SerialPrecedenceCallCheckSectionOrRefused) {
    const MultTables mults = shippedMults(false);
    struct Case {
        const char* box;
        int received;
        char precedence;
        const char* check;
        const char* section;
        const char* call;
    };
    const Case cases[] = {
        {"123 A 99 SF", 123, 'A', "99", "SF", ""},
        {"123A99SF", 123, 'A', "99", "SF", ""},
        {"1 b 63 eny", 1, 'B', "63", "ENY", ""},
        {"45U N6TR 71 SF", 45, 'U', "71", "SF", "N6TR"},
        {"45U K6X 71 SF", 45, 'U', "71", "SF", ""},  // three characters are no call
        {"12 Q W6/N6TR 88 SFL", 12, 'Q', "88", "SFL", "W6/N6TR"},
        {"/12 Q 88 SF/", 12, 'Q', "88", "SF", ""},  // a "/" at either end is dropped
        {"12 Q 88/ SF", 12, 'Q', "88", "SF", ""},   // and in the last four characters
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const ExchangeCheck check = checkExchange({contest::Ss, false, &mults}, c.box);
        ASSERT_TRUE(check.accepted()) << check.refusal.message;
        EXPECT_EQ(check.parsed->received, c.received);
        EXPECT_EQ(check.parsed->precedence, c.precedence);
        EXPECT_EQ(check.parsed->check, c.check);
        EXPECT_EQ(check.parsed->section, c.section);
        EXPECT_GT(check.parsed->sectionRow, 0);
        EXPECT_EQ(check.parsed->call, c.call);
    }

    expectRefusals(
        {contest::Ss, false, &mults},
        {{"A 123 99 SF", "Exchange must begin with a number", "Exchange Error", 0, 1},
         {"123", "Incomplete Exchange", "Exchange Error", 3, 0},
         {"123X99SF", "Precedence Error -- Must be A, B, M, Q, S, or U", "Exchange Error", 3, 1},
         {"123A9SF", "Multiplier or Check Error", "Exchange Error", 4, 3},
         {"123A999X", "Multiplier error", "Exchange Error", 7, 1},
         // A digit last belongs to the section: "S9" is looked up and not found.
         {"123A99S9", "Multiplier is Invalid.", "Exchange Error", 6, 2},
         // Letters before the section are read into it.
         {"123 A 9X SF", "Multiplier is Invalid.", "Exchange Error", 7, 4},
         {"123A99XX", "Multiplier is Invalid.", "Exchange Error", 6, 2},
         {"123 A K6/ 9 SF", "Check Error", "Exchange Error", 8, 3},
         {"123A9ENY", "Check error", "Exchange Error", 4, 0},
         {"", "Incomplete Exchange", "Exchange Error", 0, 0}});
}

// Multipliers are looked up when the QSO is scored: a text without a letter,
// or a Sprint multiplier without a name, is taken as typed.
TEST(ExchangeMultipliers, AnyTextIsTakenWhereNoTableIsAsked) {
    const MultTables inside = shippedMults(true);
    struct Case {
        ExchangeRules rules;
        const char* box;
        const char* name;
        const char* mult;
    };
    const Case cases[] = {
        {{contest::Cqp, true, &inside}, "12 16", "", "16"},
        {{contest::Sprint, false, nullptr}, "5 CA", "", "CA"},
        {{contest::Sprint, false, nullptr}, "5 BOB 12", "BOB", "12"},
        {{contest::Naqp, false, nullptr}, "BOB 12", "BOB", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        const ExchangeCheck check = checkExchange(c.rules, c.box);
        ASSERT_TRUE(check.accepted());
        EXPECT_EQ(check.parsed->name, c.name);
        EXPECT_EQ(check.parsed->multText, c.mult);
    }
}

}  // namespace
}  // namespace keslog
