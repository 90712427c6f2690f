// The replacements that close the self-timer and time-lapse loop with the host (the shutter and
// the photo-taken report), and the session and preview starts that re-apply the remembered
// stabilization and frame rate. Each only translates and hands over to its subsystem.
#include "camerabar/CameraBar.h"
#include "capture/ApplyFormat.h"
#include "capture/FrameRateModel.h"
#include "capture/Stabilization.h"
#include "core/CameraBarLifecycle.h"
#include "core/HookTable.h"
#include "core/Hooks.h"
#include "core/ModeChangeSteps.h"
#include "core/TweakState.h"
#include "manual/ManualFocusHooks.h"
#include "platform/runloop/RunLoop.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

// How long after the preview starts the remembered frame rate is applied again.
constexpr double kFrameRateReapplyDelay = 0.5;

// Before the host takes the shutter's photo: close the picker (and an idle dial), slide the bar
// away in photo modes, and tell the timer engine.
void shutterHandOff() {
    const std::shared_ptr<CameraBar> bar = currentCameraBar();
    if (!bar) return;
    bar->toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
    if (bar->timerMode == TimerModeNone) bar->toggleElementFinished(HIDE_FPS_SELECTOR, 0.0f);
    if (!isCameraMode()) return;
    hideCameraBar4(nullptr, 0.3, false, bar->timerMode == TimerModeTimeLapse);
    bar->timerShutterPressed();
}

void photoTakenHandOff() {
    if (!isCameraMode()) return;
    if (const std::shared_ptr<CameraBar> bar = currentCameraBar()) bar->timerPhotoTaken();
}

// Runs on the main queue after the delay: everything is checked again, as the camera may have
// changed mode or gone meanwhile.
void reapplyRememberedFrameRate() {
    TweakState& s = state();
    if (s.skipDoubleUpdate) {
        s.skipDoubleUpdate = false;
        return;
    }
    const CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (controller == nullptr || controller->currentDevice() == nullptr) return;
    if (controller->cameraMode() == 1 && s.currentFrameRate != 0) {
        s.skipDoubleUpdate = true;
        setFrameRate(s.currentFrameRate, false);
    }
}

}  // namespace

namespace modechange {

// A photo taken before the mode change must not swallow the new mode's frame-rate re-apply.
void forgetPhotoFrameRateSkip() {
    state().skipDoubleUpdate = false;
}

}  // namespace modechange

namespace hooks {

namespace cv = hostsel::CAMCameraView;
namespace cc = hostsel::CAMCaptureController;

void CAMCameraView_cameraShutterPressed(id self, SEL cmd, id sender) {
    shutterHandOff();
    callOriginal<cv::cameraShutterPressed>(self, cmd, sender);
    // In video the press starts or stops a recording (whose stop already ran inside the host's
    // method): only a still is being captured, and only the still's report clears the mark.
    if (!isVideoMode()) state().capturingPhoto = true;
}

void CAMCaptureController__didTakePhoto(id self, SEL cmd) {
    state().skipDoubleUpdate = true;
    callOriginal<cc::_didTakePhoto>(self, cmd);
    stillCaptureEnded();
    photoTakenHandOff();
}

void CAMCaptureController__sessionStarted(id self, SEL cmd, id notification) {
    callOriginal<cc::_sessionStarted>(self, cmd, notification);
    TweakState& s = state();
    s.sessionHasStarted = true;
    if (s.rememberSettings && isVideoMode()) toggleStabilizeMode(s.stabilizerIndex, false);
}

void CAMCaptureController__previewStarted(id self, SEL cmd) {
    callOriginal<cc::_previewStarted>(self, cmd);
    getDimensions(true);
    if (state().rememberFPSSettings) {
        platform::RunLoop::main().schedule(kFrameRateReapplyDelay, reapplyRememberedFrameRate);
    }
}

}  // namespace hooks
}  // namespace lumora
