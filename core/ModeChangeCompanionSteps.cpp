// The mode change's companion steps: the guide controller, the horizon button and the tilt
// alert, each calling back into the camera bar through a weakly bound action.
#include "camerabar/CameraBar.h"
#include "core/ModeChangeSteps.h"
#include "core/TopBarCompanions.h"
#include "platform/ui/UIControl.h"

namespace lumora::modechange {

void createOverlayIndicatorStep() {
    const std::shared_ptr<CameraBar> bar = currentCameraBar();
    if (!bar) return;
    std::weak_ptr<CameraBar> weak = bar;
    CreateOverlayIndicator(
        [weak](UIControl* sender, UIEvent*) {
            if (auto b = weak.lock()) b->toggleElement(sender);
        },
        bar);
}

void createHorizonAlignmentBtnStep() {
    const std::shared_ptr<CameraBar> bar = currentCameraBar();
    if (!bar) return;
    std::weak_ptr<CameraBar> weak = bar;
    CreateHorizonAlignmentBtn(
        [weak](UIGestureRecognizer* recognizer) {
            if (auto b = weak.lock()) b->toggleHorizonAlignment(recognizer);
        },
        bar);
}

void createVerticallyTiltedAlertStep() {
    CreateVideoVerticallyTiltedAlert();
}

}  // namespace lumora::modechange
