// The lens observer and the focus and exposure tools are not built yet: their mode-change
// steps have nothing to create or attach.
#include "core/ModeChangeSteps.h"
#include "core/TweakState.h"

namespace lumora::modechange {

void attachLensObserver() {}

void createLensPositionControllerStep() {}

void createFocusAndExposureToolsStep() {}

void releaseLensPositionControllerStep() {
    state().lensPositionViewController.reset();
}

}  // namespace lumora::modechange
