#include "manual/FocusAndExposureToolController.h"

#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "manual/CameraBarAccess.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/ConfigurationGuards.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

// Tab glyph states: tab closed 0 automatic / 1 manual, tab open 3 automatic / 4 manual.
constexpr int kClosedAuto = 0;
constexpr int kClosedManual = 1;
constexpr int kOpenAuto = 3;
constexpr int kOpenManual = 4;

// An open tab's glyph closes: 4 -> 1, 3 -> 0.
void closeTabGlyph(CustomDrawButton* button) {
    if (button == nullptr) return;
    if (button->drawFlow() == kOpenManual) button->setDrawFlow(kClosedManual);
    if (button->drawFlow() == kOpenAuto) button->setDrawFlow(kClosedAuto);
}

std::shared_ptr<AVCaptureDevice> currentDevice() {
    CAMCaptureController* c = sharedCAMCaptureControllerInstance();
    return c != nullptr ? c->currentDevice() : nullptr;
}

double barWidth() {
    return cameraBarViewFrame().size.width;
}

int quarter() {
    return static_cast<int>(barWidth() / 4);
}

int firstTabX() {
    return static_cast<int>(quarter() / 1.4 + 9);
}

// Continuous modes at the controller's points: exposure and/or focus, where the camera has them.
void returnToContinuous(AVCaptureDevice& device, const CAMCaptureController& controller,
                        bool doFocus, bool doExposure) {
    if (doExposure && device.isExposureModeSupported(AVCaptureExposureModeContinuousAutoExposure)) {
        if (device.isExposurePointOfInterestSupported()) {
            device.setExposurePointOfInterest(controller.exposurePointOfInterest());
        }
        device.setExposureMode(AVCaptureExposureModeContinuousAutoExposure);
    }
    // Front cameras have no focus point of interest: the point is set only where supported.
    if (doFocus && device.isFocusModeSupported(AVCaptureFocusModeContinuousAutoFocus)) {
        if (device.isFocusPointOfInterestSupported()) {
            device.setFocusPointOfInterest(controller.focusPointOfInterest());
        }
        device.setFocusMode(AVCaptureFocusModeContinuousAutoFocus);
    }
}

}  // namespace

FocusAndExposureToolController::~FocusAndExposureToolController() {
    for (auto* dial : {&dialLens_, &dialISO_, &dialShutter_}) {
        if (*dial) (*dial)->removeFromSuperview();
        dial->reset();
    }
    if (customDrawButtonFocus_) customDrawButtonFocus_->removeFromSuperview();
    if (customDrawButtonExposure_) customDrawButtonExposure_->removeFromSuperview();
    if (page_) page_->removeFromSuperview();
}

FocusAndExposureToolController* FocusAndExposureToolController::shared() {
    return dynamic_cast<FocusAndExposureToolController*>(
        state().focusAndExposureToolController.get());
}

void FocusAndExposureToolController::CreateFocusAndExposureTools() {
    if (state().focusAndExposureToolController) return;
    auto tools = std::make_shared<FocusAndExposureToolController>();
    state().focusAndExposureToolController = tools;
    tools->initTabPage();
}

// ---- The tab page

void FocusAndExposureToolController::initTabPage() {
    const CGRect bar = cameraBarViewFrame();
    const double w = bar.size.width;
    const int q = quarter();
    const int x0 = firstTabX();
    page_ = std::make_shared<UIView>(CGRectMake(w, 0, bar.size.width, bar.size.height));
    page_->setBackgroundColor(UIColor::clearColor());
    page_->setTag(kFocusAndExposurePageTag);

    std::weak_ptr<NSObject> weak = weak_from_this();
    auto tab = [&](double x, long tag, void (FocusAndExposureToolController::*action)()) {
        auto button = std::make_shared<CustomDrawButton>(CGRectMake(x, 5, 47, 47));
        button->setTag(tag);
        button->addTarget(
            shared_from_this(),
            [weak, action](UIControl*, UIEvent*) {
                if (auto self = weak.lock()) {
                    (static_cast<FocusAndExposureToolController*>(self.get())->*action)();
                }
            },
            UIControlEventTouchUpInside);
        page_->addSubview(button);
        return button;
    };
    customDrawButtonFocus_ = tab(x0, kFocusTabTag, &FocusAndExposureToolController::focusBtnTapped);
    customDrawButtonExposure_ =
        tab(x0 + q, kExposureTabTag, &FocusAndExposureToolController::exposureBtnTapped);
    addFocusAndExposureToolsToCameraBarView(page_);
}

// Construction puts the exposure tab one quarter of the bar right of the focus tab, every later
// layout two quarters.
void FocusAndExposureToolController::layoutSubviews() {
    const CGRect bar = cameraBarViewFrame();
    const int q = quarter();
    const int x0 = firstTabX();
    if (UIScrollView* strip = cameraBarScrollview()) {
        if (UIView* page = strip->viewWithTag(kFocusAndExposurePageTag)) {
            page->setFrame(CGRectMake(bar.size.width, 0, bar.size.width, bar.size.height));
        }
    }
    if (customDrawButtonFocus_) customDrawButtonFocus_->setFrame(CGRectMake(x0, 5, 47, 47));
    if (customDrawButtonExposure_) {
        customDrawButtonExposure_->setFrame(CGRectMake(x0 + 2 * q, 5, 47, 47));
    }
}

int FocusAndExposureToolController::tabFlow(bool manual, bool open) {
    if (open) return manual ? kOpenManual : kOpenAuto;
    return manual ? kClosedManual : kClosedAuto;
}

void FocusAndExposureToolController::setIsInManualFocusMode(bool manual) {
    isInManualFocusMode_ = manual;
    if (customDrawButtonFocus_) {
        customDrawButtonFocus_->setDrawFlow(tabFlow(manual, focusTapSelected_));
    }
}

void FocusAndExposureToolController::setIsInManualISOMode(bool manual) {
    isInManualISOMode_ = manual;
    if (customDrawButtonExposure_) {
        customDrawButtonExposure_->setDrawFlow(tabFlow(manual, exposureTapSelected_));
    }
}

void FocusAndExposureToolController::focusBtnTapped() {
    const bool exposureWasOpen = exposureTapSelected_;
    if (focusTapSelected_) {
        focusTapSelected_ = false;
        cameraBarToggleFocusScrollDial(true);
    } else {
        focusTapSelected_ = true;
        exposureTapSelected_ = false;
        cameraBarToggleFocusScrollDial(false);
    }
    if (customDrawButtonFocus_) {
        customDrawButtonFocus_->setSelected(skipLensPositionObserverCallback_);
        customDrawButtonFocus_->setDrawFlow(tabFlow(isInManualFocusMode_, focusTapSelected_));
    }
    if (exposureWasOpen) closeTabGlyph(customDrawButtonExposure_.get());
}

void FocusAndExposureToolController::exposureBtnTapped() {
    const bool focusWasOpen = focusTapSelected_;
    if (exposureTapSelected_) {
        exposureTapSelected_ = false;
        cameraBarToggleExposureScrollDials(true);
    } else {
        exposureTapSelected_ = true;
        focusTapSelected_ = false;
        cameraBarToggleExposureScrollDials(false);
    }
    if (customDrawButtonExposure_) {
        customDrawButtonExposure_->setSelected(skipISOObserverCallback_);
        customDrawButtonExposure_->setDrawFlow(tabFlow(isInManualISOMode_, exposureTapSelected_));
    }
    if (focusWasOpen) closeTabGlyph(customDrawButtonFocus_.get());
}

void FocusAndExposureToolController::unSelectFocusAndExposureTabs() {
    if (focusTapSelected_) {
        closeTabGlyph(customDrawButtonFocus_.get());
        focusTapSelected_ = false;
    }
    if (exposureTapSelected_) {
        closeTabGlyph(customDrawButtonExposure_.get());
        exposureTapSelected_ = false;
    }
}

void FocusAndExposureToolController::resetFocusAndExposureTabs() {
    if (!customDrawButtonFocus_) return;
    customDrawButtonFocus_->setDrawFlow(kClosedAuto);
    if (customDrawButtonExposure_) customDrawButtonExposure_->setDrawFlow(kClosedAuto);
    focusTapSelected_ = false;
    exposureTapSelected_ = false;
    skipLensPositionObserverCallback_ = false;
    skipISOObserverCallback_ = false;
    skipShutterSpeedObserverCallback_ = false;
    isInManualFocusMode_ = false;
    isInManualISOMode_ = false;
}

// ---- Rulers

void FocusAndExposureToolController::hideDial(const std::shared_ptr<DialScrollview>& dial) {
    if (dial) dial->setAlpha(0);
}

std::shared_ptr<DialScrollview> FocusAndExposureToolController::showDial(
    std::shared_ptr<DialScrollview>& dial, CGRect frame, long kind) {
    if (dial) {
        dial->setAlpha(1);
        // The ISO ruler's width follows the mode, which may have changed.
        if (kind == DIAL_ISO) dial->setFrame(frame);
    } else {
        dial = std::make_shared<DialScrollview>(frame);
        cameraBarScrollview()->addSubview(dial);
    }
    dial->setTag(kind);
    dial->initiateStartValues();
    return dial;
}

void FocusAndExposureToolController::toggleFocusScrollView(bool hide) {
    if (cameraBarView() == nullptr || cameraBarScrollview() == nullptr) return;
    if (hide) return hideDial(dialLens_);
    const double w = barWidth();
    showDial(dialLens_, CGRectMake(w + w / 2 - 75, 40, 150, 45), DIAL_LENSPOSITION);
}

void FocusAndExposureToolController::toggleISOScrollView(bool hide) {
    if (cameraBarView() == nullptr || cameraBarScrollview() == nullptr) return;
    if (hide) return hideDial(dialISO_);
    const double w = barWidth();
    const CGRect frame = isVideoMode() ? CGRectMake(w + w / 2 - 75, 40, 150, 45)
                                       : CGRectMake(w + w / 2 - 120 - 20, 40, 120, 45);
    showDial(dialISO_, frame, DIAL_ISO);
}

void FocusAndExposureToolController::toggleShutterSpeedScrollView(bool hide) {
    if (cameraBarView() == nullptr || cameraBarScrollview() == nullptr) return;
    if (hide || !isCameraMode()) return hideDial(dialShutter_);
    const double w = barWidth();
    showDial(dialShutter_, CGRectMake(w + w / 2 + 20, 40, 120, 45), DIAL_SHUTTERSPEED);
}

void FocusAndExposureToolController::setCurrentFocusAndExposureValues() {
    if (!state().showingButtonArray) return;
    if (dialISO_ && !skipISOObserverCallback_) dialISO_->setToCurrentValues();
    if (dialLens_ && !skipLensPositionObserverCallback_) dialLens_->setToCurrentValues();
    if (isCameraMode() && dialShutter_ && !skipShutterSpeedObserverCallback_) {
        dialShutter_->setToCurrentValues();
    }
}

// ---- Advanced focus

void FocusAndExposureToolController::setSplitFocusToContinous(bool calledFromAdvancedFocusToggle,
                                                              bool isFocusPan, bool isExposurePan,
                                                              CGPoint pointOfInterest) {
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    auto device = currentDevice();
    if (controller == nullptr || !device) return;
    if (state().UseAdvancedCamera) {
        platform::ConfigurationLock lock(device);
        if (!lock) return;
        const bool both = pointOfInterest.x == 0 && pointOfInterest.y == 0;
        const bool doFocus = (both || isFocusPan) && !isFrontCamera();
        const bool doExposure = both || isExposurePan;
        returnToContinuous(*device, *controller, doFocus, doExposure);
    } else if (calledFromAdvancedFocusToggle) {
        platform::ConfigurationLock lock(device);
        if (!lock) return;
        if (device->isFocusModeSupported(AVCaptureFocusModeAutoFocus)) {
            device->setFocusMode(AVCaptureFocusModeAutoFocus);
        }
        if (device->isExposureModeSupported(AVCaptureExposureModeAutoExpose)) {
            device->setExposureMode(AVCaptureExposureModeAutoExpose);
        }
    }
}

void FocusAndExposureToolController::panFocusAndExposureRectangles(CGPoint point) {
    auto view = state().cameraView.lock();
    if (!view) return;
    CGPoint target = CGPointMake(point.x + 15, point.y + 15);
    if (isLandscapeOrientation()) target.x -= 30;
    view->_panFocus(true, true, target);
}

// The camera view argument is not used: callers hand over whatever they hold (resume even hands
// the capture controller), so the live camera view of the state record is taken instead.
void FocusAndExposureToolController::toggleAdvancedFocus(bool on, CAMCameraView*, bool doReset) {
    auto preview = state()._CAMPreviewView.lock();
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (!preview || controller == nullptr) return;
    if (isFrontCamera()) on = false;
    if (!state().UseAdvancedCamera && !on && !doReset) {
        controller->_setSubjectAreaChangeMonitoringEnabled(true);
        return;
    }
    if (state().capturingPhoto) return;
    state().UseAdvancedCamera = on;
    auto view = state().cameraView.lock();
    if (view) objc::send<hostsel::CAMCameraView::_setSplitFocusAndExposure>(view.get(), on);
    const CGRect b = preview->bounds();
    const CGPoint centre = CGPointMake(CGRectGetMidX(b), CGRectGetMidY(b));
    auto device = currentDevice();
    if (!on && doReset && device) {
        platform::ConfigurationLock lock(device);
        if (lock && device->isExposureModeSupported(AVCaptureExposureModeAutoExpose)) {
            device->setExposureMode(AVCaptureExposureModeAutoExpose);
        }
    }
    if (on) panFocusAndExposureRectangles(centre);
    if (isBackCamera() && view) view->_startFocus(true, true, centre, true);
    preview->_setShowExposureBiasSlider(!on);
    if (!on) {
        controller->_setSubjectAreaChangeMonitoringEnabled(true);
        preview->showContinuousAutoFocusView();
    }
    state().canFocus = !(isBackCamera() && (isCameraMode() || isVideoMode()));
    state().canExpose = false;
    if (on) setSplitFocusToContinous(true, true, true, CGPointMake(0, 0));
}

}  // namespace lumora
