// Automatic focus and exposure on the virtual clock.

#include <cmath>

#include "platform/capture/ConfigurationGuards.h"
#include "tests/capture_framework/CaptureTestSupport.h"

using captest::camera;
using platform::ConfigurationLock;

namespace {

struct Counter : NSKeyValueObserving {
    int lens = 0;
    int iso = 0;
    int duration = 0;
    void observeValueForKeyPath(const std::string& keyPath, NSObject*, const NSKeyValueChange&,
                                void*) override {
        if (keyPath == "lensPosition") ++lens;
        if (keyPath == "ISO") ++iso;
        if (keyPath == "exposureDuration") ++duration;
    }
};

class AutomationTest : public captest::CaptureTest {
protected:
    std::shared_ptr<AVCaptureDevice> device = camera("iphone6", AVCaptureDevicePositionBack);
    std::shared_ptr<Counter> counter = std::make_shared<Counter>();
    void observeAll() {
        for (const char* key : {"lensPosition", "ISO", "exposureDuration"}) {
            device->addObserver(counter, key, NSKeyValueObservingOptionNew, nullptr);
        }
    }
};

TEST_F(AutomationTest, ContinuousFocusConvergesInStepsOnTheVirtualClock) {
    ASSERT_EQ(device->focusMode(), AVCaptureFocusModeContinuousAutoFocus);
    observeAll();
    const float start = device->lensPosition();
    device->setScene({8.0, 0.2});  // a subject 20 cm away: lens near 0.5
    const float target = 1.0f - 0.1f / 0.2f;
    EXPECT_EQ(device->lensPosition(), start);  // nothing moves until time passes

    loop.runFor(1.0 / 30.0);
    EXPECT_TRUE(device->isAdjustingFocus());
    const float afterOne = device->lensPosition();
    EXPECT_LT(afterOne, start);
    EXPECT_GT(afterOne, target);

    loop.runFor(1.0);
    EXPECT_FLOAT_EQ(device->lensPosition(), target);
    EXPECT_FALSE(device->isAdjustingFocus());
    EXPECT_GT(counter->lens, 3);  // one observation per step

    // Converged: an hour of idle virtual time fires no further events.
    const int lensNotes = counter->lens;
    EXPECT_EQ(loop.runFor(3600), 0u);
    EXPECT_EQ(counter->lens, lensNotes);
}

TEST_F(AutomationTest, ContinuousExposureFollowsTheBrightness) {
    observeAll();
    device->setScene({3.0, 2.0});  // dim: longest auto shutter, raised ISO
    loop.runFor(2.0);
    EXPECT_EQ(device->exposureDuration(), CMTimeMakeWithSeconds(1.0 / 30, kCMTimeNanosecondScale));
    const float dimISO = device->ISO();
    EXPECT_GT(dimISO, device->activeFormat()->minISO());
    EXPECT_LE(dimISO, device->activeFormat()->maxISO());

    device->setScene({15.0, 2.0});  // bright: lowest ISO, short shutter
    loop.runFor(2.0);
    EXPECT_FLOAT_EQ(device->ISO(), device->activeFormat()->minISO());
    EXPECT_LT(CMTimeGetSeconds(device->exposureDuration()), 1.0 / 1000);
    EXPECT_GT(counter->iso, 0);
    EXPECT_GT(counter->duration, 0);
    EXPECT_EQ(loop.runFor(600), 0u);
}

TEST_F(AutomationTest, LockedAndCustomModesHoldTheirValues) {
    {
        ConfigurationLock lock(device.get());
        device->setFocusModeLockedWithLensPosition(0.9f);
        device->setExposureModeCustomWithDuration(CMTimeMake(1, 60), 100);
    }
    loop.runUntilIdle();
    observeAll();
    device->setScene({2.0, 0.15});
    loop.runFor(5.0);
    EXPECT_FLOAT_EQ(device->lensPosition(), 0.9f);
    EXPECT_FLOAT_EQ(device->ISO(), 100);
    EXPECT_EQ(device->exposureDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(counter->lens + counter->iso + counter->duration, 0);
}

TEST_F(AutomationTest, AutoFocusFocusesOnceThenLocks) {
    device->setScene({8.0, 0.5});
    {
        ConfigurationLock lock(device.get());
        device->setFocusMode(AVCaptureFocusModeAutoFocus);
    }
    loop.runFor(1.0);
    EXPECT_EQ(device->focusMode(), AVCaptureFocusModeLocked);
    const float focused = device->lensPosition();
    EXPECT_FLOAT_EQ(focused, 1.0f - 0.1f / 0.5f);
    device->setScene({8.0, 5.0});
    loop.runFor(1.0);
    EXPECT_EQ(device->lensPosition(), focused);
}

TEST_F(AutomationTest, ReturningToContinuousResumesTracking) {
    {
        ConfigurationLock lock(device.get());
        device->setFocusModeLockedWithLensPosition(0.0f);
    }
    device->setScene({8.0, 100.0});
    loop.runFor(1.0);
    EXPECT_EQ(device->lensPosition(), 0.0f);
    {
        ConfigurationLock lock(device.get());
        device->setFocusMode(AVCaptureFocusModeContinuousAutoFocus);
    }
    loop.runFor(1.0);
    EXPECT_FLOAT_EQ(device->lensPosition(), 1.0f - 0.1f / 100.0f);
}

TEST_F(AutomationTest, BadSceneValuesAreIgnored) {
    const float lens = device->lensPosition();
    device->setScene({NAN, -3.0});
    EXPECT_EQ(device->scene().subjectDistance, 2.0);
    EXPECT_EQ(device->scene().brightness, 8.0);
    EXPECT_EQ(loop.runFor(10), 0u);
    EXPECT_EQ(device->lensPosition(), lens);
}

}  // namespace
