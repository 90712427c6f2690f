#pragma once
// Replacements of the host's methods that look after the add-on's companions: the top-bar icons
// (horizon button, tilt alert, white-balance label), the horizon views on rotation, the
// resolution table, front-camera video mirroring and the session presets. Named <Class>_<selector>
// like those of core/Hooks.h.

#include <string>

#include "hostapi/HostAPI.h"

namespace lumora::hooks {

void CAMExpandableMenuButton_startExpansionWithProposedFrame(id self, SEL cmd, CGRect frame);
void CAMExpandableMenuButton_startCollapsingWithProposedFrame(id self, SEL cmd, CGRect frame);
void CAMTopBar_layoutSubviews(id self, SEL cmd);
bool CAMTopBar_pointInside_withEvent(id self, SEL cmd, CGPoint point, id event);
void CAMCameraView_captureController_didCaptureStillImageForRequest(id self, SEL cmd, id controller,
                                                                    id request);
void CAMCameraView_captureController_willCaptureStillImageForRequest(id self, SEL cmd,
                                                                     id controller, id request);
void CAMCameraView__cameraOrientationChanged(id self, SEL cmd, id notification);
id CAMCameraView_videoPreviewView(id self, SEL cmd);
void CAMCameraView_cameraControllerModeDidChange(id self, SEL cmd, id controller);
void CAMCameraView__performVideoCapture(id self, SEL cmd);
std::string CAMCaptureController__videoModeSessionPresetForDevice_options(id self, SEL cmd,
                                                                          long device,
                                                                          long options);
std::string CAMCaptureController__photoModeSessionPresetForMode_device(id self, SEL cmd, long mode,
                                                                       long device);

}  // namespace lumora::hooks
