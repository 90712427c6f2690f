// The camera bar's element commands, the selection dial set-up and the resolution picker.
// Until the selection dial and the picker exist, the dial set-up only removes and the picker
// commands only track their flags; the hide and show commands work on the elements there are.
#include "camerabar/CameraBar.h"
#include "core/TweakState.h"
#include "overlays/CustomSlalomIndicatorView.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIControl.h"
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

}  // namespace

void CameraBar::toggleElement(NSObject*) {}

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
            if (dimensionSelectionView && dimensionSelectorViewShowing) {
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

void CameraBar::showDimensionSelectionView() {
    if (dimensionSelectionView) dimensionFadeinFinished();
}

void CameraBar::hideDimensionSelectionView(float) {
    if (dimensionSelectionView) dimensionFadeoutFinished();
}

void CameraBar::dimensionFadeinFinished() {
    dimensionSelectorViewShowing = true;
}

void CameraBar::dimensionFadeoutFinished() {
    dimensionSelectorViewShowing = false;
}

void CameraBar::_rotate() {}

void CameraBar::releaseDimensionSelectionView() {
    dimensionSelectionView.reset();
    dimensionSelectorViewShowing = false;
}

}  // namespace lumora
