// Replacements that look after the add-on's companions (see CompanionHooks.h).
#include "core/CompanionHooks.h"

#include "camerabar/VerticalAlertImageView.h"
#include "capture/ChosenDimension.h"
#include "capture/FrameRateModel.h"
#include "core/CameraBarLifecycle.h"
#include "core/CompanionSteps.h"
#include "core/HookTable.h"
#include "core/TopBarCompanions.h"
#include "core/TweakState.h"
#include "manual/ManualFocusHooks.h"
#include "photo/StillCamera.h"
#include "platform/capture/AVCaptureDevice.h"
#include "tools/Predicates.h"

namespace lumora::hooks {
namespace {

namespace cv = hostsel::CAMCameraView;
namespace cc = hostsel::CAMCaptureController;

// The preset from the chosen height, or the fall-back when the camera in use cannot take it.
std::string presetOrFallback(const char* preset, const char* fallback) {
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    const std::shared_ptr<AVCaptureDevice> device =
        controller ? controller->currentDevice() : nullptr;
    if (device && !device->supportsAVCaptureSessionPreset(preset)) return fallback;
    return preset;
}

long currentCameraDevice() {
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    return controller != nullptr ? controller->cameraDevice() : 0;
}

}  // namespace

void CAMExpandableMenuButton_startExpansionWithProposedFrame(id self, SEL cmd, CGRect frame) {
    callOriginal<hostsel::CAMExpandableMenuButton::startExpansionWithProposedFrame>(self, cmd,
                                                                                    frame);
    ToggleTopbarIcons(true);
}

void CAMExpandableMenuButton_startCollapsingWithProposedFrame(id self, SEL cmd, CGRect frame) {
    callOriginal<hostsel::CAMExpandableMenuButton::startCollapsingWithProposedFrame>(self, cmd,
                                                                                     frame);
    ToggleTopbarIcons(false);
}

void CAMTopBar_layoutSubviews(id self, SEL cmd) {
    callOriginal<hostsel::CAMTopBar::layoutSubviews>(self, cmd);
    if (self != nullptr) {
        state()._CAMTopBar = std::dynamic_pointer_cast<CAMTopBar>(self->shared_from_this());
    }
    layoutTopBarCompanions();
}

bool CAMTopBar_pointInside_withEvent(id self, SEL cmd, CGPoint point, id event) {
    const bool inside =
        callOriginal<hostsel::CAMTopBar::pointInside_withEvent>(self, cmd, point, event);
    if (inside) return true;
    auto* button = dynamic_cast<UIView*>(state().horizonAlignmentBtn.get());
    return button != nullptr && CGRectContainsPoint(button->frame(), point);
}

// A still taken while filming with the front camera is never mirrored.
void CAMCameraView_captureController_didCaptureStillImageForRequest(id self, SEL cmd, id controller,
                                                                    id request) {
    callOriginal<cv::captureController_didCaptureStillImageForRequest>(self, cmd, controller,
                                                                       request);
    setFrontVideoMirroring(true);
}

void CAMCameraView_captureController_willCaptureStillImageForRequest(id self, SEL cmd,
                                                                     id controller, id request) {
    rememberStillCamera(controller, request);
    setFrontVideoMirroring(false);
    callOriginal<cv::captureController_willCaptureStillImageForRequest>(self, cmd, controller,
                                                                        request);
}

void CAMCameraView__cameraOrientationChanged(id self, SEL cmd, id notification) {
    callOriginal<cv::_cameraOrientationChanged>(self, cmd, notification);
    VerticalAlertImageView::UpdateHorizontalAlignmentViewsOrientation();
    // The tablet's strip is a column beside the side bar: its top edge follows the orientation.
    if (isTablet()) adjustElementsForRotation();
}

id CAMCameraView_videoPreviewView(id self, SEL cmd) {
    getDimensions(true);
    return callOriginal<cv::videoPreviewView>(self, cmd);
}

void CAMCameraView_cameraControllerModeDidChange(id self, SEL cmd, id controller) {
    callOriginal<cv::cameraControllerModeDidChange>(self, cmd, controller);
    reapplyAdvancedFocus(false);
    emptyMaxFrameRatesForHeightVariables();
    getDimensions(false);
    updateTiltAlertHighlight();
}

void CAMCameraView__performVideoCapture(id self, SEL cmd) {
    setFrontVideoMirroring(true);
    callOriginal<cv::_performVideoCapture>(self, cmd);
}

std::string CAMCaptureController__videoModeSessionPresetForDevice_options(id self, SEL cmd,
                                                                          long device,
                                                                          long options) {
    if (!state().rememberFPSSettings) {
        return callOriginal<cc::_videoModeSessionPresetForDevice_options>(self, cmd, device,
                                                                          options);
    }
    const int height = getCurrentDimensionHeight(1, static_cast<int>(currentCameraDevice()));
    return presetOrFallback(videoSessionPresetForHeight(height), "AVCaptureSessionPresetHigh");
}

std::string CAMCaptureController__photoModeSessionPresetForMode_device(id self, SEL cmd, long mode,
                                                                       long device) {
    if (!state().rememberFPSSettings || mode == 6 || getCameraMode() == 6) {
        return callOriginal<cc::_photoModeSessionPresetForMode_device>(self, cmd, mode, device);
    }
    const int height =
        getCurrentDimensionHeight(static_cast<int>(mode), static_cast<int>(currentCameraDevice()));
    return presetOrFallback(photoSessionPresetForHeight(height), "AVCaptureSessionPresetPhoto");
}

}  // namespace lumora::hooks
