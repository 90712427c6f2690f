// The horizon alignment indicator's motion handling. Until the horizon views exist, switching
// on and off does nothing (neither view is there); the motion source is still released.
#include "camerabar/CameraBar.h"
#include "core/TweakState.h"
#include "platform/media/MotionManager.h"

namespace lumora {
namespace {

bool horizonViewsExist() {
    const TweakState& s = state();
    return s.horizontalAlignmentBase && s.horizontalAlignmentIndicator;
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
    if (!horizonViewsExist()) return;
}

void CameraBar::StopCMDeviceMotion(bool) {
    if (!horizonViewsExist()) return;
}

void CameraBar::DestroyCMDeviceMotion() {
    if (motionManager) motionManager->stopDeviceMotionUpdates();
    motionManager.reset();
}

void CameraBar::setUpHorizonAlignment() {
    if (state().horizonAlignmentShowing) StartCMDeviceMotion();
}

}  // namespace lumora
