// Lock discipline, mode support and value ranges of the capture device.

#include "platform/capture/ConfigurationGuards.h"
#include "tests/capture_framework/CaptureTestSupport.h"

using captest::camera;
using platform::ConfigurationLock;

namespace {

class DeviceConfigurationTest : public captest::CaptureTest {
protected:
    std::shared_ptr<AVCaptureDevice> back = camera("iphone6", AVCaptureDevicePositionBack);
};

TEST_F(DeviceConfigurationTest, SettersWithoutTheLockChangeNothingAndCountAFault) {
    ASSERT_NE(back, nullptr);
    const auto format = back->activeFormat();
    const auto lens = back->lensPosition();
    const auto focus = back->focusMode();
    const auto wb = back->whiteBalanceMode();
    const CMTime minDuration = back->activeVideoMinFrameDuration();

    back->setActiveFormat(back->formats().front());
    back->setActiveVideoMinFrameDuration(CMTimeMake(1, 24));
    back->setFocusMode(AVCaptureFocusModeLocked);
    back->setFocusModeLockedWithLensPosition(0.25f);
    back->setExposureModeCustomWithDuration(CMTimeMake(1, 100), 100);
    back->setWhiteBalanceMode(AVCaptureWhiteBalanceModeLocked);
    back->setFocusPointOfInterest(CGPointMake(0.2, 0.2));

    EXPECT_EQ(back->faultCount(), 7);
    EXPECT_NE(back->lastFault().find("without lockForConfiguration"), std::string::npos);
    EXPECT_EQ(back->activeFormat(), format);
    EXPECT_EQ(back->lensPosition(), lens);
    EXPECT_EQ(back->focusMode(), focus);
    EXPECT_EQ(back->whiteBalanceMode(), wb);
    EXPECT_EQ(back->activeVideoMinFrameDuration(), minDuration);
    EXPECT_EQ(back->focusPointOfInterest().x, 0.5);
}

TEST_F(DeviceConfigurationTest, TheSameSettersWorkUnderTheLock) {
    {
        ConfigurationLock lock(back.get());
        ASSERT_TRUE(lock);
        back->setFocusModeLockedWithLensPosition(0.25f);
        back->setWhiteBalanceMode(AVCaptureWhiteBalanceModeLocked);
        back->setExposureModeCustomWithDuration(CMTimeMake(1, 100), 100);
    }
    EXPECT_FALSE(back->isLockedForConfiguration());
    EXPECT_EQ(back->faultCount(), 0);
    EXPECT_FLOAT_EQ(back->lensPosition(), 0.25f);
    EXPECT_EQ(back->focusMode(), AVCaptureFocusModeLocked);
    EXPECT_EQ(back->whiteBalanceMode(), AVCaptureWhiteBalanceModeLocked);
    EXPECT_EQ(back->exposureMode(), AVCaptureExposureModeCustom);
    EXPECT_FLOAT_EQ(back->ISO(), 100);
    EXPECT_EQ(back->exposureDuration(), CMTimeMake(1, 100));
}

TEST_F(DeviceConfigurationTest, FailingLockSwitchRefusesTheLockAndSoEverySetting) {
    back->setLockForConfigurationFails(true);
    std::string error;
    EXPECT_FALSE(back->lockForConfiguration(&error));
    EXPECT_FALSE(error.empty());
    {
        ConfigurationLock lock(back.get());
        EXPECT_FALSE(lock.locked());
        back->setWhiteBalanceMode(AVCaptureWhiteBalanceModeLocked);
    }
    EXPECT_EQ(back->whiteBalanceMode(), AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance);
    EXPECT_EQ(back->lockAttemptCount(), 2);
    EXPECT_EQ(back->successfulLockCount(), 0);
    // The guard did not unlock what it never locked: only the refused setter is a fault.
    EXPECT_EQ(back->faultCount(), 1);

    back->setLockForConfigurationFails(false);
    EXPECT_TRUE(back->lockForConfiguration());
    back->unlockForConfiguration();
}

TEST_F(DeviceConfigurationTest, LocksNestAndAnUnbalancedUnlockIsAFault) {
    ASSERT_TRUE(back->lockForConfiguration());
    ASSERT_TRUE(back->lockForConfiguration());
    back->unlockForConfiguration();
    EXPECT_TRUE(back->isLockedForConfiguration());
    back->unlockForConfiguration();
    EXPECT_FALSE(back->isLockedForConfiguration());
    back->unlockForConfiguration();
    EXPECT_EQ(back->faultCount(), 1);
    ConfigurationLock none(nullptr);
    EXPECT_FALSE(none);
}

TEST_F(DeviceConfigurationTest, UnsupportedModesAndOutOfRangeValuesAreRefused) {
    auto front = camera("iphone6", AVCaptureDevicePositionFront);
    ConfigurationLock lockBack(back.get());
    ConfigurationLock lockFront(front.get());

    // The front camera has fixed focus.
    EXPECT_FALSE(front->isFocusModeSupported(AVCaptureFocusModeLocked));
    front->setFocusModeLockedWithLensPosition(0.5f);
    EXPECT_EQ(front->faultCount(), 1);

    EXPECT_FALSE(back->isWhiteBalanceModeSupported(AVCaptureWhiteBalanceModeAutoWhiteBalance));
    back->setWhiteBalanceMode(AVCaptureWhiteBalanceModeAutoWhiteBalance);
    back->setFocusModeLockedWithLensPosition(1.5f);
    back->setFocusPointOfInterest(CGPointMake(-0.1, 0.5));
    const float minISO = back->activeFormat()->minISO();
    back->setExposureModeCustomWithDuration(AVCaptureExposureDurationCurrent, minISO - 1);
    back->setExposureModeCustomWithDuration(CMTimeMake(2, 1), AVCaptureISOCurrent);  // 2 s
    back->setActiveVideoMinFrameDuration(CMTimeMake(1, 120));  // 1080p30 reaches 30 only
    back->setActiveFormat(front->formats().front());           // another device's format
    EXPECT_EQ(back->faultCount(), 7);
    EXPECT_NE(back->exposureMode(), AVCaptureExposureModeCustom);
}

TEST_F(DeviceConfigurationTest, CurrentSentinelsKeepTheOtherExposureValue) {
    ConfigurationLock lock(back.get());
    back->setExposureModeCustomWithDuration(CMTimeMake(1, 250), 200);
    back->setExposureModeCustomWithDuration(AVCaptureExposureDurationCurrent, 400);
    EXPECT_EQ(back->exposureDuration(), CMTimeMake(1, 250));
    EXPECT_FLOAT_EQ(back->ISO(), 400);
    back->setExposureModeCustomWithDuration(CMTimeMake(1, 30), AVCaptureISOCurrent);
    EXPECT_EQ(back->exposureDuration(), CMTimeMake(1, 30));
    EXPECT_FLOAT_EQ(back->ISO(), 400);
    EXPECT_EQ(back->faultCount(), 0);
}

TEST_F(DeviceConfigurationTest, CompletionHandlersRunAsRunLoopEventsAfterTheChange) {
    ConfigurationLock lock(back.get());
    int calls = 0;
    float seen = -1;
    back->setFocusModeLockedWithLensPosition(0.7f, [&](CMTime sync) {
        ++calls;
        seen = back->lensPosition();
        EXPECT_TRUE(CMTIME_IS_VALID(sync));
    });
    EXPECT_EQ(calls, 0);
    loop.runUntilIdle();
    EXPECT_EQ(calls, 1);
    EXPECT_FLOAT_EQ(seen, 0.7f);
}

}  // namespace
