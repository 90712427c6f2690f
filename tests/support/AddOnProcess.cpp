#include "tests/support/AddOnProcess.h"

#include "core/TweakState.h"
#include "platform/device/Process.h"

namespace testsupport {

void launchProcess(const std::string& bundleIdentifier) {
    platform::Process::launch(bundleIdentifier);
    lumora::resetState();
}

void endProcess() {
    platform::Process::terminate();
    lumora::resetState();
}

}  // namespace testsupport
