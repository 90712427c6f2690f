#pragma once
// The replacements of the host's methods that carry the manual focus and exposure behaviour
// (named <Class>_<selector>), and the steps the capture controller's mode change and the
// preferences loading take for the tools. All run on the host's main thread.

#include "hostapi/HostAPI.h"

namespace lumora {

// Mode-change steps: attach the lens observer to the current camera (after the host's method),
// create the observer and the tools, and close the tabs and clear the manual flags.
void attachLensObserverStep();
void createLensObserverStep();
void releaseLensObserverStep();
void createFocusToolsStep();
void resetFocusToolsStep();
// Re-applies advanced focus from the session's stored modes (the last step of LoadPrefs).
void reapplyAdvancedFocusFromSession();
// Re-applies advanced focus from the camera bar's modes: `cameraMode` 1 in a photo mode,
// `videoMode` 1 in a video mode, off otherwise.
void reapplyAdvancedFocus(bool doReset);
// The closing of a still capture (`capturingPhoto` set by a shutter press): a still reported
// taken, or a recording that stopped.
void stillCaptureEnded();

}  // namespace lumora

namespace lumora::hooks {

// The camera view.
void CAMCameraView__showContinuousAEAFView(id self, SEL cmd);
bool CAMCameraView__allowExposureBiasForMode(id self, SEL cmd, long mode);
bool CAMCameraView__finishCommonTapGesture(id self, SEL cmd);
bool CAMCameraView__shouldShowFocus(id self, SEL cmd);
void CAMCameraView_touchesBegan_withEvent(id self, SEL cmd, id touches, id event);
void CAMCameraView__handleOverlayViewLongPress(id self, SEL cmd, id gesture);
void CAMCameraView__handleExposureBiasPan(id self, SEL cmd, id gesture);
void CAMCameraView__endPanFocus_exposure_atPoint(id self, SEL cmd, bool focus, bool exposure,
                                                 CGPoint point);
void CAMCameraView__switchFromCameraModeAtIndex_toCameraModeAtIndex(id self, SEL cmd, long from,
                                                                    long to);

// The capture controller.
// A still was taken: it no longer blocks advanced focus. (The time-lapse loop's step after a
// photo belongs to the timer engine and follows the host's method here.)
void CAMCaptureController_resumePreview(id self, SEL cmd);

}  // namespace lumora::hooks
