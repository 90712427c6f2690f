#pragma once
// The video stabilization mode, cycled by the camera bar's stabilization button and re-applied
// when the session starts, the preview resumes or the bar is laid out for video. Modes are the
// capture framework's numbers: -1 auto, 0 off, 1 standard, 2 cinematic; the cycle runs
// -1, 0, 1, 2 and back to -1.

#include <string>

namespace lumora {

// Shows and stores the first mode of the cycle the active format supports, starting at `mode`
// (or the one after it when `advance`), and applies it to the video connection in video mode.
// When no mode of the cycle is supported, `mode` itself is shown and stored but not applied.
// Only while the session runs and the stabilization button exists.
void toggleStabilizeMode(int mode, bool advance);

// "AVCaptureVideoStabilizationModeAuto", "...Off", "...Standard", "...Cinematic" for -1 to 2;
// empty for any other value.
std::string getStabilizationModeStringByInt(int mode);

}  // namespace lumora
