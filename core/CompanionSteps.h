#pragma once
// Steps the hooks share around the add-on's companions, each a small function so that a hook
// body reads as its list of steps.

namespace lumora {

// The session presets for a chosen height ("AVCaptureSessionPreset..."); 0 is the host's default.
const char* videoSessionPresetForHeight(int height);
const char* photoSessionPresetForHeight(int height);

// Front-camera video mirroring (only with "unMirrorSelfies", in a video mode, on the front
// camera, and when the output has a video connection that supports mirroring).
void setFrontVideoMirroring(bool mirrored);

// The tilt alert lights in a video mode while the stored orientation is upright or upside down.
void updateTiltAlertHighlight();

// Places the white-balance label and the horizon button in the host's top bar and hides the
// host's own frame-rate badges in host video mode 1.
void layoutTopBarCompanions();

}  // namespace lumora
