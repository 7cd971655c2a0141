#include "EntryFixture.h"
#include "EntryRig.h"
#include "callsign/CallHistory.h"
#include "callsign/CheckPartial.h"
#include "entry/CallMatch.h"

namespace keslog::test {
namespace {

using namespace bm;

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

TEST_F(PartialMatches, ThisBandAndOtherBandsInCallOrderOrBandModes) {
    struct Case {
        std::string typed, label1, label2;
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
    // The current log switched off leaves the former logs.
    state.matchCurrentLog = false;
    EXPECT_EQ(partialMatches(state, "K6AB").CallMatchLabel1, "");
    EXPECT_EQ(partialMatches(state, "K6").CallMatchLabel2, "");
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
TEST(LookbackCalls, HoldFarMoreThanFourThousandCallsEachOnceInOrder) {
    MainMod state = newLog(contest::Cqww, true, {.usa = true});
    std::vector<OldCall> rows;
    for (int n = 0; n < 20000; ++n) rows.push_back({"W" + std::to_string(n) + "X", "WW5"});
    loadOldCalls(state.lookbackCalls, std::move(rows));
    EXPECT_EQ(state.lookbackCalls.rows.size(), 20000U);
    EXPECT_EQ(partialMatches(state, "W19999").OldCallMatchLabel, "Old logs:  W19999X");

    // Each call once, in order.
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

struct PrefillCase {
    ContestNr contest;
    std::string call, box;
    std::optional<std::string> prefill;
    std::vector<LoggedQso> log{};
    std::vector<OldCall> old{};
};

// A new log of the case's contest with its QSOs and former-logs list.
MainMod prefillState(const PrefillCase& c) {
    MainMod state = newLog(c.contest, true, {.usa = true});
    logQsos(state, c.log);
    if (!c.old.empty()) loadOldCalls(state.lookbackCalls, c.old);
    return state;
}

// What the exchange box is given when it gets the focus.
TEST(ExchangePrefill, FromTheLastContactOrTheFormerLogs) {
    const std::optional<std::string> none;
    using Case = PrefillCase;
    const LoggedQso dl{"DL1ABC", CW20, 100, "DL", "3", 1};
    const LoggedQso k6xx{"K6XX", CW20, 1, " 5", "1", 1, mult("CA"), "BOB"};
    const LoggedQso k6zz{"K6XX", CW20, 1, "ZZ", "1", 0, mult("ZZ"), "BOB"};
    const LoggedQso naqp{"K6XX", CW20, 0, " 27", "1", 1, mult("CA"), "BOB"};
    const std::vector<Case> cases{
        // From this log's last contact with the call.
        {contest::ArrlDx, "DL1ABC", "", " 400", {dl, {"DL1ABC", CW40, 400, "DL", "3", 1}}},
        {contest::Aa, "JA1XYZ", "", " 35", {{"JA1XYZ", CW20, 35, "JA1", "1", 1}}},
        {contest::Cqp, "K6AAA", "", " SCLA", {{"K6AAA", CW20, 1, " 43", "3", 1, mult("SCLA")}}},
        {contest::Paqp, "W3AAA", "", " ALL", {{"W3AAA", CW20, 1, " 2", "3", 1, mult("ALL")}}},
        {contest::Sprint, "K6XX", "", "  BOB CA", {k6xx}},
        {contest::Sprint, "K6XX", "", "  BOB ZZ", {k6zz}},
        {contest::Naqp, "K6XX", "", none, {naqp}, {{"K6XX", "NAROB27"}}},
        // Not when the box begins with a digit, nor in CQWW.
        {contest::ArrlDx, "DL1ABC", "5", none, {dl}},
        {contest::ArrlDx, "DL1ABC", "K", " 100", {dl}},
        {contest::Cqww, "DL1ABC", "", none, {}, {{"DL1ABC", "WW14"}}},
        // From the former logs, only rows of this contest.
        {contest::ArrlDx, "DL1ABC", "", " 100", {}, {{"DL1ABC", "AR100"}}},
        {contest::ArrlDx, "DL1ABC", "", none, {}, {{"DL1ABC", "WW14"}}},
        {contest::ArrlDx, "DL1ABD", "", none, {}, {{"DL1ABC", "AR100"}}},
        {contest::Cqp, "K6AAA", "", " SCLA", {}, {{"K6AAA", "CQ43"}}},
        {contest::Cqp, "K6AAA", "", " 99", {}, {{"K6AAA", "CQ99"}}},
        {contest::Sprint, "K6XX", "", "  BOB CA", {}, {{"K6XX", "SPBOB05"}}},
        {contest::Sprint, "K6XX", "", none, {}, {{"K6XX", "SPBOB99"}}},
        {contest::Ss, "W1AW", "", " EMA", {}, {{"W1AW", "SSA72EM"}}},
        {contest::Paqp, "W3AAA", "", " PHI", {}, {{"W3AAA", "PA51"}}},
        {contest::Naqp, "K6XX", "", "BOB CA", {}, {{"K6XX", "NABOB27"}}},
        {contest::Aa, "JA1XYZ", "", " 35", {}, {{"JA1XYZ", "AA35"}}},
        {contest::Wpx, "DL1ABC", "", none, {}, {{"DL1ABC", "WP"}}},
        {contest::Sprint, "K6XX", "", none, {}, {{"K6XX", "S"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.contest) + " " + c.call + " '" + c.box + "'");
        EXPECT_EQ(exchangePrefill(prefillState(c), c.call, c.box), c.prefill);
    }
    // Former logs not yet loaded are not searched.
    MainMod state = newLog(contest::ArrlDx);
    addOldCalls(state.lookbackCalls, {{"DL1ABC", "AR100"}});
    EXPECT_EQ(exchangePrefill(state, "DL1ABC", ""), none);
}

// The history fills only an empty box, and only for a call that neither
// this log nor the former logs know for the contest.
TEST(HistoryPrefill, NeverOverTypedTextNorWhatTheLogsKnow) {
    const std::optional<std::string> none;
    const std::vector<PrefillCase> cases{
        {contest::Naqp, "K6XX", "", "BOB CA"},
        {contest::Naqp, "K6XX", "  ", "BOB CA"},
        {contest::Naqp, "K6XX", "B", none},  // typed text stays
        {contest::Naqp, "K6XX", "1", none},
        {contest::Naqp, "W1AW", "", none},  // not in the history
        {contest::Naqp, "K6XX", "", none, {{"K6XX", CW40, 0, " 27", "1", 1, mult("CA"), "ROB"}}},
        {contest::Naqp, "K6XX", "", none, {}, {{"K6XX", "NAROB27"}}},      // the former logs know
        {contest::Naqp, "K6XX", "", "BOB CA", {}, {{"K6XX", "SPROB27"}}},  // another contest's
        {contest::Cqww, "DL1ABC", "", "14"},
    };
    const auto history = std::make_shared<const CallHistory>(CallHistory::fromBytes(
        "!!Order!!,Call,Name,State,CQZone\nK6XX,BOB,CA,3\nDL1ABC,HANS,,14\n"));
    for (const PrefillCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.contest) + " " + c.call + " '" + c.box + "'");
        MainMod state = prefillState(c);
        state.callHistory = history;
        EXPECT_EQ(historyPrefill(state, c.call, c.box), c.prefill);
    }
}

// Typing shows the database calls in the partial window, those of this log
// marked; a logged call the database lacks gets the hint; the exchange box
// gets the history's exchange selected.
TEST(CheckPartial, ThroughTheEntryLine) {
    EntryRig rig(contest::Naqp);
    rig.state.scp = std::make_shared<const ScpDatabase>(
        ScpDatabase::fromBytes("K6XX\nK6XXX\nAK6XX\nN6TR\nK6XY\n"));
    rig.state.callHistory = std::make_shared<const CallHistory>(
        CallHistory::fromBytes("!!Order!!,Call,Name,State\nN6TR,TREE,OR\n"));
    rig.type("K6XY\tBOB CA\n");
    EXPECT_FALSE(rig.entry.view().lastQso.ends_with("not in SCP"));
    rig.type("K6XQ\tBOB CA\n");
    EXPECT_TRUE(rig.entry.view().lastQso.ends_with("  not in SCP"));

    rig.type("K6X");
    const ScpMatches shown = rig.entry.partial().view().scp;
    EXPECT_EQ(
        shown.partial,
        (std::vector<ScpHit>{{"K6XX", false}, {"K6XXX", false}, {"K6XY", true}, {"AK6XX", false}}));
    EXPECT_TRUE(shown.oneOff.empty());
    EXPECT_TRUE(rig.entry.partial().view().visible);
    rig.type("Z");  // K6XZ: one off K6XX and the logged K6XY
    EXPECT_EQ(rig.entry.partial().view().scp.oneOff,
              (std::vector<ScpHit>{{"K6XX", false}, {"K6XY", true}}));
    rig.key(EntryKey::Escape);
    EXPECT_FALSE(rig.entry.partial().view().visible);

    rig.type("N6TR\t");
    EXPECT_EQ(rig.box(kExchangeBox), "TREE OR");
    EXPECT_EQ(rig.entry.view().InData[kExchangeBox].selLength, 7);
}

}  // namespace
}  // namespace keslog::test
