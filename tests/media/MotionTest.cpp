// Device motion: sample timing on the virtual clock, the queue the handler runs on, and gravity
// for the named poses.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "platform/media/MotionManager.h"
#include "platform/runloop/RunLoop.h"

using platform::MotionSimulator;
using platform::RunLoop;

namespace {

class MotionTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunLoop::main().reset();
        MotionSimulator::shared().reset();
    }
    void TearDown() override {
        manager.reset();
        RunLoop::main().reset();
        MotionSimulator::shared().reset();
    }
    void start(double interval) {
        manager->setDeviceMotionUpdateInterval(interval);
        manager->startDeviceMotionUpdatesUsingReferenceFrame(
            CMAttitudeReferenceFrameXArbitraryZVertical, queue,
            [this](const std::shared_ptr<CMDeviceMotion>& m, const NSError* error) {
                EXPECT_EQ(error, nullptr);
                EXPECT_EQ(NSOperationQueue::currentQueue(), queue.get());
                samples.push_back(m);
            });
    }
    RunLoop& loop = RunLoop::main();
    std::shared_ptr<NSOperationQueue> queue = std::make_shared<NSOperationQueue>();
    std::shared_ptr<CMMotionManager> manager = std::make_shared<CMMotionManager>();
    std::vector<std::shared_ptr<CMDeviceMotion>> samples;
};

TEST_F(MotionTest, SamplesArriveAtTheIntervalOnTheQueueNeverInsideStart) {
    start(1.0 / 60.0);
    EXPECT_TRUE(manager->isDeviceMotionActive());
    EXPECT_TRUE(samples.empty());
    loop.runFor(1.0 / 60.0 - 1e-9);
    EXPECT_TRUE(samples.empty());
    loop.runFor(1.0);
    ASSERT_EQ(samples.size(), 60u);  // samples 1..60 fall within (0, 1 s]
    for (std::size_t k = 0; k < samples.size(); ++k) {
        EXPECT_NEAR(samples[k]->timestamp(), (k + 1) / 60.0, 1e-9) << k;
    }
    EXPECT_EQ(manager->deviceMotion(), samples.back());
}

TEST_F(MotionTest, AnHourAt60HzKeepsExactTimingWithoutDrift) {
    start(1.0 / 60.0);
    std::size_t fired = loop.runFor(3600.0);
    EXPECT_EQ(samples.size(), 216'000u);
    EXPECT_GE(fired, 216'000u);
    EXPECT_NEAR(samples.back()->timestamp(), 3600.0, 1e-6);
}

TEST_F(MotionTest, StoppingOrReleasingEndsDelivery) {
    start(0.1);
    loop.runFor(0.35);
    EXPECT_EQ(samples.size(), 3u);
    manager->stopDeviceMotionUpdates();
    EXPECT_FALSE(manager->isDeviceMotionActive());
    loop.runFor(1.0);
    EXPECT_EQ(samples.size(), 3u);

    start(0.1);
    loop.runFor(0.25);
    EXPECT_EQ(samples.size(), 5u);
    manager.reset();  // a released manager delivers nothing more
    EXPECT_EQ(loop.runFor(1.0), 0u);
    EXPECT_EQ(samples.size(), 5u);
}

TEST_F(MotionTest, OnlyTheLatestManagerDelivers) {
    start(0.1);
    auto second = std::make_shared<CMMotionManager>();
    int secondSamples = 0;
    second->setDeviceMotionUpdateInterval(0.1);
    second->startDeviceMotionUpdatesUsingReferenceFrame(
        1, std::make_shared<NSOperationQueue>(),
        [&](const std::shared_ptr<CMDeviceMotion>&, const NSError*) { ++secondSamples; });
    manager = second;  // the first is released
    loop.runFor(1.0);
    EXPECT_EQ(secondSamples, 10);
    EXPECT_TRUE(samples.empty());
}

TEST_F(MotionTest, AHandlerMayStopTheUpdates) {
    int calls = 0;
    manager->startDeviceMotionUpdatesUsingReferenceFrame(
        1, queue, [&](const std::shared_ptr<CMDeviceMotion>&, const NSError*) {
            ++calls;
            manager->stopDeviceMotionUpdates();
        });
    loop.runFor(1.0);
    EXPECT_EQ(calls, 1);
}

TEST_F(MotionTest, IntervalIsClampedAndUnavailableMotionStartsNothing) {
    manager->setDeviceMotionUpdateInterval(0.0001);
    EXPECT_DOUBLE_EQ(manager->deviceMotionUpdateInterval(), 0.01);
    manager->setDeviceMotionUpdateInterval(NAN);
    EXPECT_DOUBLE_EQ(manager->deviceMotionUpdateInterval(), 0.01);

    MotionSimulator::shared().setDeviceMotionAvailable(false);
    EXPECT_FALSE(manager->isDeviceMotionAvailable());
    start(0.1);
    EXPECT_FALSE(manager->isDeviceMotionActive());
    EXPECT_EQ(loop.runFor(1.0), 0u);
    manager->startDeviceMotionUpdatesUsingReferenceFrame(1, nullptr, nullptr);
    EXPECT_FALSE(manager->isDeviceMotionActive());
}

struct PoseCase {
    const char* name;
    double x, y, z;
};

TEST_F(MotionTest, NamedPosesGiveTheirGravity) {
    const PoseCase cases[] = {
        {"portrait", 0, -1, 0},       {"upside-down", 0, 1, 0}, {"landscape-left", -1, 0, 0},
        {"landscape-right", 1, 0, 0}, {"face-up", 0, 0, -1},    {"face-down", 0, 0, 1},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(MotionSimulator::shared().setPose(c.name)) << c.name;
        const auto g = MotionSimulator::shared().gravity();
        EXPECT_EQ(g.x, c.x) << c.name;
        EXPECT_EQ(g.y, c.y) << c.name;
        EXPECT_EQ(g.z, c.z) << c.name;
    }
    EXPECT_FALSE(MotionSimulator::shared().setPose("sideways"));
    EXPECT_EQ(MotionSimulator::poseNames().size(), 6u);
}

TEST_F(MotionTest, SamplesFollowThePoseAndTilt) {
    start(1.0 / 60.0);
    loop.runFor(1.0 / 60.0);
    ASSERT_EQ(samples.size(), 1u);
    auto g = samples[0]->gravity();
    EXPECT_DOUBLE_EQ(std::atan2(g.x, g.y), std::numbers::pi);  // upright portrait is level

    MotionSimulator::shared().setPose("landscape-right");
    MotionSimulator::shared().setTilt(2.0);
    loop.runFor(1.0 / 60.0);
    ASSERT_EQ(samples.size(), 2u);
    g = samples[1]->gravity();
    const double angle = std::atan2(g.x, g.y);
    EXPECT_NEAR(angle, std::numbers::pi / 2 + 2.0 * std::numbers::pi / 180, 1e-12);
    EXPECT_NEAR(g.x * g.x + g.y * g.y + g.z * g.z, 1.0, 1e-12);

    MotionSimulator::shared().setPitch(30);
    loop.runFor(1.0 / 60.0);
    EXPECT_NEAR(samples[2]->gravity().z, -0.5, 1e-12);
}

}  // namespace
