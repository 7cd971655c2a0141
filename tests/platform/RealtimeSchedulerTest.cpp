#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "platform/linux/RealtimeScheduler.h"

namespace keslog {
namespace {

constexpr KeyTime kMs = 1'000'000;

struct Recorder {
    std::mutex mutex;
    std::vector<std::pair<KeyTime, bool>> edges;
};

TEST(RealtimeScheduler, RunsEdgesInOrderNotBeforeTheirTime) {
    Recorder recorder;
    int pumps = 0;
    RealtimeKeyingScheduler scheduler([&] { ++pumps; });
    scheduler.setEdgeHandler([&](bool down) {
        std::lock_guard lock(recorder.mutex);
        recorder.edges.emplace_back(scheduler.now(), down);
    });
    const KeyTime t0 = scheduler.startTime();
    EXPECT_GE(t0, scheduler.now());
    scheduler.schedule(t0, true);
    scheduler.schedule(t0 + 20 * kMs, false);
    scheduler.awaitTurn(t0 + 40 * kMs);
    EXPECT_LT(scheduler.now(), t0 + 40 * kMs);  // returns before the edge is due
    scheduler.schedule(t0 + 40 * kMs, true);
    scheduler.schedule(t0 + 50 * kMs, false);
    scheduler.finish(t0 + 60 * kMs);
    EXPECT_GE(scheduler.now(), t0 + 60 * kMs);

    std::lock_guard lock(recorder.mutex);
    ASSERT_EQ(recorder.edges.size(), 4U);
    const KeyTime due[] = {t0, t0 + 20 * kMs, t0 + 40 * kMs, t0 + 50 * kMs};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_GE(recorder.edges[i].first, due[i]);
        EXPECT_EQ(recorder.edges[i].second, i % 2 == 0);
    }
    EXPECT_GT(pumps, 0);  // the window was kept alive while waiting
}

TEST(RealtimeScheduler, PendingEdgesRunAtOnceWhenItGoes) {
    std::vector<bool> edges;
    KeyTime start = 0;
    KeyTime end = 0;
    {
        RealtimeKeyingScheduler scheduler(nullptr);
        scheduler.setEdgeHandler([&](bool down) { edges.push_back(down); });
        start = scheduler.now();
        scheduler.schedule(start + 2 * kMs, true);
        scheduler.schedule(start + 60'000 * kMs, false);  // a minute away
    }
    RealtimeKeyingScheduler clock(nullptr);
    end = clock.now();
    EXPECT_EQ(edges, (std::vector<bool>{true, false}));  // the key is not left down
    EXPECT_LT(end - start, 10'000 * kMs);                // and nobody waited a minute
}

}  // namespace
}  // namespace keslog
