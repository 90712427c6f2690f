#include "capture/CameraBarLinks.h"

#include "artwork/CustomDrawButton.h"
#include "core/TweakState.h"

namespace lumora {

void tellCameraBar(int index, float extraInfo) {
    // Keep the controller alive for the call: a command may tear down what holds it.
    const std::shared_ptr<NSObject> bar = state().cameraBar;
    if (auto* target = dynamic_cast<ElementToggling*>(bar.get())) {
        target->toggleElementFinished(index, extraInfo);
    }
}

CustomDrawButton* stabilizationButton() {
    return dynamic_cast<CustomDrawButton*>(state().modeToggleStabilizationBtn.get());
}

}  // namespace lumora
