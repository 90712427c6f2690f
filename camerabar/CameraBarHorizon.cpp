// The horizon indicator's switching: fading the ring and needle in and out, the motion source,
// and the on/off flag and button highlight, which follow the end of each fade.
#include "camerabar/CameraBar.h"
#include "camerabar/HorizonAlignment.h"
#include "camerabar/VerticalAlertImageView.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "platform/media/MotionManager.h"
#include "platform/ui/UIImageView.h"

namespace lumora {
namespace {

void highlightHorizonButton(bool on) {
    if (auto* button = dynamic_cast<UIImageView*>(state().horizonAlignmentBtn.get())) {
        button->setHighlighted(on);
    }
}

}  // namespace

void CameraBar::toggleHorizonAlignment(NSObject*) {
    if (state().horizonAlignmentShowing) {
        StopCMDeviceMotion(true);
    } else {
        StartCMDeviceMotion();
    }
}

void CameraBar::StartCMDeviceMotion() {
    std::weak_ptr<CameraBar> weak = std::static_pointer_cast<CameraBar>(shared_from_this());
    const bool faded = fadeHorizonViews(1, [weak](bool) {
        // After a teardown (the bar or its motion source gone) the fade's end changes nothing.
        const auto bar = weak.lock();
        if (!bar || !bar->motionManager) return;
        highlightHorizonButton(true);
        state().horizonAlignmentShowing = true;
        if (state().rememberSettings) savePrefs();
    });
    if (faded) startHorizonMotion(motionManager);
}

void CameraBar::StopCMDeviceMotion(bool save) {
    std::weak_ptr<CameraBar> weak = std::static_pointer_cast<CameraBar>(shared_from_this());
    const bool faded = fadeHorizonViews(0, [weak, save](bool) {
        if (weak.expired()) return;
        state().horizonAlignmentShowing = false;
        highlightHorizonButton(false);
        if (state().rememberSettings && save) savePrefs();
    });
    // Updates stop at the request, not at the fade's end: no sample lights a fading view.
    if (faded) stopHorizonMotion(motionManager);
}

void CameraBar::DestroyCMDeviceMotion() {
    destroyHorizonMotion(motionManager);
}

void CameraBar::setUpHorizonAlignment() {
    VerticalAlertImageView::CreateHorizontalAlignmentViews();
    // A remembered indicator comes back only while its switch is on: without the switch there
    // is no button to turn it off.
    if (state().horizonAlignmentShowing && state().showHorizonAlignment) StartCMDeviceMotion();
}

}  // namespace lumora
