#include "core/HookTable.h"

#include <array>
#include <cstdio>
#include <string_view>
#include <utility>

#include "core/CompanionHooks.h"
#include "core/Hooks.h"
#include "hostapi/ReplaceableMethods.h"
#include "hostapi/Selectors.h"
#include "manual/ManualFocusHooks.h"
#include "photo/AssetSaverHooks.h"

namespace lumora {
namespace {

// One row per built replacement: the descriptor gives class-independent typing, the class name
// says where it goes.
template <class Selector, auto Replacement>
constexpr HookRow row(const char* className) {
    return HookRow{className, Selector::name, &installReplacement<Selector, Replacement>};
}

// A replacement that adds nothing: it only calls the host's method.
template <class Selector, class Signature = typename Selector::Signature>
struct PassThrough;
template <class Selector, class R, class... A>
struct PassThrough<Selector, R(A...)> {
    static R call(id self, SEL cmd, A... args) {
        return callOriginal<Selector>(self, cmd, std::forward<A>(args)...);
    }
};

template <class Selector>
constexpr HookRow passThrough(const char* className) {
    return row<Selector, &PassThrough<Selector>::call>(className);
}

namespace cv = hostsel::CAMCameraView;
namespace cc = hostsel::CAMCaptureController;
namespace as = hostsel::CAMAssetSaver;
namespace bb = hostsel::CAMBottomBar;
namespace mb = hostsel::CAMExpandableMenuButton;
namespace tb = hostsel::CAMTopBar;

constexpr std::array kHookTable{
    passThrough<hostsel::UIApplication::didReceiveMemoryWarning>("UIApplication"),
    row<mb::startExpansionWithProposedFrame,
        &hooks::CAMExpandableMenuButton_startExpansionWithProposedFrame>("CAMExpandableMenuButton"),
    row<mb::startCollapsingWithProposedFrame,
        &hooks::CAMExpandableMenuButton_startCollapsingWithProposedFrame>(
        "CAMExpandableMenuButton"),
    passThrough<hostsel::CAMExpandableMenuButton::setOrientation_animated>(
        "CAMExpandableMenuButton"),
    passThrough<hostsel::CAMFilterButton::_commonCAMFilterButtonInitialization>("CAMFilterButton"),
    row<hostsel::CAMAvalancheSession::init, &hooks::CAMAvalancheSession_init>(
        "CAMAvalancheSession"),
    row<hostsel::CAMAvalancheSession::dealloc, &hooks::CAMAvalancheSession_dealloc>(
        "CAMAvalancheSession"),
    row<hostsel::CAMZoomSlider::initWithFrame, &hooks::CAMZoomSlider_initWithFrame>(
        "CAMZoomSlider"),
    row<tb::layoutSubviews, &hooks::CAMTopBar_layoutSubviews>("CAMTopBar"),
    row<tb::pointInside_withEvent, &hooks::CAMTopBar_pointInside_withEvent>("CAMTopBar"),
    row<hostsel::CAMShutterButton::setMode_animated, &hooks::CAMShutterButton_setMode_animated>(
        "CAMShutterButton"),
    row<bb::_layoutForHorizontalOrientation, &hooks::CAMBottomBar__layoutForHorizontalOrientation>(
        "CAMBottomBar"),
    row<bb::_layoutForVerticalOrientation, &hooks::CAMBottomBar__layoutForVerticalOrientation>(
        "CAMBottomBar"),
    row<bb::pointInside_withEvent, &hooks::CAMBottomBar_pointInside_withEvent>("CAMBottomBar"),
    row<bb::layoutSubviews, &hooks::CAMBottomBar_layoutSubviews>("CAMBottomBar"),
    row<hostsel::CAMPreviewView::initWithFrame, &hooks::CAMPreviewView_initWithFrame>(
        "CAMPreviewView"),
    row<cv::_showContinuousAEAFView, &hooks::CAMCameraView__showContinuousAEAFView>(
        "CAMCameraView"),
    passThrough<cv::_setSplitFocusAndExposure>("CAMCameraView"),
    passThrough<cv::_handleSplitFocusAndExposureTap>("CAMCameraView"),
    row<cv::pointInside_withEvent, &hooks::CAMCameraView_pointInside_withEvent>("CAMCameraView"),
    row<cv::_allowExposureBiasForMode, &hooks::CAMCameraView__allowExposureBiasForMode>(
        "CAMCameraView"),
    row<cv::_finishCommonTapGesture, &hooks::CAMCameraView__finishCommonTapGesture>(
        "CAMCameraView"),
    row<cv::captureController_didCaptureStillImageForRequest,
        &hooks::CAMCameraView_captureController_didCaptureStillImageForRequest>("CAMCameraView"),
    row<cv::captureController_willCaptureStillImageForRequest,
        &hooks::CAMCameraView_captureController_willCaptureStillImageForRequest>("CAMCameraView"),
    row<cv::_cameraOrientationChanged, &hooks::CAMCameraView__cameraOrientationChanged>(
        "CAMCameraView"),
    row<cv::videoPreviewView, &hooks::CAMCameraView_videoPreviewView>("CAMCameraView"),
    row<cv::cameraControllerModeDidChange, &hooks::CAMCameraView_cameraControllerModeDidChange>(
        "CAMCameraView"),
    passThrough<cv::animateBlurForSuspension>("CAMCameraView"),
    row<cv::_shouldShowFocus, &hooks::CAMCameraView__shouldShowFocus>("CAMCameraView"),
    row<cv::cameraController_didStartTransitionToShowEffectsGrid_animated,
        &hooks::CAMCameraView_cameraController_didStartTransitionToShowEffectsGrid_animated>(
        "CAMCameraView"),
    row<cv::stopPreviewAnimated, &hooks::CAMCameraView_stopPreviewAnimated>("CAMCameraView"),
    row<cv::touchesBegan_withEvent, &hooks::CAMCameraView_touchesBegan_withEvent>("CAMCameraView"),
    passThrough<cv::touchesEnded_withEvent>("CAMCameraView"),
    row<cv::viewDidAppear, &hooks::CAMCameraView_viewDidAppear>("CAMCameraView"),
    row<cv::_handleOverlayViewLongPress, &hooks::CAMCameraView__handleOverlayViewLongPress>(
        "CAMCameraView"),
    row<cv::dealloc, &hooks::CAMCameraView_dealloc>("CAMCameraView"),
    row<cv::cameraShutterPressed, &hooks::CAMCameraView_cameraShutterPressed>("CAMCameraView"),
    row<cv::_performVideoCapture, &hooks::CAMCameraView__performVideoCapture>("CAMCameraView"),
    passThrough<cv::_removeVideoCaptureControls>("CAMCameraView"),
    row<cv::_allowFocusRectPanning, &hooks::CAMCameraView__allowFocusRectPanning>("CAMCameraView"),
    row<cv::_handleExposureBiasPan, &hooks::CAMCameraView__handleExposureBiasPan>("CAMCameraView"),
    passThrough<cv::_handleFocusRectPan>("CAMCameraView"),
    row<cv::_endPanFocus_exposure_atPoint, &hooks::CAMCameraView__endPanFocus_exposure_atPoint>(
        "CAMCameraView"),
    row<cv::_switchFromCameraModeAtIndex_toCameraModeAtIndex,
        &hooks::CAMCameraView__switchFromCameraModeAtIndex_toCameraModeAtIndex>("CAMCameraView"),
    passThrough<cv::_modeChangeSwipeMatchesExposureBiasPanDirection>("CAMCameraView"),
    row<as::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock,
        &hooks::CAMAssetSaver_saveStillImageCaptureResponse>("CAMAssetSaver"),
    row<as::_imageJobForStillImageCaptureResponse,
        &hooks::CAMAssetSaver__imageJobForStillImageCaptureResponse>("CAMAssetSaver"),
    row<as::queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient,
        &hooks::CAMAssetSaver_queueJobDictionary>("CAMAssetSaver"),
    passThrough<cc::_willTakePhoto>("CAMCaptureController"),
    row<cc::_didTakePhoto, &hooks::CAMCaptureController__didTakePhoto>("CAMCaptureController"),
    passThrough<cc::_applyHDRSettingsFromRequest>("CAMCaptureController"),
    row<cc::resumePreview, &hooks::CAMCaptureController_resumePreview>("CAMCaptureController"),
    passThrough<cc::_setupCamera>("CAMCaptureController"),
    passThrough<cc::mogulFrameRate>("CAMCaptureController"),
    row<cc::_videoModeSessionPresetForDevice_options,
        &hooks::CAMCaptureController__videoModeSessionPresetForDevice_options>(
        "CAMCaptureController"),
    row<cc::_photoModeSessionPresetForMode_device,
        &hooks::CAMCaptureController__photoModeSessionPresetForMode_device>("CAMCaptureController"),
    row<cc::_applicationDidEnterBackground,
        &hooks::CAMCaptureController__applicationDidEnterBackground>("CAMCaptureController"),
    passThrough<cc::_destroyCamera>("CAMCaptureController"),
    row<cc::accelerometer_didChangeDeviceOrientation,
        &hooks::CAMCaptureController_accelerometer_didChangeDeviceOrientation>(
        "CAMCaptureController"),
    row<cc::_sessionStopped, &hooks::CAMCaptureController__sessionStopped>("CAMCaptureController"),
    row<cc::_sessionStarted, &hooks::CAMCaptureController__sessionStarted>("CAMCaptureController"),
    passThrough<cc::_deviceStarted>("CAMCaptureController"),
    row<cc::_previewStarted, &hooks::CAMCaptureController__previewStarted>("CAMCaptureController"),
    row<cc::startVideoCapture, &hooks::CAMCaptureController_startVideoCapture>(
        "CAMCaptureController"),
    row<cc::stopVideoCapture, &hooks::CAMCaptureController_stopVideoCapture>(
        "CAMCaptureController"),
    passThrough<cc::_focusStarted>("CAMCaptureController"),
    passThrough<cc::_focusCompleted>("CAMCaptureController"),
    row<cc::canChangeFocusOrExposure, &hooks::CAMCaptureController_canChangeFocusOrExposure>(
        "CAMCaptureController"),
    passThrough<cc::setCameraMode_device>("CAMCaptureController"),
    row<cc::_setCameraMode_cameraDevice, &hooks::CAMCaptureController__setCameraMode_cameraDevice>(
        "CAMCaptureController"),
    row<cc::startPreview, &hooks::CAMCaptureController_startPreview>("CAMCaptureController"),
    passThrough<cc::startPreview_>("CAMCaptureController"),
    row<cc::canCapturePhotoDuringRecording,
        &hooks::CAMCaptureController_canCapturePhotoDuringRecording>("CAMCaptureController"),
};

// Each built row names a replaceable method of the host, and the rows keep the list's order.
constexpr bool followsReplaceableMethods() {
    std::size_t next = 0;
    for (const HookRow& r : kHookTable) {
        while (next < hostapi::kReplaceableMethods.size() &&
               !(std::string_view(hostapi::kReplaceableMethods[next].className) == r.className &&
                 std::string_view(hostapi::kReplaceableMethods[next].selector) == r.selector)) {
            ++next;
        }
        if (next == hostapi::kReplaceableMethods.size()) return false;
        ++next;
    }
    return true;
}
static_assert(followsReplaceableMethods(),
              "a hook row names no replaceable method or stands out of the list's order");

}  // namespace

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
