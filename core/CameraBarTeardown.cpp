// Clean-up when the camera view goes away and the destroy functions, in their fixed order.
// Animation completions still pending afterwards look their objects up again and find none.
#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "capture/FrameRateModel.h"
#include "capture/WhiteBalance.h"
#include "core/CameraBarLifecycle.h"
#include "core/ModeChangeSteps.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "overlays/CustomSlalomIndicatorView.h"
#include "platform/ui/UIViewController.h"

namespace lumora {
namespace {

// Takes a view (or a controller's view) off the screen and releases the reference.
template <class T>
void removeAndRelease(std::shared_ptr<T>& object) {
    const std::shared_ptr<T> held = std::move(object);
    object.reset();
    if (auto* view = dynamic_cast<UIView*>(held.get())) {
        view->removeFromSuperview();
    } else if (auto* controller = dynamic_cast<UIViewController*>(held.get())) {
        if (auto root = controller->view()) root->removeFromSuperview();
    }
}

}  // namespace

void CleanUpOnMinimize() {
    TweakState& s = state();
    s.prevCameraControllerCameraMode = -1;
    s.prevCameraControllerCameraDevice = -1;
    savePrefs();
    emptyMaxFrameRatesForHeightVariables();
    if (const auto bar = currentCameraBar()) {
        bar->toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
        bar->DestroyCMDeviceMotion();
        s.killtimer = true;
    }
    toggleCameraButtonArray(0);
    if (s.whiteBalanceLockLbl) hideAndDestroyWBLabel();
    modechange::releaseLensPositionControllerStep();
}

void destroyObjects(bool keepPrefs) {
    TweakState& s = state();
    s.killtimer = true;
    if (!keepPrefs) s.prefsDictionary.reset();
    if (const auto bar = currentCameraBar()) {
        bar->StopCMDeviceMotion(false);
        // The dial view leaves the camera view and a running count-down stops now.
        bar->teardownDialAndTimer();
        s.cameraBar.reset();
    } else {
        s.cameraBar.reset();
    }
    s._CAMBottomBar.reset();
    destroyCameraButtonArray();
    destroyLabelsAndIndicators();
}

void destroyCameraButtonArray() {
    TweakState& s = state();
    toggleCameraButtonArray(0);
    removeAndRelease(s.modeAdvCameraBtn);
    removeAndRelease(s.modeAdvVideoBtn);
    removeAndRelease(s.modeToggleStabilizationBtn);
    s.modeTimerBtn.reset();
    s.modeLapseTimerBtn.reset();
    s.modeWBBtn.reset();
    removeAndRelease(s._cameraButtonView);
    s.buttonsCreated = false;
}

void destroyLabelsAndIndicators() {
    TweakState& s = state();
    removeAndRelease(s.wrenchButton);
    removeAndRelease(s._CAMSlalomIndicatorView);
    removeAndRelease(s._CAMSlalomIndicatorReplacement);
    removeAndRelease(s._CAMSlalomDimensionIndicator);
    s.deviceFrameRatesForDimensions.reset();
    removeAndRelease(s.overlaySelectionController);
    removeAndRelease(s.horizonAlignmentBtn);
    removeAndRelease(s.horizontalAlignmentBase);
    removeAndRelease(s.horizontalAlignmentIndicator);
    removeAndRelease(s.videoVerticallyTiltedAlert);
    removeAndRelease(s.focusAndExposureToolController);
}

}  // namespace lumora
