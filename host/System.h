#pragma once
// The C library's system() as the simulated phone offers it to the settings bundle. It
// understands exactly "killall -9 Camera", which kills the running simulated Camera app, and
// refuses everything else: no real shell ever runs.

namespace host {

class CameraApp;

// Returns a wait status as system() does: 0 when the Camera app was killed, 256 (killall's exit
// status 1) when none was running; -1 for a null or refused command.
int system(const char* command);

namespace detail {
// The Camera app whose process runs now (set by CameraApp).
void setRunningCameraApp(CameraApp* app);
CameraApp* runningCameraApp();
}  // namespace detail

}  // namespace host
