// Turning the add-on's views upright when the device rotates, and the selection dial's fade.
#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "capture/FormatBadges.h"
#include "core/CameraBarLifecycle.h"
#include "core/TweakState.h"
#include "hostapi/CAMBars.h"
#include "overlays/CustomSlalomIndicatorView.h"
#include "overlays/CustomTransparentFilledLabel.h"
#include "tools/LumoraHelper.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

constexpr double kRotationDuration = 0.4;
constexpr double kLabelFade = 0.1;

void setTransform(NSObject* object, const CGAffineTransform& t) {
    if (auto* view = dynamic_cast<UIView*>(object)) view->setTransform(t);
}

// The white-balance label fades out, moves and turns, and fades back in. Each step finds the
// label again: it may have been released meanwhile.
void turnWhiteBalanceLabel(const CGAffineTransform& t) {
    if (!state().whiteBalanceLockLbl) return;
    UIView::animateWithDuration(
        kLabelFade, 0, UIViewAnimationOptionCurveLinear,
        [] {
            if (auto label = state().whiteBalanceLockLbl) label->setAlpha(0);
        },
        [t](bool) {
            const auto label = state().whiteBalanceLockLbl;
            const auto topBar = state()._CAMTopBar.lock();
            if (!label) return;
            const CGFloat width = topBar ? topBar->bounds().size.width : 0;
            label->setCenter(isLandscapeOrientation() ? CGPointMake(width - 25, 86.5)
                                                      : CGPointMake(width - 47.5, 66.5));
            label->setTransform(t);
            UIView::animateWithDuration(
                kLabelFade, 0, UIViewAnimationOptionCurveLinear,
                [] {
                    if (auto live = state().whiteBalanceLockLbl) live->setAlpha(1);
                },
                nullptr);
        });
}

}  // namespace

void hideCameraBar(id button) {
    hideCameraBar4(button, 0.3, true, false);
}

void hideCameraBar4(id, double duration, bool keepDialA, bool keepDialB) {
    const auto bar = currentCameraBar();
    if (!bar) return;
    if (keepDialB || (!keepDialA && bar->timerMode == TimerModeTimeLapse)) return;
    std::weak_ptr<CameraBar> weak = bar;
    UIView::animateWithDuration(
        duration, 0, 0,
        [weak] {
            auto b = weak.lock();
            if (UIView* dial = b ? b->dialView() : nullptr) dial->setAlpha(0);
        },
        [](bool) {
            // The bar that faded may be gone; the one there now (if any) removes its dial.
            if (const auto live = currentCameraBar()) {
                live->toggleElementFinished(HIDE_FPS_SELECTOR, 1.0f);
            }
        });
}

void rotateObjectsOnMainThread() {
    rotateObjects();
}

void rotateObjects() {
    if (const auto bar = currentCameraBar()) bar->_rotate();
    TweakState& s = state();
    if (isTablet()) {
        if (s._CAMSlalomDimensionIndicator) {
            s._CAMSlalomDimensionIndicator->setFrame(getSlalomDimensionIndicatorFrame());
        }
        if (s._CAMSlalomIndicatorReplacement) {
            s._CAMSlalomIndicatorReplacement->setFrame(getSlalomFPSIndicatorFrame());
        }
        if (auto* hostBadge = dynamic_cast<UIView*>(s._CAMSlalomIndicatorView.get())) {
            hostBadge->setFrame(getSlalomFPSIndicatorFrame());
        }
    } else {
        _rotate();
    }
}

void _rotate() {
    const CGAffineTransform t = LumoraHelper::getTransformation();
    UIView::animateWithDuration(
        kRotationDuration, 0, UIViewAnimationOptionCurveLinear,
        [t] {
            TweakState& s = state();
            for (NSObject* object :
                 {s.modeAdvCameraBtn.get(), s.modeTimerBtn.get(), s.modeLapseTimerBtn.get(),
                  s.modeAdvVideoBtn.get(), s.modeWBBtn.get(), s.modeToggleStabilizationBtn.get(),
                  static_cast<NSObject*>(s._CAMSlalomIndicatorView.get()),
                  static_cast<NSObject*>(s._CAMSlalomIndicatorReplacement.get()),
                  static_cast<NSObject*>(s._CAMSlalomDimensionIndicator.get())}) {
                setTransform(object, t);
            }
            if (isCameraMode()) setTransform(s.horizonAlignmentBtn.get(), t);
        },
        nullptr);
    if (isCameraMode() && !isTablet()) turnWhiteBalanceLabel(t);
}

}  // namespace lumora
