#include "capture/Stabilization.h"

#include <memory>

#include "artwork/CustomDrawButton.h"
#include "capture/CameraBarLinks.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "platform/capture/AVCaptureConnection.h"
#include "platform/capture/AVCaptureDevice.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

constexpr int kFirstMode = -1;  // auto
constexpr int kLastMode = 2;    // cinematic
constexpr int kModesInCycle = kLastMode - kFirstMode + 1;

int nextInCycle(int mode) {
    return (mode >= kLastMode || mode < kFirstMode) ? kFirstMode : mode + 1;
}

bool supports(const AVCaptureDeviceFormat* format, int mode) {
    return format != nullptr && format->isVideoStabilizationModeSupported(mode);
}

// The search of toggleStabilizeMode. It stops at the first supported candidate, or when the
// candidates come back round to `start`. A start outside the cycle (a damaged stored value) is
// never met again, so the search also stops once every mode of the cycle has been asked.
int searchSupportedMode(const AVCaptureDeviceFormat* format, int start, bool advance) {
    int candidate = advance ? nextInCycle(start) : (start > kLastMode ? kFirstMode : start);
    for (int asked = 1;; ++asked) {
        if (supports(format, candidate)) return candidate;
        candidate = nextInCycle(candidate);
        if (candidate == start || asked >= kModesInCycle) return start;
    }
}

}  // namespace

void toggleStabilizeMode(int mode, bool advance) {
    TweakState& s = state();
    CustomDrawButton* button = stabilizationButton();
    if (!s.sessionHasStarted || button == nullptr) return;

    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    const std::shared_ptr<AVCaptureDevice> device =
        controller != nullptr ? controller->currentDevice() : nullptr;
    const std::shared_ptr<AVCaptureDeviceFormat> format = device ? device->activeFormat() : nullptr;

    const int candidate = searchSupportedMode(format.get(), mode, advance);
    button->setDrawFlow(candidate);  // redraws it
    s.stabilizerIndex = candidate;

    if (!isVideoMode() || controller == nullptr) return;
    const std::shared_ptr<AVCaptureOutput> output = controller->currentOutput();
    const auto connection = output ? output->connectionWithMediaType(AVMediaTypeVideo) : nullptr;
    if (connection && supports(format.get(), candidate)) {
        connection->setPreferredVideoStabilizationMode(candidate);
        savePrefs();
    }
}

std::string getStabilizationModeStringByInt(int mode) {
    switch (mode) {
        case -1:
            return "AVCaptureVideoStabilizationModeAuto";
        case 0:
            return "AVCaptureVideoStabilizationModeOff";
        case 1:
            return "AVCaptureVideoStabilizationModeStandard";
        case 2:
            return "AVCaptureVideoStabilizationModeCinematic";
        default:
            return {};
    }
}

}  // namespace lumora
