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
void CAMCameraView_captureController_willCaptureStillImageForRequest(id self, SEL cmd,
                                                                     id controller, id request);

// The capture controller.
void CAMCaptureController__sessionStopped(id self, SEL cmd, id notification);
bool CAMCaptureController_canChangeFocusOrExposure(id self, SEL cmd);
void CAMCaptureController_startPreview(id self, SEL cmd);
bool CAMCaptureController_canCapturePhotoDuringRecording(id self, SEL cmd);

}  // namespace lumora::hooks
