#pragma once
// The host's replaceable methods, one typed descriptor each, grouped by class. These are the
// contract between the two sides: the host registers its implementations and makes its calls
// through them (objc::send<Selector>), the add-on replaces them (objc::hook<Selector>). A
// signature is the method's result and arguments after self and _cmd: host integers (modes,
// devices, orientations) are long, BOOL is bool, objects the add-on does not look into are id.

#include <string>

#include "hostapi/HostTypes.h"
#include "platform/objc/Runtime.h"

namespace hostsel {

namespace UIApplication {
LU_SELECTOR(didReceiveMemoryWarning, "didReceiveMemoryWarning", void());
}  // namespace UIApplication

namespace CAMExpandableMenuButton {
LU_SELECTOR(startExpansionWithProposedFrame, "startExpansionWithProposedFrame:", void(CGRect));
LU_SELECTOR(startCollapsingWithProposedFrame, "startCollapsingWithProposedFrame:", void(CGRect));
LU_SELECTOR(setOrientation_animated, "setOrientation:animated:", void(long, bool));
}  // namespace CAMExpandableMenuButton

namespace CAMFilterButton {
LU_SELECTOR(_commonCAMFilterButtonInitialization, "_commonCAMFilterButtonInitialization", void());
}  // namespace CAMFilterButton

namespace CAMAvalancheSession {
// Answers self.
LU_SELECTOR(init, "init", id());
LU_SELECTOR(dealloc, "dealloc", void());
}  // namespace CAMAvalancheSession

namespace CAMZoomSlider {
// Answers self.
LU_SELECTOR(initWithFrame, "initWithFrame:", id(CGRect));
}  // namespace CAMZoomSlider

namespace CAMTopBar {
LU_SELECTOR(layoutSubviews, "layoutSubviews", void());
// (point, event)
LU_SELECTOR(pointInside_withEvent, "pointInside:withEvent:", bool(CGPoint, id));
}  // namespace CAMTopBar

namespace CAMShutterButton {
// (mode, animated)
LU_SELECTOR(setMode_animated, "setMode:animated:", void(long, bool));
}  // namespace CAMShutterButton

namespace CAMBottomBar {
LU_SELECTOR(_layoutForHorizontalOrientation, "_layoutForHorizontalOrientation", void());
LU_SELECTOR(_layoutForVerticalOrientation, "_layoutForVerticalOrientation", void());
LU_SELECTOR(pointInside_withEvent, "pointInside:withEvent:", bool(CGPoint, id));
LU_SELECTOR(layoutSubviews, "layoutSubviews", void());
}  // namespace CAMBottomBar

namespace CAMPreviewView {
// Answers self.
LU_SELECTOR(initWithFrame, "initWithFrame:", id(CGRect));
}  // namespace CAMPreviewView

namespace CAMCameraView {
LU_SELECTOR(_showContinuousAEAFView, "_showContinuousAEAFView", void());
LU_SELECTOR(_setSplitFocusAndExposure, "_setSplitFocusAndExposure:", void(bool));
// (gesture recogniser)
LU_SELECTOR(_handleSplitFocusAndExposureTap, "_handleSplitFocusAndExposureTap:", void(id));
LU_SELECTOR(pointInside_withEvent, "pointInside:withEvent:", bool(CGPoint, id));
// (camera mode)
LU_SELECTOR(_allowExposureBiasForMode, "_allowExposureBiasForMode:", bool(long));
LU_SELECTOR(_finishCommonTapGesture, "_finishCommonTapGesture", bool());
// (capture controller, request)
LU_SELECTOR(captureController_didCaptureStillImageForRequest,
            "captureController:didCaptureStillImageForRequest:", void(id, id));
LU_SELECTOR(captureController_willCaptureStillImageForRequest,
            "captureController:willCaptureStillImageForRequest:", void(id, id));
// (notification)
LU_SELECTOR(_cameraOrientationChanged, "_cameraOrientationChanged:", void(id));
// Answers the preview view.
LU_SELECTOR(videoPreviewView, "videoPreviewView", id());
// (capture controller)
LU_SELECTOR(cameraControllerModeDidChange, "cameraControllerModeDidChange:", void(id));
LU_SELECTOR(animateBlurForSuspension, "animateBlurForSuspension", void());
LU_SELECTOR(_shouldShowFocus, "_shouldShowFocus", bool());
// (capture controller, show, animated)
LU_SELECTOR(cameraController_didStartTransitionToShowEffectsGrid_animated,
            "cameraController:didStartTransitionToShowEffectsGrid:animated:", void(id, bool, bool));
LU_SELECTOR(stopPreviewAnimated, "stopPreviewAnimated:", void(bool));
// (touches, event)
LU_SELECTOR(touchesBegan_withEvent, "touchesBegan:withEvent:", void(id, id));
LU_SELECTOR(touchesEnded_withEvent, "touchesEnded:withEvent:", void(id, id));
LU_SELECTOR(viewDidAppear, "viewDidAppear", void());
// (gesture recogniser)
LU_SELECTOR(_handleOverlayViewLongPress, "_handleOverlayViewLongPress:", void(id));
LU_SELECTOR(dealloc, "dealloc", void());
// (shutter button)
LU_SELECTOR(cameraShutterPressed, "cameraShutterPressed:", void(id));
LU_SELECTOR(_performVideoCapture, "_performVideoCapture", void());
LU_SELECTOR(_removeVideoCaptureControls, "_removeVideoCaptureControls", void());
LU_SELECTOR(_allowFocusRectPanning, "_allowFocusRectPanning", bool());
// (pan gesture recogniser)
LU_SELECTOR(_handleExposureBiasPan, "_handleExposureBiasPan:", void(id));
LU_SELECTOR(_handleFocusRectPan, "_handleFocusRectPan:", void(id));
// (focus, exposure, point)
LU_SELECTOR(_endPanFocus_exposure_atPoint,
            "_endPanFocus:exposure:atPoint:", void(bool, bool, CGPoint));
// (from mode index, to mode index)
LU_SELECTOR(_switchFromCameraModeAtIndex_toCameraModeAtIndex,
            "_switchFromCameraModeAtIndex:toCameraModeAtIndex:", void(long, long));
LU_SELECTOR(_modeChangeSwipeMatchesExposureBiasPanDirection,
            "_modeChangeSwipeMatchesExposureBiasPanDirection", bool());
}  // namespace CAMCameraView

namespace CAMAssetSaver {
// (capture response, request enqueued block, completion block)
LU_SELECTOR(saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock,
            "saveStillImageCaptureResponse:requestEnqueuedBlock:completionBlock:",
            void(id, hostapi::RequestEnqueuedBlock, hostapi::SaveCompletionBlock));
// (capture response) -> the image job
LU_SELECTOR(_imageJobForStillImageCaptureResponse,
            "_imageJobForStillImageCaptureResponse:", id(id));
// (job dictionary, asset, request enqueued block, completion block, image surface, preview
// surface, transient). The job dictionary is the host's and may be changed in place; the
// surfaces stay the caller's.
LU_SELECTOR(
    queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient,
    "queueJobDictionary:asset:requestEnqueuedBlock:completionBlock:imageSurface:"
    "previewImageSurface:transient:",
    void(ns::Dictionary*, id, hostapi::RequestEnqueuedBlock, hostapi::SaveCompletionBlock,
         IOSurfaceRef, IOSurfaceRef, bool));
}  // namespace CAMAssetSaver

namespace CAMCaptureController {
// Class method: the shared controller (not owned by the caller).
LU_SELECTOR(sharedInstance, "sharedInstance", id());

LU_SELECTOR(_willTakePhoto, "_willTakePhoto", void());
LU_SELECTOR(_didTakePhoto, "_didTakePhoto", void());
// (request)
LU_SELECTOR(_applyHDRSettingsFromRequest, "_applyHDRSettingsFromRequest:", void(id));
LU_SELECTOR(resumePreview, "resumePreview", void());
LU_SELECTOR(_setupCamera, "_setupCamera", void());
LU_SELECTOR(mogulFrameRate, "mogulFrameRate", long());
// (camera device, options) -> session preset name
LU_SELECTOR(_videoModeSessionPresetForDevice_options,
            "_videoModeSessionPresetForDevice:options:", std::string(long, long));
// (camera mode, camera device) -> session preset name
LU_SELECTOR(_photoModeSessionPresetForMode_device,
            "_photoModeSessionPresetForMode:device:", std::string(long, long));
// (notification)
LU_SELECTOR(_applicationDidEnterBackground, "_applicationDidEnterBackground:", void(id));
LU_SELECTOR(_destroyCamera, "_destroyCamera", void());
// (accelerometer, device orientation)
LU_SELECTOR(accelerometer_didChangeDeviceOrientation,
            "accelerometer:didChangeDeviceOrientation:", void(id, long));
// (notification)
LU_SELECTOR(_sessionStopped, "_sessionStopped:", void(id));
LU_SELECTOR(_sessionStarted, "_sessionStarted:", void(id));
LU_SELECTOR(_deviceStarted, "_deviceStarted:", void(id));
LU_SELECTOR(_previewStarted, "_previewStarted", void());
LU_SELECTOR(startVideoCapture, "startVideoCapture", void());
LU_SELECTOR(stopVideoCapture, "stopVideoCapture", void());
LU_SELECTOR(_focusStarted, "_focusStarted", void());
LU_SELECTOR(_focusCompleted, "_focusCompleted", void());
LU_SELECTOR(canChangeFocusOrExposure, "canChangeFocusOrExposure", bool());
// (camera mode, camera device)
LU_SELECTOR(setCameraMode_device, "setCameraMode:device:", void(long, long));
LU_SELECTOR(_setCameraMode_cameraDevice, "_setCameraMode:cameraDevice:", void(long, long));
LU_SELECTOR(startPreview, "startPreview", void());
// (completion handler or options; passed through)
LU_SELECTOR(startPreview_, "startPreview:", void(id));
LU_SELECTOR(canCapturePhotoDuringRecording, "canCapturePhotoDuringRecording", bool());
}  // namespace CAMCaptureController

namespace CAMSlalomIndicatorView {
// Class method: a new badge with the given frame, owned by the caller (+alloc -initWithFrame:).
LU_SELECTOR(initWithFrame, "initWithFrame:", std::shared_ptr<NSObject>(CGRect));
}  // namespace CAMSlalomIndicatorView

}  // namespace hostsel
