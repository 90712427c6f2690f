#include "core/TweakState.h"

namespace lumora {

void TweakState::reset() {
    // Swap the owned objects out first so that their destructors run with the state already
    // reset (a view's teardown may look at the state).
    TweakFields old;
    std::swap(static_cast<TweakFields&>(*this), old);
    unMirrorSelfies = false;
    timeStampVisible = false;
    timestampIncludeTime = false;
    timeStampVisibleAndPlace = false;
    isBursting = false;
    capturingPhoto = false;
}

TweakState& state() {
    static TweakState instance;
    return instance;
}

void resetState() {
    state().reset();
}

}  // namespace lumora
