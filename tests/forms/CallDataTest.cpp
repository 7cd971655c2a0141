#include <gtest/gtest.h>

#include "forms/CallData.h"

namespace keslog {
namespace {

// Reads are asked for when a file setting or the contest changes, and a
// read finishing after its setting changed again is dropped.
TEST(CallDataSync, ReadsFollowTheSettingsAndStaleReadsAreDropped) {
    MainMod state;
    state.settings.ScpFile = "/a.scp";
    state.settings.CallHistoryNAQP = "/naqp.txt";
    CallDataSync sync;
    using enum CallDataKind;
    EXPECT_EQ(sync.due(state), (std::vector<CallDataRequest>{{Scp, "/a.scp"}, {History, ""}}));
    EXPECT_TRUE(sync.due(state).empty());

    state.logOpen = true;
    state.contestNr = contest::Naqp;
    state.settings.ScpFile = "/b.scp";
    EXPECT_EQ(sync.due(state),
              (std::vector<CallDataRequest>{{Scp, "/b.scp"}, {History, "/naqp.txt"}}));

    auto db = std::make_shared<const ScpDatabase>(ScpDatabase::fromBytes("K1AR\n"));
    const MessageRequest notice{"1 line", "Check Partial"};
    EXPECT_FALSE(sync.take(state, {Scp, "/a.scp"}, {db, notice}));  // stale
    EXPECT_EQ(state.scp, nullptr);
    EXPECT_EQ(sync.take(state, {Scp, "/b.scp"}, {db, notice})->text, "1 line");
    EXPECT_EQ(state.scp, db);

    auto history = std::make_shared<const CallHistory>(CallHistory::fromBytes(""));
    EXPECT_FALSE(sync.take(state, {History, "/naqp.txt"}, {history, std::nullopt}));
    EXPECT_EQ(state.callHistory, history);
    state.contestNr = contest::Cqww;  // no history file for CQWW
    EXPECT_EQ(sync.due(state), (std::vector<CallDataRequest>{{History, ""}}));
    sync.take(state, {History, ""}, LoadedCallData<CallHistory>{});
    EXPECT_EQ(state.callHistory, nullptr);
}

}  // namespace
}  // namespace keslog
