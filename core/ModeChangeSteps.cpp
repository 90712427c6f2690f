// The camera bar's own steps of the host's mode change.
#include "core/ModeChangeSteps.h"

#include "camerabar/CameraBar.h"
#include "camerabar/CompanionCalls.h"
#include "capture/ChosenDimension.h"
#include "capture/FormatBadges.h"
#include "capture/Stabilization.h"
#include "capture/WhiteBalance.h"
#include "core/CameraBarLifecycle.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "platform/capture/AVCaptureConnection.h"
#include "platform/capture/AVCaptureTypes.h"
#include "platform/ui/UIButton.h"
#include "tools/Predicates.h"

namespace lumora::modechange {
namespace {

// The badges call the bar's toggleElement: bound weakly, so a badge outliving the bar is inert.
UIGestureRecognizer::Action toggleElementAction(const std::shared_ptr<CameraBar>& bar) {
    std::weak_ptr<CameraBar> weak = bar;
    return [weak](UIGestureRecognizer* recognizer) {
        if (auto b = weak.lock()) b->toggleElement(recognizer);
    };
}

}  // namespace

bool isRepeatedModeChange(long mode, long device) {
    const TweakState& s = state();
    return mode == s.prevCameraControllerCameraMode && device == s.prevCameraControllerCameraDevice;
}

void prepareCameraBar() {
    TweakState& s = state();
    s.skipChangeFocusCall = false;
    if (!s.cameraBar) {
        LoadPrefs();
        if (!s.buttonsCreated) createCameraButtonArray(hostBottomBar().get());
    } else if (auto bar = currentCameraBar()) {
        bar->toggleElementFinished(HIDE_FPS_SELECTOR, 1.0f);
        bar->toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.1f);
    }
}

void closeCameraBar() {
    toggleCameraButtonArray(0);
}

void rebuildCompanions(long mode) {
    const std::shared_ptr<CameraBar> bar = currentCameraBar();
    if (!bar) return;
    TweakState& s = state();
    hideAndDestroyWBLabel();
    createLensPositionControllerStep();
    createOrToggleDimensionIndicatorAndLabels(toggleElementAction(bar), bar);
    createOrToggleFrameRateLabelsEx(toggleElementAction(bar), bar, static_cast<int>(mode),
                                    s.currentFrameRate);
    createFocusAndExposureToolsStep();
    createOverlayIndicatorStep();
    createHorizonAlignmentBtnStep();
    createVerticallyTiltedAlertStep();
    // The tap may rebuild what holds the button: keep it for the call.
    const std::shared_ptr<NSObject> custom = s.modeCustomBtn;
    auto* button = dynamic_cast<UIControl*>(custom.get());
    if (button != nullptr && button->isSelected()) bar->cameraBarButtonTapped(button);
}

void placeWrenchButton() {
    if (auto* wrench = dynamic_cast<UIView*>(state().wrenchButton.get())) {
        wrench->setHidden(getCameraMode() == 3);
    }
}

void rememberModeChange(long mode, long device) {
    state().prevCameraControllerCameraMode = static_cast<int>(mode);
    state().prevCameraControllerCameraDevice = static_cast<int>(device);
}

void assignResolutionLabel(long mode, long device) {
    const TweakState& s = state();
    const long hostMode = getCameraMode();
    if (hostMode == 6) {
        assignCurrentDimensionAndSetLabel(2448);
        return;
    }
    if (hostMode == 2) {
        assignCurrentDimensionAndSetLabel(1080);
        return;
    }
    int height = 0;
    if (!s.sessionHasStarted && s.rememberFPSSettings) {
        height = getCurrentDimensionHeight(static_cast<int>(mode), static_cast<int>(device));
        if (height == 0) {
            height = getCurrentDimensionHeightWithGivenModesAndZeroConversion(
                static_cast<int>(mode), static_cast<int>(device));
        }
    } else {
        height = getCurrentDimensionHeightWithZeroConversion();
    }
    assignCurrentDimensionAndSetLabel(height);
    assignCurrentFrameRateAndSetLabel(state().currentFrameRate);
}

void resetFocusTabs() {
    focustool::resetFocusAndExposureTabs();
}

void mirrorFrontCameraVideo(long mode, long device) {
    if (!state().unMirrorSelfies || !isVideoModeEx(mode) || !isFrontCameraEx(device)) return;
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (controller == nullptr) return;
    const auto output = controller->currentOutput();
    if (!output) return;
    const auto connection = output->connectionWithMediaType(AVMediaTypeVideo);
    if (connection && connection->isVideoMirroringSupported()) connection->setVideoMirrored(true);
}

void reapplyStabilization(long mode) {
    if (state().rememberSettings && isVideoModeEx(mode)) {
        toggleStabilizeMode(state().stabilizerIndex, false);
    }
}

void deferUntilSessionStarts() {
    if (!state().sessionHasStarted) {
        state().doCameraModeChangeProceduresBecauseOfNoSessionHasStarted = true;
    }
}

}  // namespace lumora::modechange
