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

// The searches as typed, their hits and refusals: golden session
// PartialSearch.
TEST_F(PartialWindow, ACountyRefusedIsAStop) {
    partial.searchCounty("XYZ");
    ASSERT_EQ(platform.messageBox.shown.size(), 1U);
    EXPECT_EQ(platform.messageBox.shown[0].icon, MsgIcon::Stop);
}

}  // namespace
}  // namespace keslog::test
