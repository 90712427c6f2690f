#include "camerabar/ResolutionPicking.h"

#include "capture/ApplyFormat.h"
#include "capture/DimensionRules.h"
#include "core/TweakState.h"

namespace lumora {

int frameRateForPickedHeight() {
    const int rate = state().currentFrameRate;
    return rate > 0 ? rate : 30;
}

bool applyPickedHeight(int height) {
    if (height <= 0 || !isValidDimension(height)) return false;
    setDimension(height, frameRateForPickedHeight());
    return true;
}

}  // namespace lumora
