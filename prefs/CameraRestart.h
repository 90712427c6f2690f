#pragma once
// Ends the camera app so that the add-on starts again with the values just stored
// ("killall -9 Camera" through the system's command call; only that one command is ever run).

namespace prefs {

// True when a running camera was ended.
bool killCamera();

}  // namespace prefs
