// Advanced focus through the simulated camera app: split focus and exposure points from a tap,
// the long-press lock, touches handing focus and exposure back to the camera, and the end of a
// capture releasing advanced focus.

#include "ManualTestSupport.h"
#include "core/TweakState.h"
#include "host/CameraView.h"
#include "host/CaptureController.h"
#include "host/PreviewView.h"
#include "hostapi/Selectors.h"
#include "manual/CameraBarAccess.h"
#include "platform/ui/UILongPressGestureRecognizer.h"

namespace manualtest {
namespace {

using lumora::state;

class AdvancedFocus : public ManualOnHost {
protected:
    void enterAdvancedMode() {
        launch("iphone6", 0);
        openToolPage();
        app_.runFor(1.0);
    }
    host::PreviewView& preview() { return *app_.cameraView()->previewView(); }
    CGPoint inWindow(CGPoint previewPoint) {
        return preview().convertPointToView(previewPoint, nullptr);
    }
};

TEST_F(AdvancedFocus, TapSplitsFocusAndExposureAndReturnsBothToContinuous) {
    enterAdvancedMode();
    EXPECT_TRUE(state().UseAdvancedCamera);
    EXPECT_TRUE(app_.cameraView()->isSplitFocusAndExposure());
    // Manual ISO first, then a tap on the picture.
    tapView(*tools().customDrawButtonExposure());
    dragRuler(*tools().dialScrollviewISO(), -100);
    app_.runFor(1.0);
    ASSERT_EQ(device().exposureMode(), AVCaptureExposureModeCustom);
    ASSERT_TRUE(tools().isInManualISOMode());
    const CGRect b = preview().bounds();
    app_.tap(inWindow(CGPointMake(b.size.width / 4, b.size.height / 3)));
    app_.runFor(1.0);
    EXPECT_TRUE(app_.cameraView()->isSplitFocusAndExposure());
    EXPECT_EQ(device().exposureMode(), AVCaptureExposureModeContinuousAutoExposure);
    EXPECT_EQ(device().focusMode(), AVCaptureFocusModeContinuousAutoFocus);
    // The sensor lies sideways: the tapped (1/4, 1/3) of the portrait picture is (1/3, 3/4).
    EXPECT_NEAR(device().focusPointOfInterest().x, 1.0 / 3, 0.02);
    EXPECT_NEAR(device().focusPointOfInterest().y, 0.75, 0.02);
    EXPECT_FALSE(tools().isInManualISOMode());
    EXPECT_FALSE(tools().skipISOObserverCallback());
    EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
}

TEST_F(AdvancedFocus, FrontCameraNeverEntersAdvancedFocus) {
    host::LaunchOptions options;
    options.cameraDevice = 1;
    app_.launch(profile("iphone6"), options);
    app_.runFor(1.0);
    openToolPage();
    tools().toggleAdvancedFocus(true, nullptr, true);
    app_.runFor(0.5);
    EXPECT_FALSE(state().UseAdvancedCamera);
    EXPECT_FALSE(app_.cameraView()->isSplitFocusAndExposure());
    EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
}

TEST_F(AdvancedFocus, LongPressLocksExposureOnceUnderTheLock) {
    enterAdvancedMode();
    const CGRect exposure = preview().lastExposureFrame();
    // The middle of the widened exposure target (down 30, 10 wider, 20 taller).
    const CGPoint target = CGPointMake(exposure.origin.x + (exposure.size.width + 10) / 2,
                                       exposure.origin.y + 30 + (exposure.size.height + 20) / 2);
    const CGPoint pointOfInterest = device().focusPointOfInterest();
    auto press = std::make_shared<UILongPressGestureRecognizer>();
    app_.cameraView()->addGestureRecognizer(press);
    auto* view = app_.cameraView();
    namespace cv = hostsel::CAMCameraView;
    // Only the start of a press acts: a press ending (or moving) changes nothing.
    press->setState(UIGestureRecognizerStateEnded);
    const int locksBefore = device().successfulLockCount();
    objc::send<cv::_handleOverlayViewLongPress>(view, press.get());
    EXPECT_EQ(device().successfulLockCount(), locksBefore);

    app_.longPress(target, 1.0);
    app_.runFor(1.0);
    EXPECT_EQ(device().exposureMode(), AVCaptureExposureModeLocked);
    EXPECT_TRUE(app_.captureController()->userLockedExposure());
    // The host's own press (focus and exposure moved to the finger, then locked) did not run.
    EXPECT_EQ(device().focusPointOfInterest(), pointOfInterest);
    // With the lock refused nothing is changed and nothing unbalanced reaches the camera.
    device().setLockForConfigurationFails(true);
    app_.longPress(target, 1.0);
    app_.runFor(1.0);
    EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
}

TEST_F(ManualOnHost, TouchOutsideAdvancedModeHandsFocusAndExposureBack) {
    launch("iphone6", 0);
    openToolPage();
    tapView(*tools().customDrawButtonFocus());
    dragRuler(*tools().dialScrollviewLensPosition(), -40);
    app_.runFor(1.0);
    ASSERT_TRUE(tools().isInManualFocusMode());
    ASSERT_TRUE(tools().skipLensPositionObserverCallback());
    // Back to the first page, advanced mode off.
    lumora::cameraBarScrollview()->setContentOffset(CGPointZero, true);
    app_.runFor(0.5);
    tapView(*dynamic_cast<UIView*>(state().modeAdvCameraBtn.get()));
    ASSERT_FALSE(state().UseAdvancedCamera);
    ASSERT_TRUE(tools().isInManualFocusMode());
    const CGRect b = app_.cameraView()->previewView()->bounds();
    app_.tap(app_.cameraView()->previewView()->convertPointToView(
        CGPointMake(b.size.width / 2, b.size.height / 2), nullptr));
    app_.runFor(1.0);
    EXPECT_FALSE(tools().isInManualFocusMode());
    EXPECT_FALSE(tools().skipLensPositionObserverCallback());
    EXPECT_EQ(tools().customDrawButtonFocus()->drawFlow(), 0);
}

// A shutter press marks a still as being captured, which holds advanced focus still; the still
// reported taken, or a recording that stops, ends that.
TEST_F(ManualOnHost, TakenStillOrStoppedRecordingReleasesAdvancedFocus) {
    launch("iphone6", 0);
    openToolPage(false);
    state().capturingPhoto = true;
    tools().toggleAdvancedFocus(true, nullptr, true);
    EXPECT_FALSE(state().UseAdvancedCamera);
    app_.tapShutter();
    app_.settle();
    EXPECT_FALSE(state().capturingPhoto);
    tools().toggleAdvancedFocus(true, nullptr, true);
    EXPECT_TRUE(state().UseAdvancedCamera);

    ASSERT_TRUE(app_.setMode("VIDEO"));
    app_.runFor(1.0);
    state().capturingPhoto = true;
    app_.startRecording();
    app_.runFor(1.0);
    app_.stopRecording();
    app_.settle();
    EXPECT_FALSE(state().capturingPhoto);
}

}  // namespace
}  // namespace manualtest
