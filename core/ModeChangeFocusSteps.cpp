// The mode change's steps for the lens observer and the focus and exposure tools.
#include "core/ModeChangeSteps.h"
#include "manual/ManualFocusHooks.h"

namespace lumora::modechange {

void attachLensObserver() {
    attachLensObserverStep();
}

void createLensPositionControllerStep() {
    createLensObserverStep();
}

void createFocusAndExposureToolsStep() {
    createFocusToolsStep();
}

void releaseLensPositionControllerStep() {
    releaseLensObserverStep();
}

}  // namespace lumora::modechange
