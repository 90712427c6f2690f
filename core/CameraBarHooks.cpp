// The camera bar's replacements of the host's bars, shutter button and camera view methods:
// they translate the host's moments into the bar's life and delegate to it.
#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "camerabar/CompanionCalls.h"
#include "core/CameraBarLifecycle.h"
#include "core/HookTable.h"
#include "core/Hooks.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "platform/device/UIDevice.h"
#include "tools/Predicates.h"

namespace lumora::hooks {
namespace {

namespace sel = hostsel;

// Closes the resolution picker and the selection dial (without resetting the timer mode).
void closeBarPanels() {
    if (const auto bar = currentCameraBar()) {
        bar->toggleElementFinished(HIDE_DIMENSION_SELECTOR, 0.25f);
        bar->toggleElementFinished(HIDE_FPS_SELECTOR, 0.0f);
    }
}

// Re-applies advanced focus for the host mode (nothing in a mode that is neither).
void reapplyAdvancedFocus() {
    const auto bar = currentCameraBar();
    if (!bar) return;
    if (isCameraMode()) {
        focustool::toggleAdvancedFocus(bar->cameraMode == 1, nullptr, false);
    } else if (isVideoMode()) {
        focustool::toggleAdvancedFocus(bar->videoMode == 1, nullptr, false);
    }
}

}  // namespace

// While recording, the strip's captions dim and the bar's panels close.
void CAMShutterButton_setMode_animated(id self, SEL cmd, long mode, bool animated) {
    const bool recording = (mode == 4 || mode == 5) && animated;
    if (recording && !isTablet()) {
        if (const auto view = currentCameraBarView()) {
            view->setTextForMode(sharedCAMCaptureControllerInstance(), true);
        }
    }
    if (recording) closeBarPanels();
    callOriginal<sel::CAMShutterButton::setMode_animated>(self, cmd, mode, animated);
}

void CAMBottomBar__layoutForHorizontalOrientation(id self, SEL cmd) {
    if (isTablet()) adjustElementsForRotation();
    callOriginal<sel::CAMBottomBar::_layoutForHorizontalOrientation>(self, cmd);
}

void CAMBottomBar__layoutForVerticalOrientation(id self, SEL cmd) {
    if (isTablet()) adjustElementsForRotation();
    callOriginal<sel::CAMBottomBar::_layoutForVerticalOrientation>(self, cmd);
}

// The bottom bar also takes touches on the add-on's controls (the strip may lie outside it).
bool CAMBottomBar_pointInside_withEvent(id self, SEL cmd, CGPoint point, id event) {
    const bool host =
        callOriginal<sel::CAMBottomBar::pointInside_withEvent>(self, cmd, point, event);
    return isTouchOnCameraControlsOrParent(host, point, dynamic_cast<UIView*>(self));
}

void CAMBottomBar_layoutSubviews(id self, SEL cmd) {
    callOriginal<sel::CAMBottomBar::layoutSubviews>(self, cmd);
    TweakState& s = state();
    if (s._CAMBottomBar.lock()) return;
    if (auto* bar = dynamic_cast<CAMBottomBar*>(self)) {
        s._CAMBottomBar = std::dynamic_pointer_cast<CAMBottomBar>(bar->weak_from_this().lock());
    }
}

// A touch on the strip must not move the focus: the next focus change is skipped.
bool CAMCameraView_pointInside_withEvent(id self, SEL cmd, CGPoint point, id event) {
    TweakState& s = state();
    s.touchInsideButtonView = false;
    const bool host =
        callOriginal<sel::CAMCameraView::pointInside_withEvent>(self, cmd, point, event);
    if (const auto view = currentCameraBarView()) {
        // The point is the camera view's; the strip may live in another view (the tablet's bar).
        const CGPoint local = view->convertPointFromView(point, dynamic_cast<UIView*>(self));
        s.skipOneTimeCanFocus = CGRectContainsPoint(view->bounds(), local);
    }
    return host;
}

void CAMCameraView_cameraController_didStartTransitionToShowEffectsGrid_animated(id self, SEL cmd,
                                                                                 id controller,
                                                                                 bool show,
                                                                                 bool animated) {
    const auto bar = currentCameraBar();
    if (show) {
        overlaytool::hideOverlayFunctionality(true);
        focustool::toggleAdvancedFocus(false, nullptr, false);
        if (bar) {
            for (const auto& [index, extra] :
                 {std::pair{HIDE_FPS_SELECTOR, 1.0f}, std::pair{HIDE_DIMENSION_SELECTOR, 0.25f},
                  std::pair{HIDE_DIMENSION_INDICATOR, 0.0f},
                  std::pair{HIDE_HORIZON_ALIGNMENT, 0.25f}, std::pair{HIDE_WRENCH_TOOL, 0.0f},
                  std::pair{HIDE_MEM_WARNING, 0.0f}}) {
                bar->toggleElementFinished(index, extra);
            }
        }
    } else if (bar) {
        bar->toggleElementFinished(SHOW_HORIZON_ALIGNMENT, 0.25f);
        reapplyAdvancedFocus();
        const long mode = getCameraMode();
        if (mode == 0 || mode == 6) overlaytool::hideOverlayFunctionality(false);
        for (const int index : {SHOW_DIMENSION_INDICATOR, SHOW_MEM_WARNING, SHOW_WRENCH_TOOL}) {
            bar->toggleElementFinished(index, 0.0f);
        }
    }
    callOriginal<sel::CAMCameraView::cameraController_didStartTransitionToShowEffectsGrid_animated>(
        self, cmd, controller, show, animated);
}

// The camera leaves the screen: save, reset and release everything the add-on built.
void CAMCameraView_stopPreviewAnimated(id self, SEL cmd, bool animated) {
    CleanUpOnMinimize();
    clearVariables();
    hideCameraBar(nullptr);
    state().killtimer = true;
    destroyObjects(false);
    callOriginal<sel::CAMCameraView::stopPreviewAnimated>(self, cmd, animated);
}

void CAMCameraView_viewDidAppear(id self, SEL cmd) {
    if (auto* view = dynamic_cast<CAMCameraView*>(self)) {
        state().cameraView =
            std::dynamic_pointer_cast<CAMCameraView>(view->weak_from_this().lock());
        if (view->frame().size.width == 0) {
            if (UIView* parent = view->superview()) {
                parent->setFrame(UIScreen::mainScreen().bounds());
            }
        }
    }
    callOriginal<sel::CAMCameraView::viewDidAppear>(self, cmd);
}

void CAMCameraView_dealloc(id self, SEL cmd) {
    hideCameraBar(nullptr);
    destroyObjects(false);
    callOriginal<sel::CAMCameraView::dealloc>(self, cmd);
}

}  // namespace lumora::hooks
