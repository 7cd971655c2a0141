#include "EntryFixture.h"
#include "entry/CallMatch.h"
#include "entry/Partial.h"

namespace keslog::test {
namespace {

using namespace bm;

class PartialWindow : public ::testing::Test {
  protected:
    void log(const std::string& call, const std::string& county, int bandMode = CW20) {
        QSORecName q;
        q.QCall = call;
        q.QBandMode = static_cast<BandModeCode>(bandMode);
        setMultAndPoints(state, q, mult(county), false);
        ASSERT_TRUE(addLoggedQso(state, q).isOk());
    }
    std::vector<std::string> hits() const {
        std::vector<std::string> out;
        for (const std::string& label : partial.view().Match)
            if (!label.empty()) out.push_back(label);
        return out;
    }

    MainMod state = newLog(contest::Paqp);
    FakePlatform platform;
    Partial partial{state, platform.messageBox};
};

TEST_F(PartialWindow, CallsThatHoldOrEndWithTheText) {
    log("W3ABC", "ALL");
    log("K3ABX", "ALL");
    log("W3ABC", "ALL", PH20);
    log("N3XAB", "PHI");
    loadOldCalls(state.lookbackCalls, {{"AB1CD", "PA2"}, {"W3ABC", "PA2"}, {"ZZ9AB", "PA1"}});

    partial.searchCalls("AB", PartialSearchKind::Contains);
    EXPECT_TRUE(partial.view().visible);
    // This log first, in log order, each call once; then the former logs.
    EXPECT_EQ(hits(), (std::vector<std::string>{"W3ABC", "K3ABX", "N3XAB", "AB1CD", "ZZ9AB"}));

    partial.searchCalls("AB", PartialSearchKind::EndsWith);
    EXPECT_EQ(hits(), (std::vector<std::string>{"N3XAB", "ZZ9AB"}));
}

TEST_F(PartialWindow, FourteenHitsAtMost) {
    for (int n = 0; n < 20; ++n) log("W3A" + std::string(1, static_cast<char>('A' + n)), "ALL");
    partial.searchCalls("W3A", PartialSearchKind::Contains);
    EXPECT_EQ(hits().size(), 14U);
    EXPECT_EQ(partial.view().Match[13], "W3AN");
    EXPECT_EQ(partial.view().Match[14], "");
}

TEST_F(PartialWindow, NoMatchAndClicks) {
    log("W3ABC", "ALL");
    partial.searchCalls("QQ", PartialSearchKind::Contains);
    EXPECT_EQ(partial.view().Match[0], " No calls");
    EXPECT_EQ(partial.view().Match[1], "found");
    EXPECT_EQ(partial.onMatchClick(0), std::nullopt);  // the no-match text is no call
    EXPECT_TRUE(partial.view().visible);

    partial.searchCalls("3AB", PartialSearchKind::Contains);
    EXPECT_EQ(partial.onMatchClick(1), std::nullopt);  // empty label
    EXPECT_EQ(partial.onMatchClick(99), std::nullopt);
    EXPECT_EQ(partial.onMatchClick(0), "W3ABC");
    EXPECT_FALSE(partial.view().visible);

    partial.searchCalls("3AB", PartialSearchKind::Contains);
    partial.onOk();
    EXPECT_FALSE(partial.view().visible);
    EXPECT_TRUE(hits().empty());
}

TEST_F(PartialWindow, CountySearchListsTheCallsWorkedThereOrRefuses) {
    log("W3ABC", "ALL");
    log("K3XYZ", "PHI");
    log("N3AAA", "ALLEGHENY");
    log("W3ABC", "ALL", PH20);
    partial.searchCounty("ALL");
    EXPECT_EQ(hits(), (std::vector<std::string>{"W3ABC", "N3AAA"}));
    partial.searchCounty("BER");
    EXPECT_EQ(hits(), (std::vector<std::string>{" No calls", "found"}));
    EXPECT_TRUE(platform.messageBox.shown.empty());

    // Anything but a county abbreviation is refused and changes nothing.
    partial.searchCalls("W3", PartialSearchKind::Contains);
    for (const char* text : {"ALLEGHENY", "", "XYZ"}) {
        partial.searchCounty(text);
        ASSERT_FALSE(platform.messageBox.shown.empty());
        const MessageRequest& shown = platform.messageBox.shown.back();
        EXPECT_EQ(shown.text, "Not a valid county abbreviation.");
        EXPECT_EQ(shown.title, "County search error");
        EXPECT_EQ(shown.icon, MsgIcon::Stop);
        EXPECT_EQ(hits(), std::vector<std::string>{"W3ABC"});
    }
}

TEST(PartialCqp, CountiesOfTheStationsLocation) {
    FakePlatform platform;
    MainMod inside = newLog(contest::Cqp, true, {.inState = true});
    logQsos(inside, {{"K6AAA", CW20, 1, "SCLA", "3", 1, mult("SCLA")},
                     {"K6BBB", CW20, 2, " 4", "3", 1, mult("AZ")}});
    Partial partial(inside, platform.messageBox);
    partial.searchCounty("SCLA");
    EXPECT_EQ(partial.view().Match[0], "K6AAA");
    partial.searchCounty("AZ");  // a state, not a county
    EXPECT_EQ(platform.messageBox.shown.size(), 1U);

    MainMod outside = newLog(contest::Cqp);
    logQsos(outside, {{"K6AAA", CW20, 1, " 43", "3", 1, mult("SCLA")}});
    Partial other(outside, platform.messageBox);
    other.searchCounty("SCLA");
    EXPECT_EQ(other.view().Match[0], "K6AAA");
}

}  // namespace
}  // namespace keslog::test
