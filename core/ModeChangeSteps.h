#pragma once
// The host's mode or camera change (`_setCameraMode:cameraDevice:`) as a sequence of small
// steps, run in this order by the replacement in CaptureControllerHooks.cpp:
//
//   isRepeatedModeChange    same mode and camera as last time: only the host's method runs
//   prepareCameraBar        builds the bar the first time, closes its dial and picker after
//   forgetPhotoFrameRateSkip  an earlier photo no longer skips the frame rate's re-application
//   closeCameraBar          slides the strip away
//   (the host's method)
//   attachLensObserver      the lens observer follows the new capture device
//   rebuildCompanions       the bar's companions, in their fixed order (below)
//   placeWrenchButton       hidden in host mode 3
//   rememberModeChange      the mode and camera become the previous ones
//   assignResolutionLabel   the resolution and frame-rate badges' values
//   resetFocusTabs          the focus and exposure tabs start closed
//   mirrorFrontCameraVideo  front-camera video is recorded mirrored when selfies are un-mirrored
//   reapplyStabilization    the remembered stabilization mode in video
//   deferUntilSessionStarts the next resumePreview redoes mirroring and stabilization
//
// rebuildCompanions runs: hideAndDestroyWBLabel, createLensPositionControllerStep, the
// resolution indicator, the frame-rate badge, createFocusAndExposureToolsStep,
// createOverlayIndicatorStep, createHorizonAlignmentBtnStep, createVerticallyTiltedAlertStep,
// then re-enters the custom mode when its button is selected.
//
// The companions' own steps live with their owners: ModeChangeFocusSteps.cpp (lens observer,
// focus and exposure tools) and ModeChangeCompanionSteps.cpp (overlay indicator, horizon button,
// vertical-tilt alert).

namespace lumora::modechange {

bool isRepeatedModeChange(long mode, long device);
void prepareCameraBar();
void closeCameraBar();
void attachLensObserver();
void rebuildCompanions(long mode);
void placeWrenchButton();
void rememberModeChange(long mode, long device);
void assignResolutionLabel(long mode, long device);
void resetFocusTabs();
void mirrorFrontCameraVideo(long mode, long device);
void reapplyStabilization(long mode);
void deferUntilSessionStarts();

// Clears the skip a photo leaves for the frame-rate re-apply (TimerHooks.cpp).
void forgetPhotoFrameRateSkip();

// Companion steps (ModeChangeFocusSteps.cpp).
void createLensPositionControllerStep();
void createFocusAndExposureToolsStep();
// Releases the lens observer (`hideAndDestroyLensPositionViewController`).
void releaseLensPositionControllerStep();

// Companion steps (ModeChangeCompanionSteps.cpp).
void createOverlayIndicatorStep();
void createHorizonAlignmentBtnStep();
void createVerticallyTiltedAlertStep();

}  // namespace lumora::modechange
