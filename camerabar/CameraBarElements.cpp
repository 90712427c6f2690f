// The camera bar's element commands, the classification of taps on its elements, and the
// selection dial set-up. The resolution picker's own methods and the badge, picker-button and
// guide-button branches live in CameraBarPicker.cpp.
#include <string_view>

#include "camerabar/CameraBar.h"
#include "camerabar/ElementTaps.h"
#include "capture/FrameRateModel.h"
#include "core/TweakState.h"
#include "dial/DialViewController.h"
#include "hostapi/HostAPI.h"
#include "overlays/CustomDimensionView.h"
#include "overlays/CustomSlalomIndicatorView.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

void setHidden(NSObject* object, bool hidden) {
    if (auto* view = dynamic_cast<UIView*>(object)) view->setHidden(hidden);
}

void deselect(const std::shared_ptr<NSObject>& button) {
    if (auto* c = dynamic_cast<UIControl*>(button.get())) c->setSelected(false);
}

// Both horizon views, or nothing.
void setHorizonHidden(bool hidden) {
    TweakState& s = state();
    if (!s.horizontalAlignmentBase || !s.horizontalAlignmentIndicator) return;
    setHidden(s.horizontalAlignmentBase.get(), hidden);
    setHidden(s.horizontalAlignmentIndicator.get(), hidden);
}

// The element a tap reached: the button itself, or the view under a recogniser's touch.
NSObject* tappedElement(NSObject* sender) {
    if (sender == nullptr) return nullptr;
    if (std::string_view(sender->className()) == "CustomDrawButton") return sender;
    auto* recognizer = dynamic_cast<UIGestureRecognizer*>(sender);
    if (recognizer == nullptr || recognizer->view() == nullptr) return nullptr;
    UIView* view = recognizer->view();
    return view->hitTest(recognizer->locationInView(view), nullptr);
}

// Classified by exact class name, as the host's badge is only known by name.
bool isFrameRateBadge(const NSObject& element) {
    const std::string_view name = element.className();
    if (name == "CAMSlalomIndicatorView") return true;
    const auto* badge = dynamic_cast<const CustomSlalomIndicatorView*>(&element);
    return name == "CustomSlalomIndicatorView" && badge != nullptr &&
           badge->indicatorType() == CustomSlalomIndicatorView::kFrameRate;
}

// The frame-rate badge: the first tap asks for the frame-rate dial, the second closes it.
void frameRateBadgeTapped(CameraBar& bar) {
    bar.selectedMode = SelectedModeFrameRate;
    if (bar.frameRateMode == 1) {
        bar.frameRateMode = 0;
    } else {
        bar.toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
        bar.frameRateMode = 1;
    }
    bar.checkSelectionDialSetup();
}

// Whether the selection dial belongs on screen: a timer dial in a photo mode, the frame-rate
// dial in a video mode.
bool dialWanted(const CameraBar& bar) {
    switch (bar.selectedMode) {
        case SelectedModeAdvancedPhoto:
        case SelectedModeTimer:
            return bar.timerMode != TimerModeNone && isCameraMode();
        case SelectedModeAdvancedVideo:
        case SelectedModeFrameRate:
            return bar.frameRateMode == 1 && isVideoMode();
        default:
            return false;
    }
}

void bringToFront(UIView* parent, UIView* view) {
    if (parent != nullptr && view != nullptr && view->superview() == parent) {
        parent->bringSubviewToFront(view);
    }
}

// A new dial, transparent, under the bars, with the device's frame-rate limits and its first
// type.
void createDial(CameraBar& bar, CAMCaptureController& controller, UIView* cameraView) {
    TweakState& s = state();
    auto dial = DialViewController::initWithParentView(cameraView);
    bar.dialViewController = dial;
    const std::shared_ptr<AVCaptureDevice> device = controller.currentDevice();
    dial->setMaxFrameRate(getMaxFrameRate(device.get()));
    dial->setMinFrameRate(getMinFrameRate(device.get()));
    // The bars stay above the full-screen dial view.
    bringToFront(cameraView, s._CAMBottomBar.lock().get());
    bringToFront(cameraView, s._CAMTopBar.lock().get());
    bringToFront(cameraView, dynamic_cast<UIView*>(s._cameraButtonView.get()));
    dial->dialView()->setAlpha(0);
    dial->setDialViewDelegate(std::static_pointer_cast<CameraBar>(bar.shared_from_this()));
    if (isCameraMode()) {
        if (bar.timerMode == TimerModeTimeLapse) dial->setDialViewType(DialViewTypeTimeLapse);
        if (bar.timerMode == TimerModeTimer) dial->setDialViewType(DialViewTypeTimer);
    } else if (isVideoMode() && bar.frameRateMode == 1) {
        dial->setDialViewType(SelectorDialTypeFrames);
    }
}

// The dial's type, unit and stored count for the bar's mode.
void configureDial(CameraBar& bar) {
    DialViewController& dial = *bar.dialViewController;
    if (bar.timerMode == TimerModeTimeLapse) {
        dial.setDialViewType(DialViewTypeTimeLapse);
        dial.setDialViewTimeType(bar.timeType);
        if (bar.timeLapseTime > 0) dial.setCurrentCount(bar.timeLapseTime);
    } else if (bar.timerMode == TimerModeTimer) {
        dial.setDialViewType(DialViewTypeTimer);
        if (bar.timerTime > 0) dial.setCurrentCount(bar.timerTime);
    } else if (bar.frameRateMode == 1) {
        dial.setDialViewType(SelectorDialTypeFrames);
        if (bar.frameRateTime > 0) dial.setCurrentCount(bar.frameRateTime);
    }
}

}  // namespace

void CameraBar::toggleElement(NSObject* sender) {
    NSObject* element = tappedElement(sender);
    if (element == nullptr) return;
    // Taps may tear down and rebuild what holds this controller.
    const std::shared_ptr<NSObject> keepAlive = shared_from_this();
    const std::string_view name = element->className();
    const auto* badge = dynamic_cast<const CustomSlalomIndicatorView*>(element);
    auto* view = dynamic_cast<UIView*>(element);
    if (isFrameRateBadge(*element)) {
        frameRateBadgeTapped(*this);
    } else if (name == "CustomSlalomIndicatorView" && badge != nullptr &&
               badge->indicatorType() == CustomSlalomIndicatorView::kResolution) {
        tapResolutionBadge(*this);
    } else if (name == "CustomDimensionViewButton" && view != nullptr) {
        tapResolutionButton(*this, *view);
    } else if (name == "CustomDrawButton" && view != nullptr) {
        tapGuideButton(*view);
    }
}

void CameraBar::toggleElementFinished(int index, float extraInfo) {
    TweakState& s = state();
    switch (index) {
        case HIDE_MEM_WARNING:
            setHidden(s.memoryWarningLbl.get(), true);
            break;
        case HIDE_WRENCH_TOOL:
            setHidden(s.wrenchButton.get(), true);
            break;
        case HIDE_DIMENSION_INDICATOR:
            setHidden(s._CAMSlalomDimensionIndicator.get(), true);
            break;
        case HIDE_HORIZON_ALIGNMENT:
            setHorizonHidden(true);
            break;
        case HIDE_FPS_SELECTOR:
            // The focus-skip flag is cleared half a second later, on the main thread like
            // every other use of it.
            platform::RunLoop::main().schedule(0.5, [] { state().skipChangeFocusCall = false; });
            if (dialViewController) removeSelDial(extraInfo == 1.0f);
            break;
        case HIDE_DIMENSION_SELECTOR:
            // Also while the picker is still fading in: the hide cancels the fade-in.
            if (dimensionSelectionView &&
                (dimensionSelectorViewShowing || dimensionSelectionView->isFadingIn())) {
                hideDimensionSelectionView(extraInfo);
            }
            break;
        case SHOW_HORIZON_ALIGNMENT:
            setHorizonHidden(false);
            break;
        case SHOW_WRENCH_TOOL:
            setHidden(s.wrenchButton.get(), false);
            break;
        case SHOW_MEM_WARNING:
            setHidden(s.memoryWarningLbl.get(), false);
            break;
        case SHOW_DIMENSION_INDICATOR:
            setHidden(s._CAMSlalomDimensionIndicator.get(), false);
            break;
        default:
            break;
    }
}

std::string CameraBar::getToggleElementIndexByName(int index) {
    switch (index) {
        case HIDE_MEM_WARNING:
            return "HIDE_MEM_WARNING";
        case HIDE_WRENCH_TOOL:
            return "HIDE_WRENCH_TOOL";
        case HIDE_DIMENSION_INDICATOR:
            return "HIDE_DIMENSION_INDICATOR";
        case HIDE_HORIZON_ALIGNMENT:
            return "HIDE_HORIZON_ALIGNMENT";
        case HIDE_FPS_SELECTOR:
            return "HIDE_FPS_SELECTOR";
        case HIDE_DIMENSION_SELECTOR:
            return "HIDE_DIMENSION_SELECTOR";
        case SHOW_HORIZON_ALIGNMENT:
            return "SHOW_HORIZON_ALIGNMENT";
        case SHOW_WRENCH_TOOL:
            return "SHOW_WRENCH_TOOL";
        case SHOW_MEM_WARNING:
            return "SHOW_MEM_WARNING";
        case SHOW_DIMENSION_INDICATOR:
            return "SHOW_DIMENSION_INDICATOR";
        default:
            return "";
    }
}

void CameraBar::checkSelectionDialSetup() {
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (controller == nullptr) return;
    if (!dialWanted(*this)) {
        toggleElementFinished(HIDE_FPS_SELECTOR, 0.0f);
        return;
    }
    if (dimensionSelectorViewShowing) toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
    TweakState& s = state();
    const std::shared_ptr<CAMCameraView> cameraView = s.cameraView.lock();
    if (!dialViewController) createDial(*this, *controller, cameraView.get());
    configureDial(*this);
    const std::shared_ptr<DialView> view = dialViewController->dialView();
    view->setHidden(false);
    if (cameraView) cameraView->_clearFocusViews();
    UIView::animateWithDuration(0.25, [view] { view->setAlpha(1); });
}

void CameraBar::removeSelDial(bool reset) {
    TweakState& s = state();
    deselect(s.modeLapseTimerBtn);
    deselect(s.modeTimerBtn);
    if (const std::shared_ptr<DialViewController> dial = dialViewController) {
        const std::shared_ptr<DialView> view = dial->dialView();
        std::weak_ptr<CameraBar> weak = std::static_pointer_cast<CameraBar>(shared_from_this());
        UIView::animateWithDuration(
            0.25, [view] { view->setAlpha(0); },
            [weak, dial, view](bool) {
                auto bar = weak.lock();
                // A dial shown again during the fade (its alpha back up) stays.
                if (!bar || bar->dialViewController != dial || view->alpha() > 0) return;
                bar->frameRateMode = 0;
                bar->dialViewController.reset();
            });
    }
    if (reset) {
        if (timerMode != TimerModeNone) s.killtimer = true;
        timerMode = TimerModeNone;
        deselect(s.modeLapseTimerBtn);
        deselect(s.modeTimerBtn);
    }
}

}  // namespace lumora
