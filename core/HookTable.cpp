#include "core/HookTable.h"

#include <array>
#include <cstdio>

#include "core/Hooks.h"
#include "hostapi/Selectors.h"
#include "photo/AssetSaverHooks.h"

namespace lumora {
namespace {

constexpr std::array<ReplacedMethod, 73> kReplacedMethods{{
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
}};

// One row per built replacement: the descriptor gives class-independent typing, the class name
// says where it goes.
template <class Selector, auto Replacement>
constexpr HookRow row(const char* className) {
    return HookRow{className, Selector::name, &installReplacement<Selector, Replacement>};
}

namespace cv = hostsel::CAMCameraView;
namespace cc = hostsel::CAMCaptureController;
namespace as = hostsel::CAMAssetSaver;

const std::array kHookTable{
    row<hostsel::CAMAvalancheSession::init, &hooks::CAMAvalancheSession_init>(
        "CAMAvalancheSession"),
    row<hostsel::CAMAvalancheSession::dealloc, &hooks::CAMAvalancheSession_dealloc>(
        "CAMAvalancheSession"),
    row<hostsel::CAMZoomSlider::initWithFrame, &hooks::CAMZoomSlider_initWithFrame>(
        "CAMZoomSlider"),
    row<hostsel::CAMPreviewView::initWithFrame, &hooks::CAMPreviewView_initWithFrame>(
        "CAMPreviewView"),
    row<cv::_allowFocusRectPanning, &hooks::CAMCameraView__allowFocusRectPanning>("CAMCameraView"),
    row<as::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock,
        &hooks::CAMAssetSaver_saveStillImageCaptureResponse>("CAMAssetSaver"),
    row<as::_imageJobForStillImageCaptureResponse,
        &hooks::CAMAssetSaver__imageJobForStillImageCaptureResponse>("CAMAssetSaver"),
    row<as::queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient,
        &hooks::CAMAssetSaver_queueJobDictionary>("CAMAssetSaver"),
    row<cc::_sessionStopped, &hooks::CAMCaptureController__sessionStopped>("CAMCaptureController"),
    row<cc::canChangeFocusOrExposure, &hooks::CAMCaptureController_canChangeFocusOrExposure>(
        "CAMCaptureController"),
    row<cc::startPreview, &hooks::CAMCaptureController_startPreview>("CAMCaptureController"),
    row<cc::canCapturePhotoDuringRecording,
        &hooks::CAMCaptureController_canCapturePhotoDuringRecording>("CAMCaptureController"),
};

}  // namespace

std::span<const ReplacedMethod> replacedMethods() {
    return kReplacedMethods;
}

std::span<const HookRow> hookTable() {
    return kHookTable;
}

std::size_t installHooks() {
    std::size_t replaced = 0;
    for (const HookRow& r : kHookTable) {
        objc::Class* cls = objc_getClass(r.className);
        if (cls == nullptr) {
            std::fprintf(stderr, "Lumora3: the app has no class %s; -[%s %s] is not replaced\n",
                         r.className, r.className, r.selector);
            continue;
        }
        const objc::HookResult result = r.install(cls);
        if (result == objc::HookResult::Replaced) {
            ++replaced;
        } else {
            objc::reportHookFailure(result, cls, r.selector);
        }
    }
    return replaced;
}

}  // namespace lumora
