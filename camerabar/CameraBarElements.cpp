// The camera bar's element commands, the classification of taps on its elements, and the
// selection dial set-up. The resolution picker's own methods and the badge, picker-button and
// guide-button branches live in CameraBarPicker.cpp. Until the selection dial exists, the dial
// set-up only removes; the hide and show commands work on the elements there are.
#include <string_view>

#include "camerabar/CameraBar.h"
#include "camerabar/ElementTaps.h"
#include "core/TweakState.h"
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

// The frame-rate badge: a first tap asks for the frame-rate dial (closing the picker), a
// second one closes it.
void tapFrameRateBadge(CameraBar& bar) {
    bar.selectedMode = SelectedModeFrameRate;
    if (bar.frameRateMode == 1) {
        bar.frameRateMode = 0;
    } else {
        bar.toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
        bar.frameRateMode = 1;
    }
    bar.checkSelectionDialSetup();
}

// The element a sender stands for: the button itself, or what lies under a tap recogniser.
UIView* tappedElement(NSObject* sender) {
    if (sender == nullptr) return nullptr;
    if (std::string_view(sender->className()) == "CustomDrawButton") {
        return dynamic_cast<UIView*>(sender);
    }
    auto* recognizer = dynamic_cast<UIGestureRecognizer*>(sender);
    UIView* view = recognizer != nullptr ? recognizer->view() : nullptr;
    if (view == nullptr) return nullptr;
    return view->hitTest(recognizer->locationInView(view), nullptr);
}

}  // namespace

// Classified by the element's exact class.
void CameraBar::toggleElement(NSObject* sender) {
    UIView* element = tappedElement(sender);
    if (element == nullptr) return;
    // Taps may tear down and rebuild what holds this controller.
    const std::shared_ptr<NSObject> keepAlive = shared_from_this();
    const std::string_view name = element->className();
    const auto* badge = dynamic_cast<const CustomSlalomIndicatorView*>(element);
    if (name == "CAMSlalomIndicatorView" ||
        (name == "CustomSlalomIndicatorView" && badge != nullptr && badge->indicatorType() == 0)) {
        tapFrameRateBadge(*this);
    } else if (name == "CustomSlalomIndicatorView" && badge != nullptr &&
               badge->indicatorType() == 1) {
        tapResolutionBadge(*this);
    } else if (name == "CustomDimensionViewButton") {
        tapResolutionButton(*this, *element);
    } else if (name == "CustomDrawButton") {
        tapGuideButton(*element);
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
            // The focus-skip flag is cleared half a second later.
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
    if (sharedCAMCaptureControllerInstance() == nullptr) return;
    bool show = false;
    if (selectedMode == 1 || selectedMode == 3) {
        show = timerMode != TimerModeNone && isCameraMode();
    } else if (selectedMode == 5 || selectedMode == 7) {
        show = frameRateMode == 1 && isVideoMode();
    }
    if (!show) {
        toggleElementFinished(HIDE_FPS_SELECTOR, 0.0f);
        return;
    }
    if (dimensionSelectorViewShowing) toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
    // The selection dial is built by its own controller; without it there is nothing to show.
}

void CameraBar::removeSelDial(bool reset) {
    TweakState& s = state();
    deselect(s.modeLapseTimerBtn);
    deselect(s.modeTimerBtn);
    if (dialViewController) {
        teardownDialAndTimer();
        dialViewController.reset();
        frameRateMode = 0;
    }
    if (reset) {
        if (timerMode != TimerModeNone) s.killtimer = true;
        timerMode = TimerModeNone;
        deselect(s.modeLapseTimerBtn);
        deselect(s.modeTimerBtn);
    }
}

}  // namespace lumora
