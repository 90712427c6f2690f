#pragma once
// The host's replaceable methods as a list: class name and selector, in the order the add-on
// installs its replacements. Each row is made from the class's selector descriptor in
// hostapi/Selectors.h, so the class name is the descriptor's namespace and the selector its
// name: neither can drift from the typed contract.

#include <array>

#include "hostapi/Selectors.h"

namespace hostapi {

struct ReplaceableMethod {
    const char* className;
    SEL selector;
};

// clang-format off
#define LU_REPLACEABLE(Cls, Ident) ReplaceableMethod{#Cls, hostsel::Cls::Ident::name}
// clang-format on

inline constexpr std::array<ReplaceableMethod, 73> kReplaceableMethods{{
    LU_REPLACEABLE(UIApplication, didReceiveMemoryWarning),
    LU_REPLACEABLE(CAMExpandableMenuButton, startExpansionWithProposedFrame),
    LU_REPLACEABLE(CAMExpandableMenuButton, startCollapsingWithProposedFrame),
    LU_REPLACEABLE(CAMExpandableMenuButton, setOrientation_animated),
    LU_REPLACEABLE(CAMFilterButton, _commonCAMFilterButtonInitialization),
    LU_REPLACEABLE(CAMAvalancheSession, init),
    LU_REPLACEABLE(CAMAvalancheSession, dealloc),
    LU_REPLACEABLE(CAMZoomSlider, initWithFrame),
    LU_REPLACEABLE(CAMTopBar, layoutSubviews),
    LU_REPLACEABLE(CAMTopBar, pointInside_withEvent),
    LU_REPLACEABLE(CAMShutterButton, setMode_animated),
    LU_REPLACEABLE(CAMBottomBar, _layoutForHorizontalOrientation),
    LU_REPLACEABLE(CAMBottomBar, _layoutForVerticalOrientation),
    LU_REPLACEABLE(CAMBottomBar, pointInside_withEvent),
    LU_REPLACEABLE(CAMBottomBar, layoutSubviews),
    LU_REPLACEABLE(CAMPreviewView, initWithFrame),
    LU_REPLACEABLE(CAMCameraView, _showContinuousAEAFView),
    LU_REPLACEABLE(CAMCameraView, _setSplitFocusAndExposure),
    LU_REPLACEABLE(CAMCameraView, _handleSplitFocusAndExposureTap),
    LU_REPLACEABLE(CAMCameraView, pointInside_withEvent),
    LU_REPLACEABLE(CAMCameraView, _allowExposureBiasForMode),
    LU_REPLACEABLE(CAMCameraView, _finishCommonTapGesture),
    LU_REPLACEABLE(CAMCameraView, captureController_didCaptureStillImageForRequest),
    LU_REPLACEABLE(CAMCameraView, captureController_willCaptureStillImageForRequest),
    LU_REPLACEABLE(CAMCameraView, _cameraOrientationChanged),
    LU_REPLACEABLE(CAMCameraView, videoPreviewView),
    LU_REPLACEABLE(CAMCameraView, cameraControllerModeDidChange),
    LU_REPLACEABLE(CAMCameraView, animateBlurForSuspension),
    LU_REPLACEABLE(CAMCameraView, _shouldShowFocus),
    LU_REPLACEABLE(CAMCameraView, cameraController_didStartTransitionToShowEffectsGrid_animated),
    LU_REPLACEABLE(CAMCameraView, stopPreviewAnimated),
    LU_REPLACEABLE(CAMCameraView, touchesBegan_withEvent),
    LU_REPLACEABLE(CAMCameraView, touchesEnded_withEvent),
    LU_REPLACEABLE(CAMCameraView, viewDidAppear),
    LU_REPLACEABLE(CAMCameraView, _handleOverlayViewLongPress),
    LU_REPLACEABLE(CAMCameraView, dealloc),
    LU_REPLACEABLE(CAMCameraView, cameraShutterPressed),
    LU_REPLACEABLE(CAMCameraView, _performVideoCapture),
    LU_REPLACEABLE(CAMCameraView, _removeVideoCaptureControls),
    LU_REPLACEABLE(CAMCameraView, _allowFocusRectPanning),
    LU_REPLACEABLE(CAMCameraView, _handleExposureBiasPan),
    LU_REPLACEABLE(CAMCameraView, _handleFocusRectPan),
    LU_REPLACEABLE(CAMCameraView, _endPanFocus_exposure_atPoint),
    LU_REPLACEABLE(CAMCameraView, _switchFromCameraModeAtIndex_toCameraModeAtIndex),
    LU_REPLACEABLE(CAMCameraView, _modeChangeSwipeMatchesExposureBiasPanDirection),
    LU_REPLACEABLE(CAMAssetSaver,
                   saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock),
    LU_REPLACEABLE(CAMAssetSaver, _imageJobForStillImageCaptureResponse),
    LU_REPLACEABLE(
        CAMAssetSaver,
        queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient),
    LU_REPLACEABLE(CAMCaptureController, _willTakePhoto),
    LU_REPLACEABLE(CAMCaptureController, _didTakePhoto),
    LU_REPLACEABLE(CAMCaptureController, _applyHDRSettingsFromRequest),
    LU_REPLACEABLE(CAMCaptureController, resumePreview),
    LU_REPLACEABLE(CAMCaptureController, _setupCamera),
    LU_REPLACEABLE(CAMCaptureController, mogulFrameRate),
    LU_REPLACEABLE(CAMCaptureController, _videoModeSessionPresetForDevice_options),
    LU_REPLACEABLE(CAMCaptureController, _photoModeSessionPresetForMode_device),
    LU_REPLACEABLE(CAMCaptureController, _applicationDidEnterBackground),
    LU_REPLACEABLE(CAMCaptureController, _destroyCamera),
    LU_REPLACEABLE(CAMCaptureController, accelerometer_didChangeDeviceOrientation),
    LU_REPLACEABLE(CAMCaptureController, _sessionStopped),
    LU_REPLACEABLE(CAMCaptureController, _sessionStarted),
    LU_REPLACEABLE(CAMCaptureController, _deviceStarted),
    LU_REPLACEABLE(CAMCaptureController, _previewStarted),
    LU_REPLACEABLE(CAMCaptureController, startVideoCapture),
    LU_REPLACEABLE(CAMCaptureController, stopVideoCapture),
    LU_REPLACEABLE(CAMCaptureController, _focusStarted),
    LU_REPLACEABLE(CAMCaptureController, _focusCompleted),
    LU_REPLACEABLE(CAMCaptureController, canChangeFocusOrExposure),
    LU_REPLACEABLE(CAMCaptureController, setCameraMode_device),
    LU_REPLACEABLE(CAMCaptureController, _setCameraMode_cameraDevice),
    LU_REPLACEABLE(CAMCaptureController, startPreview),
    LU_REPLACEABLE(CAMCaptureController, startPreview_),
    LU_REPLACEABLE(CAMCaptureController, canCapturePhotoDuringRecording),
}};

#undef LU_REPLACEABLE

}  // namespace hostapi
