// Key-value observation of the device's live values.

#include <string>
#include <vector>

#include "platform/capture/ConfigurationGuards.h"
#include "tests/capture_framework/CaptureTestSupport.h"

using captest::camera;
using platform::ConfigurationLock;

namespace {

struct Recorder : NSKeyValueObserving {
    struct Note {
        std::string keyPath;
        NSObject* object;
        NSKeyValueChange change;
        void* context;
    };
    std::vector<Note> notes;
    void observeValueForKeyPath(const std::string& keyPath, NSObject* object,
                                const NSKeyValueChange& change, void* context) override {
        notes.push_back({keyPath, object, change, context});
    }
};

class ObservationTest : public captest::CaptureTest {
protected:
    void SetUp() override {
        CaptureTest::SetUp();
        device = camera("iphone6", AVCaptureDevicePositionBack);
        // Hold focus and exposure so only the test's own changes happen.
        ConfigurationLock lock(device.get());
        device->setFocusMode(AVCaptureFocusModeLocked);
        device->setExposureMode(AVCaptureExposureModeLocked);
        loop.runUntilIdle();
    }
    void setLens(float value) {
        ConfigurationLock lock(device.get());
        device->setFocusModeLockedWithLensPosition(value);
    }
    std::shared_ptr<AVCaptureDevice> device;
    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
};

TEST_F(ObservationTest, ChangesArriveLaterAsSeparateRunLoopEvents) {
    int context = 0;
    device->addObserver(recorder, "lensPosition", NSKeyValueObservingOptionNew, &context);
    device->addObserver(recorder, "ISO", NSKeyValueObservingOptionNew, nullptr);
    device->addObserver(recorder, "exposureDuration", NSKeyValueObservingOptionNew, nullptr);
    setLens(0.3f);
    setLens(0.6f);
    {
        ConfigurationLock lock(device.get());
        device->setExposureModeCustomWithDuration(CMTimeMake(1, 125), 320);
    }
    EXPECT_TRUE(recorder->notes.empty());  // nothing inside the setters
    EXPECT_EQ(loop.pendingCount(), 4u);    // one event per change and observer

    EXPECT_EQ(loop.runUntilIdle(), 4u);
    ASSERT_EQ(recorder->notes.size(), 4u);
    EXPECT_EQ(recorder->notes[0].keyPath, "lensPosition");
    EXPECT_FLOAT_EQ(*recorder->notes[0].change.newValue, 0.3f);
    EXPECT_FLOAT_EQ(*recorder->notes[1].change.newValue, 0.6f);
    EXPECT_EQ(recorder->notes[0].object, device.get());
    EXPECT_EQ(recorder->notes[0].context, &context);
    EXPECT_FALSE(recorder->notes[0].change.oldValue.has_value());
    EXPECT_EQ(recorder->notes[2].keyPath, "exposureDuration");
    EXPECT_DOUBLE_EQ(*recorder->notes[2].change.newValue, 1.0 / 125);
    EXPECT_EQ(recorder->notes[3].keyPath, "ISO");
    EXPECT_FLOAT_EQ(*recorder->notes[3].change.newValue, 320);
}

TEST_F(ObservationTest, RemovalStopsDeliveryEvenOfQueuedChanges) {
    device->addObserver(recorder, "lensPosition", NSKeyValueObservingOptionNew, nullptr);
    setLens(0.3f);
    device->removeObserver(recorder.get(), "lensPosition");
    loop.runUntilIdle();
    EXPECT_TRUE(recorder->notes.empty());
    EXPECT_EQ(device->observerCount("lensPosition"), 0u);
    setLens(0.4f);
    loop.runUntilIdle();
    EXPECT_TRUE(recorder->notes.empty());
}

TEST_F(ObservationTest, RemovingAnObserverNeverAddedIsHarmless) {
    device->addObserver(recorder, "ISO", NSKeyValueObservingOptionNew, nullptr);
    Recorder stranger;
    device->removeObserver(&stranger, "ISO");
    device->removeObserver(recorder.get(), "lensPosition");
    device->removeObserver(nullptr, "ISO");
    EXPECT_EQ(device->observerCount("ISO"), 1u);
    EXPECT_EQ(device->faultCount(), 0);
}

TEST_F(ObservationTest, AnObserverThatHasGoneIsSkipped) {
    device->addObserver(recorder, "lensPosition", NSKeyValueObservingOptionNew, nullptr);
    setLens(0.3f);  // queued while the observer lives
    std::weak_ptr<Recorder> weak = recorder;
    recorder.reset();
    EXPECT_TRUE(weak.expired());
    loop.runUntilIdle();  // must not touch the gone observer
    setLens(0.5f);
    EXPECT_EQ(device->observerCount("lensPosition"), 0u);
    EXPECT_EQ(loop.runUntilIdle(), 0u);
}

TEST_F(ObservationTest, SameObserverTwiceIsNotifiedTwiceUntilRemovedTwice) {
    device->addObserver(recorder, "lensPosition", NSKeyValueObservingOptionNew, nullptr);
    device->addObserver(recorder, "lensPosition", NSKeyValueObservingOptionNew, nullptr);
    setLens(0.2f);
    loop.runUntilIdle();
    EXPECT_EQ(recorder->notes.size(), 2u);
    device->removeObserver(recorder.get(), "lensPosition");
    setLens(0.8f);
    loop.runUntilIdle();
    EXPECT_EQ(recorder->notes.size(), 3u);
}

TEST_F(ObservationTest, InitialAndOldOptions) {
    setLens(0.4f);
    loop.runUntilIdle();
    device->addObserver(recorder, "lensPosition",
                        NSKeyValueObservingOptionNew | NSKeyValueObservingOptionOld |
                            NSKeyValueObservingOptionInitial,
                        nullptr);
    EXPECT_TRUE(recorder->notes.empty());
    setLens(0.9f);
    loop.runUntilIdle();
    ASSERT_EQ(recorder->notes.size(), 2u);
    EXPECT_TRUE(recorder->notes[0].change.initial);
    EXPECT_FLOAT_EQ(*recorder->notes[0].change.newValue, 0.4f);
    EXPECT_FLOAT_EQ(*recorder->notes[1].change.oldValue, 0.4f);
    EXPECT_FLOAT_EQ(*recorder->notes[1].change.newValue, 0.9f);
}

TEST_F(ObservationTest, ADeviceThatHasGoneDeliversNothing) {
    device->addObserver(recorder, "lensPosition", NSKeyValueObservingOptionNew, nullptr);
    setLens(0.3f);
    device.reset();
    loop.runUntilIdle();
    EXPECT_TRUE(recorder->notes.empty());
}

}  // namespace
