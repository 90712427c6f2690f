#pragma once
// The replacements of the host's methods, named <Class>_<selector>. Each takes the host
// method's arguments after self and _cmd and returns its result.

#include "hostapi/HostAPI.h"

namespace lumora::hooks {

// Companions of the camera view.
id CAMAvalancheSession_init(id self, SEL cmd);
void CAMAvalancheSession_dealloc(id self, SEL cmd);
id CAMZoomSlider_initWithFrame(id self, SEL cmd, CGRect frame);
id CAMPreviewView_initWithFrame(id self, SEL cmd, CGRect frame);
bool CAMCameraView__allowFocusRectPanning(id self, SEL cmd);

// The capture controller.
void CAMCaptureController__sessionStopped(id self, SEL cmd, id notification);
bool CAMCaptureController_canChangeFocusOrExposure(id self, SEL cmd);
void CAMCaptureController_startPreview(id self, SEL cmd);
bool CAMCaptureController_canCapturePhotoDuringRecording(id self, SEL cmd);

// The camera bar's rows: the bars, the shutter button and the camera view.
void CAMShutterButton_setMode_animated(id self, SEL cmd, long mode, bool animated);
void CAMBottomBar__layoutForHorizontalOrientation(id self, SEL cmd);
void CAMBottomBar__layoutForVerticalOrientation(id self, SEL cmd);
bool CAMBottomBar_pointInside_withEvent(id self, SEL cmd, CGPoint point, id event);
void CAMBottomBar_layoutSubviews(id self, SEL cmd);
bool CAMCameraView_pointInside_withEvent(id self, SEL cmd, CGPoint point, id event);
void CAMCameraView_cameraController_didStartTransitionToShowEffectsGrid_animated(id self, SEL cmd,
                                                                                 id controller,
                                                                                 bool show,
                                                                                 bool animated);
void CAMCameraView_stopPreviewAnimated(id self, SEL cmd, bool animated);
void CAMCameraView_viewDidAppear(id self, SEL cmd);
void CAMCameraView_dealloc(id self, SEL cmd);

// The camera bar's rows of the capture controller.
void CAMCaptureController__applicationDidEnterBackground(id self, SEL cmd, id notification);
void CAMCaptureController_accelerometer_didChangeDeviceOrientation(id self, SEL cmd,
                                                                   id accelerometer,
                                                                   long orientation);
void CAMCaptureController_startVideoCapture(id self, SEL cmd);
void CAMCaptureController_stopVideoCapture(id self, SEL cmd);
void CAMCaptureController__setCameraMode_cameraDevice(id self, SEL cmd, long mode, long device);

// The timer engine's rows and the session and preview starts (TimerHooks.cpp).
void CAMCameraView_cameraShutterPressed(id self, SEL cmd, id sender);
void CAMCaptureController__didTakePhoto(id self, SEL cmd);
void CAMCaptureController__sessionStarted(id self, SEL cmd, id notification);
void CAMCaptureController__previewStarted(id self, SEL cmd);

}  // namespace lumora::hooks
