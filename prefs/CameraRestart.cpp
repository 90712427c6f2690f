#include "prefs/CameraRestart.h"

#include "platform/device/SystemCommand.h"

namespace prefs {

bool killCamera() {
    return platform::system("killall -9 Camera") == 0;
}

}  // namespace prefs
