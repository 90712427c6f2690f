// Replacements of the capture controller's methods.
#include "core/HookTable.h"
#include "core/Hooks.h"
#include "core/Preferences.h"
#include "core/TweakState.h"

namespace lumora::hooks {

void CAMCaptureController__sessionStopped(id self, SEL cmd, id notification) {
    state().sessionHasStarted = false;
    callOriginal<hostsel::CAMCaptureController::_sessionStopped>(self, cmd, notification);
}

// A touch on the camera bar's buttons makes the next focus or exposure change not happen.
bool CAMCaptureController_canChangeFocusOrExposure(id self, SEL cmd) {
    if (state().skipOneTimeCanFocus) {
        state().skipOneTimeCanFocus = false;
        return false;
    }
    return callOriginal<hostsel::CAMCaptureController::canChangeFocusOrExposure>(self, cmd);
}

// The settings screens write the file without telling the camera: reread it whenever the
// preview starts.
void CAMCaptureController_startPreview(id self, SEL cmd) {
    callOriginal<hostsel::CAMCaptureController::startPreview>(self, cmd);
    LoadPrefs();
}

bool CAMCaptureController_canCapturePhotoDuringRecording(id, SEL) {
    return true;
}

}  // namespace lumora::hooks
