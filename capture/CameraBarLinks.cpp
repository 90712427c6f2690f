#include "capture/CameraBarLinks.h"

#include "core/TweakState.h"

namespace lumora {

void tellCameraBar(int index, float extraInfo) {
    // Keep the controller alive for the call: a command may tear down what holds it.
    const std::shared_ptr<NSObject> bar = state().cameraBar;
    if (auto* target = dynamic_cast<ElementToggling*>(bar.get())) {
        target->toggleElementFinished(index, extraInfo);
    }
}

DrawFlowButton* stabilizationButton() {
    return dynamic_cast<DrawFlowButton*>(state().modeToggleStabilizationBtn.get());
}

}  // namespace lumora
