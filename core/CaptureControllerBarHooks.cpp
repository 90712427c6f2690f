// The camera bar's replacements of the capture controller's methods: the mode change that builds
// and re-lays the bar, recording, orientation and the app going to the background.
#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "camerabar/CompanionCalls.h"
#include "core/CameraBarLifecycle.h"
#include "core/HookTable.h"
#include "core/Hooks.h"
#include "core/ModeChangeSteps.h"
#include "core/TweakState.h"
#include "manual/ManualFocusHooks.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIImageView.h"
#include "tools/Predicates.h"

namespace lumora::hooks {
namespace {

namespace cc = hostsel::CAMCaptureController;

bool customModeSelected() {
    const auto* button = dynamic_cast<const UIControl*>(state().modeCustomBtn.get());
    return button != nullptr && button->isSelected();
}

}  // namespace

void CAMCaptureController__applicationDidEnterBackground(id self, SEL cmd, id notification) {
    // Held for the call: the bar tears itself down.
    if (const auto bar = currentCameraBar()) bar->appDidEnterBackground();
    callOriginal<cc::_applicationDidEnterBackground>(self, cmd, notification);
}

void CAMCaptureController_accelerometer_didChangeDeviceOrientation(id self, SEL cmd,
                                                                   id accelerometer,
                                                                   long orientation) {
    // Unknown, face up and face down leave everything as it is. The orientation is stored
    // before the horizon views turn, so they turn to the new one, not the last.
    const bool known = orientation != 0 && orientation != 5 && orientation != 6;
    if (known) state()._UIDeviceOrientation = orientation;
    overlaytool::updateHorizontalAlignmentViewsOrientation();
    if (known) {
        if (auto* alert = dynamic_cast<UIImageView*>(state().videoVerticallyTiltedAlert.get())) {
            alert->setHighlighted(isVideoMode() && (orientation == 1 || orientation == 2));
        }
        platform::RunLoop::main().post([] { rotateObjectsOnMainThread(); });
    }
    callOriginal<cc::accelerometer_didChangeDeviceOrientation>(self, cmd, accelerometer,
                                                               orientation);
}

void CAMCaptureController_startVideoCapture(id self, SEL cmd) {
    // In the custom mode the camera bar records by itself.
    if (!(getCameraMode() == 1 && customModeSelected())) {
        callOriginal<cc::startVideoCapture>(self, cmd);
    }
    if (const auto view = currentCameraBarView()) {
        view->setTextForMode(sharedCAMCaptureControllerInstance(), true);
    }
    if (const auto bar = currentCameraBar()) {
        bar->toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
        bar->toggleElementFinished(HIDE_FPS_SELECTOR, 0.0f);
    }
}

void CAMCaptureController_stopVideoCapture(id self, SEL cmd) {
    callOriginal<cc::stopVideoCapture>(self, cmd);
    stillCaptureEnded();
    if (const auto view = currentCameraBarView()) {
        view->setTextForMode(sharedCAMCaptureControllerInstance(), false);
    }
}

// Every mode or camera change rebuilds the add-on's elements for the new mode.
void CAMCaptureController__setCameraMode_cameraDevice(id self, SEL cmd, long mode, long device) {
    using namespace modechange;
    if (isRepeatedModeChange(mode, device)) {
        callOriginal<cc::_setCameraMode_cameraDevice>(self, cmd, mode, device);
        return;
    }
    prepareCameraBar();
    forgetPhotoFrameRateSkip();
    closeCameraBar();
    callOriginal<cc::_setCameraMode_cameraDevice>(self, cmd, mode, device);
    attachLensObserver();
    rebuildCompanions(mode);
    placeWrenchButton();
    rememberModeChange(mode, device);
    assignResolutionLabel(mode, device);
    resetFocusTabs();
    mirrorFrontCameraVideo(mode, device);
    reapplyStabilization(mode);
    deferUntilSessionStarts();
}

}  // namespace lumora::hooks
