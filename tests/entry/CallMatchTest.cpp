#include "EntryFixture.h"
#include "entry/CallMatch.h"

namespace keslog::test {
namespace {

using namespace bm;

void logCalls(MainMod& state, const std::vector<std::pair<std::string, int>>& qsos) {
    for (const auto& [call, bandMode] : qsos) {
        QSORecName q;
        q.QCall = call;
        q.QBandMode = static_cast<BandModeCode>(bandMode);
        ASSERT_TRUE(addLoggedQso(state, q).isOk());
    }
}

class PartialMatches : public ::testing::Test {
  protected:
    void SetUp() override {
        logCalls(state, {{"K6XX", CW20},
                         {"K6ABC", CW40},
                         {"K7AA", CW20},
                         {"K6AB", CW20},
                         {"W6AB", CW20},
                         {"K6AB", CW80}});
        state.CurrentBandMode = CW20;
    }
    MainMod state = newLog(contest::Cqww, true, {.usa = true});
};

TEST_F(PartialMatches, ThisBandAndOtherBandsInCallOrder) {
    struct Case {
        std::string typed;
        std::string label1;
        std::string label2;
    };
    const std::vector<Case> cases{
        {"K6", "This band: K6AB K6XX ", "Other bands: K6AB K6ABC "},
        {"K6A", "This band: K6AB ", "Other bands: K6AB K6ABC "},
        {"K6ABC", "", "Other bands: K6ABC "},
        {"K", "This band: K6AB K6XX K7AA ", "Other bands: K6AB K6ABC "},
        {"Q", "", ""},
        {"", "", ""},
        {"W6AB", "This band: W6AB ", ""},
    };
    for (const Case& c : cases) {
        const CallMatchLabels labels = partialMatches(state, c.typed);
        EXPECT_EQ(labels.CallMatchLabel1, c.label1) << c.typed;
        EXPECT_EQ(labels.CallMatchLabel2, c.label2) << c.typed;
        EXPECT_EQ(labels.OldCallMatchLabel, "") << c.typed;
    }
}

TEST_F(PartialMatches, MixedModeLabels) {
    MainMod cqp = newLog(contest::Cqp);
    logCalls(cqp, {{"K6AAA", CW20}, {"K6AAB", PH20}});
    cqp.CurrentBandMode = CW20;
    const CallMatchLabels labels = partialMatches(cqp, "K6AA");
    EXPECT_EQ(labels.CallMatchLabel1, "This bd/md: K6AAA ");
    EXPECT_EQ(labels.CallMatchLabel2, "Other bd/mds: K6AAB ");
}

TEST_F(PartialMatches, LooksAtMostAHundredAndOneLogEntries) {
    MainMod big = newLog(contest::Cqww, true, {.usa = true});
    std::vector<std::pair<std::string, int>> calls;
    for (int n = 100; n < 250; ++n) calls.emplace_back("K6" + std::to_string(n), CW20);
    logCalls(big, calls);
    big.CurrentBandMode = CW20;
    const std::string label = partialMatches(big, "K6").CallMatchLabel1;
    EXPECT_EQ(std::count(label.begin(), label.end(), ' '), 2 + 101);
    EXPECT_EQ(label.substr(0, 21), "This band: K6100 K610");
    EXPECT_NE(label.find("K6200 "), std::string::npos);
    EXPECT_EQ(label.find("K6201"), std::string::npos);
}

TEST_F(PartialMatches, FormerLogsShowUpToSixCallsFromTheirPlace) {
    std::vector<OldCall> rows;
    for (const char* call :
         {"K6AAH", "K6AAA", "K6AAC", "K6AAB", "K6AAD", "K6AAE", "K6AAF", "K6AAG", "K5ZZZ", "K6AB"})
        rows.push_back({call, "WW3"});
    loadOldCalls(state.lookbackCalls, rows);
    EXPECT_EQ(partialMatches(state, "K6AA").OldCallMatchLabel,
              "Old logs:  K6AAA K6AAB K6AAC K6AAD K6AAE K6AAF");
    EXPECT_EQ(partialMatches(state, "K6AAG").OldCallMatchLabel, "Old logs:  K6AAG");
    EXPECT_EQ(partialMatches(state, "K6B").OldCallMatchLabel, "");
    // Both lists at once.
    EXPECT_EQ(partialMatches(state, "K6AB").CallMatchLabel1, "This band: K6AB ");
    EXPECT_EQ(partialMatches(state, "K6AB").OldCallMatchLabel, "Old logs:  K6AB");
}

TEST_F(PartialMatches, KeystrokeShowsTheMatchesEvenOfACallWorkedBefore) {
    CallBoxView view = callTyped(state, "K6AB");
    EXPECT_EQ(view.matches.CallMatchLabel1, "This band: K6AB ");
    EXPECT_EQ(view.matches.CallMatchLabel2, "Other bands: K6AB K6ABC ");
    EXPECT_EQ(view.countryNr, 1);

    view = callTyped(state, "K6A");
    EXPECT_EQ(view.matches.CallMatchLabel1, "This band: K6AB ");
    view = callTyped(state, "JA1");
    EXPECT_EQ(view.countryNr, 7);
    EXPECT_FALSE(view.prefixNeeded);
}

// The former list held 4001 calls; a list of the public call database is
// far longer.
TEST(LookbackCalls, HoldsFarMoreThanFourThousandCalls) {
    MainMod state = newLog(contest::Cqww, true, {.usa = true});
    std::vector<OldCall> rows;
    for (int n = 0; n < 20000; ++n) rows.push_back({"W" + std::to_string(n) + "X", "WW5"});
    loadOldCalls(state.lookbackCalls, std::move(rows));
    EXPECT_EQ(state.lookbackCalls.rows.size(), 20000U);
    EXPECT_EQ(partialMatches(state, "W19999").OldCallMatchLabel, "Old logs:  W19999X");
}

TEST(LookbackCalls, EachCallOnceInOrder) {
    LookbackCalls list;
    addOldCalls(list, {{"W1AW", "AR100"}, {"K1AR", "AR1000"}, {"W1AW", "WW5"}});
    // A later log adds its new calls; calls listed before keep their exchange.
    addOldCalls(list, {{"N1MM", "WW5"}, {"K1AR", "WW4"}, {"AA1A", "WW5"}, {"ZZ9Z", "WW5"}});
    EXPECT_EQ(list.rows, (std::vector<OldCall>{{"AA1A", "WW5"},
                                               {"K1AR", "AR1000"},
                                               {"N1MM", "WW5"},
                                               {"W1AW", "AR100"},
                                               {"ZZ9Z", "WW5"}}));
    EXPECT_FALSE(list.loaded);

    loadOldCalls(list, {{"W1AW", "SS1"}, {"DL1ABC", "WW14"}, {"W1AW", "SS2"}});
    EXPECT_EQ(list.rows, (std::vector<OldCall>{{"DL1ABC", "WW14"}, {"W1AW", "SS1"}}));
    EXPECT_TRUE(list.loaded);
}

TEST_F(PartialMatches, CurrentLogSwitchedOffLeavesTheFormerLogs) {
    loadOldCalls(state.lookbackCalls, {{"K6AAA", "WW3"}});
    state.matchCurrentLog = false;
    const CallMatchLabels labels = partialMatches(state, "K6");
    EXPECT_EQ(labels.CallMatchLabel1, "");
    EXPECT_EQ(labels.CallMatchLabel2, "");
    EXPECT_EQ(labels.OldCallMatchLabel, "Old logs:  K6AAA");
}

// What the exchange box is given when it gets the focus.
TEST(ExchangePrefill, FromTheLastContactOrTheFormerLogs) {
    struct Case {
        ContestNr contest;
        std::vector<LoggedQso> log;
        std::vector<OldCall> old;
        std::string call;
        std::string box;
        std::optional<std::string> prefill;
    };
    const std::vector<Case> cases{
        // From this log's last contact with the call.
        {contest::ArrlDx,
         {{"DL1ABC", CW20, 100, {}, "", false, "DL", "3", 1},
          {"DL1ABC", CW40, 400, {}, "", false, "DL", "3", 1}},
         {},
         "DL1ABC",
         "",
         " 400"},
        {contest::Aa,
         {{"JA1XYZ", CW20, 35, {}, "", false, "JA1", "1", 1}},
         {},
         "JA1XYZ",
         "",
         " 35"},
        {contest::Cqp,
         {{"K6AAA", CW20, 1, mult("SCLA"), "", false, " 43", "3", 1}},
         {},
         "K6AAA",
         "",
         " SCLA"},
        {contest::Paqp,
         {{"W3AAA", CW20, 1, mult("ALL"), "", false, " 2", "3", 1}},
         {},
         "W3AAA",
         "",
         " ALL"},
        {contest::Sprint,
         {{"K6XX", CW20, 1, mult("CA"), "BOB", false, " 5", "1", 1}},
         {},
         "K6XX",
         "",
         "  BOB CA"},
        {contest::Sprint,
         {{"K6XX", CW20, 1, mult("ZZ"), "BOB", false, "ZZ", "1", 0}},
         {},
         "K6XX",
         "",
         "  BOB ZZ"},
        {contest::Naqp,
         {{"K6XX", CW20, 0, mult("CA"), "BOB", false, " 27", "1", 1}},
         {{"K6XX", "NAROB27"}},
         "K6XX",
         "",
         std::nullopt},
        // Not when the box begins with a digit, nor in CQWW.
        {contest::ArrlDx,
         {{"DL1ABC", CW20, 100, {}, "", false, "DL", "3", 1}},
         {},
         "DL1ABC",
         "5",
         std::nullopt},
        {contest::ArrlDx,
         {{"DL1ABC", CW20, 100, {}, "", false, "DL", "3", 1}},
         {},
         "DL1ABC",
         "K",
         " 100"},
        {contest::Cqww, {}, {{"DL1ABC", "WW14"}}, "DL1ABC", "", std::nullopt},
        // From the former logs, only rows of this contest.
        {contest::ArrlDx, {}, {{"DL1ABC", "AR100"}}, "DL1ABC", "", " 100"},
        {contest::ArrlDx, {}, {{"DL1ABC", "WW14"}}, "DL1ABC", "", std::nullopt},
        {contest::ArrlDx, {}, {{"DL1ABC", "AR100"}}, "DL1ABD", "", std::nullopt},
        {contest::Cqp, {}, {{"K6AAA", "CQ43"}}, "K6AAA", "", " SCLA"},
        {contest::Cqp, {}, {{"K6AAA", "CQ99"}}, "K6AAA", "", " 99"},
        {contest::Sprint, {}, {{"K6XX", "SPBOB05"}}, "K6XX", "", "  BOB CA"},
        {contest::Sprint, {}, {{"K6XX", "SPBOB99"}}, "K6XX", "", std::nullopt},
        {contest::Ss, {}, {{"W1AW", "SSA72EM"}}, "W1AW", "", " EMA"},
        {contest::Paqp, {}, {{"W3AAA", "PA51"}}, "W3AAA", "", " PHI"},
        {contest::Naqp, {}, {{"K6XX", "NABOB27"}}, "K6XX", "", "BOB CA"},
        {contest::Aa, {}, {{"JA1XYZ", "AA35"}}, "JA1XYZ", "", " 35"},
        {contest::Wpx, {}, {{"DL1ABC", "WP"}}, "DL1ABC", "", std::nullopt},
        {contest::Sprint, {}, {{"K6XX", "S"}}, "K6XX", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.contest) + " " + c.call + " '" + c.box + "'");
        MainMod state = newLog(c.contest, true, {.usa = true});
        logQsos(state, c.log);
        if (!c.old.empty()) loadOldCalls(state.lookbackCalls, c.old);
        EXPECT_EQ(exchangePrefill(state, c.call, c.box), c.prefill);
    }
}

TEST(ExchangePrefill, UnloadedFormerLogsAreNotSearched) {
    MainMod state = newLog(contest::ArrlDx);
    addOldCalls(state.lookbackCalls, {{"DL1ABC", "AR100"}});
    EXPECT_EQ(exchangePrefill(state, "DL1ABC", ""), std::nullopt);
}

}  // namespace
}  // namespace keslog::test
