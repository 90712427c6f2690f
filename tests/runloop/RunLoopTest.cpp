#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/runloop/DispatchQueue.h"
#include "platform/runloop/RunLoop.h"
#include "platform/runloop/Timer.h"

using platform::RunLoop;

namespace {

class RunLoopTest : public ::testing::Test {
protected:
    void SetUp() override { RunLoop::main().reset(); }
    void TearDown() override { RunLoop::main().reset(); }
    RunLoop& loop = RunLoop::main();
};

TEST_F(RunLoopTest, FiresInTimeOrderThenSchedulingOrder) {
    std::vector<int> order;
    loop.schedule(2.0, [&] { order.push_back(3); });
    loop.schedule(1.0, [&] { order.push_back(1); });
    loop.schedule(1.0, [&] { order.push_back(2); });
    loop.post([&] { order.push_back(0); });
    EXPECT_EQ(loop.runFor(1.5), 3u);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_DOUBLE_EQ(loop.now(), 1.5);
    loop.runFor(1.0);
    EXPECT_EQ(order.back(), 3);
}

TEST_F(RunLoopTest, EventsSeeTheirOwnTimeAndCanScheduleMore) {
    std::vector<double> times;
    std::function<void()> tick = [&] {
        times.push_back(loop.now());
        if (times.size() < 3) loop.schedule(0.25, tick);
    };
    loop.schedule(0.5, tick);
    loop.runFor(10);
    EXPECT_EQ(times, (std::vector<double>{0.5, 0.75, 1.0}));
}

TEST_F(RunLoopTest, CancelledEventsDoNotRun) {
    bool ran = false;
    auto id = loop.schedule(1, [&] { ran = true; });
    EXPECT_TRUE(loop.isPending(id));
    loop.cancel(id);
    loop.cancel(id);  // twice is harmless
    loop.runFor(2);
    EXPECT_FALSE(ran);
}

TEST_F(RunLoopTest, WatchdogStopsARunawayLoop) {
    std::function<void()> forever = [&] { loop.post(forever); };
    loop.post(forever);
    EXPECT_EQ(loop.runFor(1, 1000), 1000u);
}

TEST_F(RunLoopTest, RepeatingTimerKeepsItsScheduleUntilInvalidated) {
    std::vector<double> fires;
    auto timer = platform::NSTimer::scheduled(1.0, true, [&](platform::NSTimer& t) {
        fires.push_back(loop.now());
        if (fires.size() == 3) t.invalidate();
    });
    loop.runFor(10);
    EXPECT_EQ(fires, (std::vector<double>{1.0, 2.0, 3.0}));
    EXPECT_FALSE(timer->isValid());
    EXPECT_EQ(loop.pendingCount(), 0u);
}

TEST_F(RunLoopTest, OneShotTimerFiresOnce) {
    int fires = 0;
    auto timer = platform::NSTimer::scheduled(0.5, false, [&](platform::NSTimer&) { ++fires; });
    loop.runFor(5);
    EXPECT_EQ(fires, 1);
    EXPECT_FALSE(timer->isValid());
}

TEST_F(RunLoopTest, PerformAfterDelayCancelsPreviousRequestsOfItsTarget) {
    auto target = std::make_shared<NSObject>();
    auto other = std::make_shared<NSObject>();
    int a = 0, b = 0;
    platform::performAfterDelay(target, 1, [&] { ++a; });
    platform::performAfterDelay(other, 1, [&] { ++b; });
    platform::cancelPreviousPerformRequests(target.get());
    loop.runFor(2);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(b, 1);
}

TEST_F(RunLoopTest, PerformAfterDelayWithAGoneTargetDoesNothing) {
    int calls = 0;
    {
        auto target = std::make_shared<NSObject>();
        platform::performAfterDelay(target, 1, [&] { ++calls; });
    }
    loop.runFor(2);
    EXPECT_EQ(calls, 0);
}

TEST_F(RunLoopTest, BackgroundWorkFinishesBeforeTimeMovesOn) {
    platform::DispatchQueue queue("test.saver");
    std::atomic<bool> done{false};
    double completedAt = -1;
    queue.async([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        done = true;
        platform::dispatch_async_main([&] { completedAt = loop.now(); });
    });
    loop.schedule(1.0, [] {});
    loop.runFor(2);
    EXPECT_TRUE(done);
    EXPECT_DOUBLE_EQ(completedAt, 0.0);
}

}  // namespace
