#include "manual/ManualFocusHooks.h"

#include "core/HookTable.h"
#include "core/ModeChangeSteps.h"
#include "core/TweakState.h"
#include "manual/CameraBarAccess.h"
#include "manual/FocusAndExposureToolController.h"
#include "manual/LensPositionViewController.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/ConfigurationGuards.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

FocusAndExposureToolController* tools() {
    return FocusAndExposureToolController::shared();
}

std::shared_ptr<AVCaptureDevice> currentDevice() {
    CAMCaptureController* c = sharedCAMCaptureControllerInstance();
    return c != nullptr ? c->currentDevice() : nullptr;
}

// The camera's own focus and exposure take over again: the tabs show automatic and the rulers
// follow the camera.
void resetManualModes() {
    auto* t = tools();
    if (t == nullptr) return;
    t->setIsInManualFocusMode(false);
    t->setIsInManualISOMode(false);
    t->setSkipLensPositionObserverCallback(false);
    t->setSkipISOObserverCallback(false);
    t->setSkipShutterSpeedObserverCallback(false);
}

// A host frame widened the way the lock targets are: down 30, 10 wider and 20 taller.
CGRect lockTarget(CGRect r) {
    return CGRectMake(r.origin.x, r.origin.y + 30, r.size.width + 10, r.size.height + 20);
}

// In advanced mode a long press locks exposure or focus where the finger rests, instead of the
// host's lock banner. It acts once, when the press is recognised.
void lockUnderLongPress(UIGestureRecognizer& gesture) {
    if (gesture.state() != UIGestureRecognizerStateBegan) return;
    auto preview = state()._CAMPreviewView.lock();
    CAMCaptureController* c = sharedCAMCaptureControllerInstance();
    if (!preview || c == nullptr) return;
    const CGPoint p = gesture.locationInView(gesture.view());
    if (CGRectContainsPoint(lockTarget(preview->lastExposureFrame()), p)) {
        c->setUserLockedFocus(c->userLockedFocus(), true);
        auto device = currentDevice();
        if (device && device->isExposureModeSupported(AVCaptureExposureModeLocked)) {
            if (platform::ConfigurationLock lock(device); lock) {
                device->setExposureMode(AVCaptureExposureModeLocked);
            }
        }
        if (c->userLockedFocus()) c->_setFocusModeLockedWithLensPosition();
    }
    if (CGRectContainsPoint(lockTarget(preview->lastFocusFrame()), p)) {
        c->setUserLockedFocus(true, c->userLockedExposure());
        c->_setFocusModeLockedWithLensPosition();
    }
}

}  // namespace

// ---- Steps other hooks take

void attachLensObserverStep() {
    auto* observer = LensPositionViewController::shared();
    auto device = currentDevice();
    if (observer != nullptr && device) observer->addLensPositionObserver(device);
}

void createLensObserverStep() {
    CreateLensPositionController();
}

void releaseLensObserverStep() {
    hideAndDestroyLensPositionViewController();
}

void createFocusToolsStep() {
    FocusAndExposureToolController::CreateFocusAndExposureTools();
}

void resetFocusToolsStep() {
    if (auto* t = tools()) t->resetFocusAndExposureTabs();
}

void reapplyAdvancedFocusFromSession() {
    auto* t = tools();
    if (t == nullptr) return;
    if (isCameraMode()) {
        t->toggleAdvancedFocus(state().sessionCameraMode != 0, nullptr, false);
    } else if (isVideoMode()) {
        t->toggleAdvancedFocus(state().sessionVideoMode != 0, nullptr, false);
    }
}

void reapplyAdvancedFocus(bool doReset) {
    auto* t = tools();
    if (t == nullptr) return;
    bool on = false;
    if (isCameraMode()) on = cameraBarCameraMode() == 1;
    if (isVideoMode()) on = cameraBarVideoMode() == 1;
    t->toggleAdvancedFocus(on, nullptr, doReset);
}

void stillCaptureEnded() {
    state().capturingPhoto = false;
}

}  // namespace lumora

namespace lumora::hooks {

namespace cv = hostsel::CAMCameraView;
namespace cc = hostsel::CAMCaptureController;

// The host's focus indicator would sit on top of the split rectangles.
void CAMCameraView__showContinuousAEAFView(id self, SEL cmd) {
    if (!state().UseAdvancedCamera) callOriginal<cv::_showContinuousAEAFView>(self, cmd);
}

bool CAMCameraView__allowExposureBiasForMode(id self, SEL cmd, long mode) {
    const bool allowed = callOriginal<cv::_allowExposureBiasForMode>(self, cmd, mode);
    return allowed || getCameraMode() == 3;
}

// A tap in advanced mode splits focus and exposure at the tapped point and returns both to
// continuous automatic operation there.
bool CAMCameraView__finishCommonTapGesture(id self, SEL cmd) {
    auto* view = dynamic_cast<CAMCameraView*>(self);
    auto preview = state()._CAMPreviewView.lock();
    if (state().UseAdvancedCamera && !state().touchInsideButtonView && view != nullptr && preview) {
        objc::send<cv::_setSplitFocusAndExposure>(self, true);
        view->_panFocus(true, true, preview->currentFocusPoint());
        preview->_setShowExposureBiasSlider(false);
        if (auto* t = tools()) t->setSplitFocusToContinous(false, true, true, CGPointMake(0, 0));
    }
    resetManualModes();
    return callOriginal<cv::_finishCommonTapGesture>(self, cmd);
}

bool CAMCameraView__shouldShowFocus(id self, SEL cmd) {
    if (!state().sessionHasStarted || state().skipChangeFocusCall) return false;
    return callOriginal<cv::_shouldShowFocus>(self, cmd);
}

// Outside advanced mode a touch on the camera view hands focus and exposure back to the camera.
void CAMCameraView_touchesBegan_withEvent(id self, SEL cmd, id touches, id event) {
    if (!state().UseAdvancedCamera) resetManualModes();
    callOriginal<cv::touchesBegan_withEvent>(self, cmd, touches, event);
}

void CAMCameraView__handleOverlayViewLongPress(id self, SEL cmd, id gesture) {
    if (!state().UseAdvancedCamera) {
        callOriginal<cv::_handleOverlayViewLongPress>(self, cmd, gesture);
        return;
    }
    if (auto* g = dynamic_cast<UIGestureRecognizer*>(gesture)) lockUnderLongPress(*g);
}

void CAMCameraView__handleExposureBiasPan(id self, SEL cmd, id gesture) {
    if (!state().UseAdvancedCamera) callOriginal<cv::_handleExposureBiasPan>(self, cmd, gesture);
}

// Moving a rectangle hands its value back to the camera: the exposure rectangle ends manual ISO
// and shutter speed, the focus rectangle manual focus.
void CAMCameraView__endPanFocus_exposure_atPoint(id self, SEL cmd, bool focus, bool exposure,
                                                 CGPoint point) {
    if (auto* t = tools()) {
        if (exposure) {
            t->setIsInManualISOMode(false);
            t->setSkipISOObserverCallback(false);
            t->setSkipShutterSpeedObserverCallback(false);
        } else if (focus) {
            t->setIsInManualFocusMode(false);
            t->setSkipLensPositionObserverCallback(false);
        }
    }
    callOriginal<cv::_endPanFocus_exposure_atPoint>(self, cmd, focus, exposure, point);
    if (auto* t = tools()) t->setSplitFocusToContinous(false, focus, exposure, point);
}

void CAMCameraView__switchFromCameraModeAtIndex_toCameraModeAtIndex(id self, SEL cmd, long from,
                                                                    long to) {
    if (auto* observer = LensPositionViewController::shared()) {
        observer->removeLensPositionObserver(currentDevice().get());
    }
    callOriginal<cv::_switchFromCameraModeAtIndex_toCameraModeAtIndex>(self, cmd, from, to);
}

void CAMCaptureController_resumePreview(id self, SEL cmd) {
    callOriginal<cc::resumePreview>(self, cmd);
    if (state().currentFrameRate == 0) state().currentFrameRate = 30;
    attachLensObserverStep();
    reapplyAdvancedFocus(false);
    if (state().doCameraModeChangeProceduresBecauseOfNoSessionHasStarted) {
        state().doCameraModeChangeProceduresBecauseOfNoSessionHasStarted = false;
        CAMCaptureController* c = sharedCAMCaptureControllerInstance();
        const long mode = getCameraMode();
        modechange::mirrorFrontCameraVideo(mode, c != nullptr ? c->cameraDevice() : 0);
        modechange::reapplyStabilization(mode);
    }
}

}  // namespace lumora::hooks
