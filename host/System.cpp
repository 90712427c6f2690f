#include "host/System.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include "host/CameraApp.h"

namespace host {
namespace detail {
namespace {
std::atomic<CameraApp*> running{nullptr};
}

void setRunningCameraApp(CameraApp* app) {
    running.store(app);
}

CameraApp* runningCameraApp() {
    return running.load();
}

}  // namespace detail

int system(const char* command) {
    if (command == nullptr) return -1;
    if (std::strcmp(command, "killall -9 Camera") != 0) {
        std::fprintf(stderr, "system: refused \"%s\" (only \"killall -9 Camera\" is simulated)\n",
                     command);
        log().record("systemRefused", command);
        return -1;
    }
    CameraApp* app = detail::runningCameraApp();
    if (app == nullptr || !app->isRunning()) {
        std::fprintf(stderr, "No matching processes belonging to you were found\n");
        return 256;
    }
    app->kill();
    return 0;
}

}  // namespace host
