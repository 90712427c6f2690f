// Every replaceable method is called by the host at some moment of a full session: a test that
// names the rows a session never reached.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "HostTestSupport.h"
#include "host/CameraView.h"
#include "host/CaptureController.h"

namespace hosttest {
namespace {

// (class, selector) of each replaceable method, in the order of the add-on's table.
const std::vector<std::pair<std::string, std::string>>& replaceableMethods() {
    static const std::vector<std::pair<std::string, std::string>> rows = {
        {"UIApplication", "didReceiveMemoryWarning"},
        {"CAMExpandableMenuButton", "startExpansionWithProposedFrame:"},
        {"CAMExpandableMenuButton", "startCollapsingWithProposedFrame:"},
        {"CAMExpandableMenuButton", "setOrientation:animated:"},
        {"CAMFilterButton", "_commonCAMFilterButtonInitialization"},
        {"CAMAvalancheSession", "init"},
        {"CAMAvalancheSession", "dealloc"},
        {"CAMZoomSlider", "initWithFrame:"},
        {"CAMTopBar", "layoutSubviews"},
        {"CAMTopBar", "pointInside:withEvent:"},
        {"CAMShutterButton", "setMode:animated:"},
        {"CAMBottomBar", "_layoutForHorizontalOrientation"},
        {"CAMBottomBar", "_layoutForVerticalOrientation"},
        {"CAMBottomBar", "pointInside:withEvent:"},
        {"CAMBottomBar", "layoutSubviews"},
        {"CAMPreviewView", "initWithFrame:"},
        {"CAMCameraView", "_showContinuousAEAFView"},
        {"CAMCameraView", "_setSplitFocusAndExposure:"},
        {"CAMCameraView", "_handleSplitFocusAndExposureTap:"},
        {"CAMCameraView", "pointInside:withEvent:"},
        {"CAMCameraView", "_allowExposureBiasForMode:"},
        {"CAMCameraView", "_finishCommonTapGesture"},
        {"CAMCameraView", "captureController:didCaptureStillImageForRequest:"},
        {"CAMCameraView", "captureController:willCaptureStillImageForRequest:"},
        {"CAMCameraView", "_cameraOrientationChanged:"},
        {"CAMCameraView", "videoPreviewView"},
        {"CAMCameraView", "cameraControllerModeDidChange:"},
        {"CAMCameraView", "animateBlurForSuspension"},
        {"CAMCameraView", "_shouldShowFocus"},
        {"CAMCameraView", "cameraController:didStartTransitionToShowEffectsGrid:animated:"},
        {"CAMCameraView", "stopPreviewAnimated:"},
        {"CAMCameraView", "touchesBegan:withEvent:"},
        {"CAMCameraView", "touchesEnded:withEvent:"},
        {"CAMCameraView", "viewDidAppear"},
        {"CAMCameraView", "_handleOverlayViewLongPress:"},
        {"CAMCameraView", "dealloc"},
        {"CAMCameraView", "cameraShutterPressed:"},
        {"CAMCameraView", "_performVideoCapture"},
        {"CAMCameraView", "_removeVideoCaptureControls"},
        {"CAMCameraView", "_allowFocusRectPanning"},
        {"CAMCameraView", "_handleExposureBiasPan:"},
        {"CAMCameraView", "_handleFocusRectPan:"},
        {"CAMCameraView", "_endPanFocus:exposure:atPoint:"},
        {"CAMCameraView", "_switchFromCameraModeAtIndex:toCameraModeAtIndex:"},
        {"CAMCameraView", "_modeChangeSwipeMatchesExposureBiasPanDirection"},
        {"CAMAssetSaver", "saveStillImageCaptureResponse:requestEnqueuedBlock:completionBlock:"},
        {"CAMAssetSaver", "_imageJobForStillImageCaptureResponse:"},
        {"CAMAssetSaver",
         "queueJobDictionary:asset:requestEnqueuedBlock:completionBlock:imageSurface:"
         "previewImageSurface:transient:"},
        {"CAMCaptureController", "_willTakePhoto"},
        {"CAMCaptureController", "_didTakePhoto"},
        {"CAMCaptureController", "_applyHDRSettingsFromRequest:"},
        {"CAMCaptureController", "resumePreview"},
        {"CAMCaptureController", "_setupCamera"},
        {"CAMCaptureController", "mogulFrameRate"},
        {"CAMCaptureController", "_videoModeSessionPresetForDevice:options:"},
        {"CAMCaptureController", "_photoModeSessionPresetForMode:device:"},
        {"CAMCaptureController", "_applicationDidEnterBackground:"},
        {"CAMCaptureController", "_destroyCamera"},
        {"CAMCaptureController", "accelerometer:didChangeDeviceOrientation:"},
        {"CAMCaptureController", "_sessionStopped:"},
        {"CAMCaptureController", "_sessionStarted:"},
        {"CAMCaptureController", "_deviceStarted:"},
        {"CAMCaptureController", "_previewStarted"},
        {"CAMCaptureController", "startVideoCapture"},
        {"CAMCaptureController", "stopVideoCapture"},
        {"CAMCaptureController", "_focusStarted"},
        {"CAMCaptureController", "_focusCompleted"},
        {"CAMCaptureController", "canChangeFocusOrExposure"},
        {"CAMCaptureController", "setCameraMode:device:"},
        {"CAMCaptureController", "_setCameraMode:cameraDevice:"},
        {"CAMCaptureController", "startPreview"},
        {"CAMCaptureController", "startPreview:"},
        {"CAMCaptureController", "canCapturePhotoDuringRecording"},
    };
    return rows;
}

CGPoint inPreview(host::CameraApp& app, double nx, double ny) {
    const auto& p = app.cameraView()->previewView();
    const CGRect b = p->bounds();
    return p->convertPointToView(CGPointMake(b.size.width * nx, b.size.height * ny), nullptr);
}

// Everything a user does in a session, in a plausible order.
void fullSession(host::CameraApp& app) {
    app.runFor(0.5);
    const CGPoint ball = inPreview(app, 0.55, 0.8);  // the near red ball: focus has to move
    app.tap(ball);
    app.runFor(1.0);
    // Drag the focus square, then the exposure bias up beside it.
    app.pan(ball, inPreview(app, 0.5, 0.5));
    app.pan(inPreview(app, 0.15, 0.7), inPreview(app, 0.15, 0.45));
    // Held landscape, a sideways drag moves the bias, not the mode.
    app.rotate(3);
    app.pan(inPreview(app, 0.15, 0.9), inPreview(app, 0.6, 0.9));
    app.rotate(1);
    app.twoFingerTap(inPreview(app, 0.4, 0.4));
    app.longPress(inPreview(app, 0.3, 0.3));
    app.runFor(1.0);
    app.setMode("SLO-MO");
    app.setMode("VIDEO");
    app.startRecording();
    app.runFor(1.0);
    app.tapStillDuringRecording();
    app.runFor(1.0);
    app.stopRecording();
    app.setMode("PHOTO");
    app.flip();
    app.runFor(0.5);
    app.flip();
    app.runFor(0.5);
    app.tapShutter();
    app.takePicture();
    app.startBurst();
    app.runFor(0.3);
    app.stopBurst();
    app.showGrid();
    app.hideGrid();
    app.expandMenu();
    app.collapseMenu();
    app.memoryWarning();
    app.background();
    app.runFor(1.0);
    app.foreground();
    app.runFor(1.0);
    app.settle();
    app.terminate();
}

std::vector<std::string> missingRows(const host::EventLog& log) {
    std::vector<std::string> missing;
    for (const auto& [cls, sel] : replaceableMethods()) {
        if (log.count(cls, sel) == 0) missing.push_back(cls + " " + sel);
    }
    return missing;
}

std::string join(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& x : v) s += "\n  " + x;
    return s;
}

TEST_F(HostTest, APhoneSessionCallsEveryRowButTheSideBarLayout) {
    ASSERT_EQ(replaceableMethods().size(), 73u);
    ASSERT_TRUE(launch("iphone6"));
    fullSession(app_);
    const auto missing = missingRows(app_.log());
    // A phone's bottom bar is always horizontal; only a tablet's side bar lays out vertically.
    EXPECT_EQ(missing, std::vector<std::string>{"CAMBottomBar _layoutForVerticalOrientation"})
        << "never called:" << join(missing);
    EXPECT_GE(app_.savedPhotos().size(), 5u);
}

TEST_F(HostTest, APhoneAndATabletSessionTogetherCallEveryRow) {
    ASSERT_TRUE(launch("iphone6"));
    fullSession(app_);
    ASSERT_TRUE(launch("ipadair"));
    fullSession(app_);
    const auto missing = missingRows(app_.log());
    EXPECT_TRUE(missing.empty()) << "never called:" << join(missing);
}

}  // namespace
}  // namespace hosttest
