#include "capture/DimensionRules.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "hostapi/HostAPI.h"
#include "platform/capture/AVCaptureDevice.h"
#include "tools/Predicates.h"
#include "tools/UIDeviceHardware.h"

namespace lumora {
namespace {

using Limit = std::optional<int>;  // nullopt: no limit

struct ModelGroup {
    bool byIdentifier;  // compare the raw identifier rather than the display name
    std::array<std::string_view, 10> members;
    Limit videoBack, videoFront, photoBack, photoFront;
};

constexpr Limit kNone = std::nullopt;

// Tested in this order; the first group holding the model decides.
constexpr std::array<ModelGroup, 7> kGroups{{
    {true, {"iPhone7,1", "iPhone7,2"}, 1080, 720, 2448, 2448},
    {false, {"iPhone 4S"}, 1080, 480, 2448, 2448},
    {false,
     {"iPhone 5s (GSM)", "iPhone 5s (GSM+CDMA)", "iPhone 5c (GSM)", "iPhone 5c (GSM+CDMA)",
      "iPhone 5 (GSM)", "iPhone 5 (GSM+CDMA)"},
     1080,
     720,
     2448,
     2448},
    {false, {"iPod Touch 5G"}, 1080, 720, 1936, 1936},
    {false, {"iPad 2 (WiFi)", "iPad 2 (GSM)", "iPad 2 (CDMA)"}, kNone, 720, kNone, 2448},
    {false, {"iPad 3 (WiFi)", "iPad 3 (GSM+CDMA)", "iPad 3 (GSM)"}, 1080, 480, 1944, 1944},
    {false,
     {"iPad Air (WiFi)", "iPad Air (Cellular)", "iPad mini 2G (WiFi)", "iPad mini 2G (Cellular)",
      "iPad Mini (WiFi)", "iPad Mini (GSM)", "iPad Mini (GSM+CDMA)", "iPad 4 (WiFi)",
      "iPad 4 (GSM)", "iPad 4 (GSM+CDMA)"},
     1080,
     720,
     1944,
     1944},
}};

bool holds(const ModelGroup& group, const std::string& identifier, const std::string& name) {
    const std::string& key = group.byIdentifier ? identifier : name;
    // Unused slots are empty and never equal a model (an empty identifier matches nothing).
    return !key.empty() &&
           std::find(group.members.begin(), group.members.end(), key) != group.members.end();
}

Limit limitFor(const ModelGroup& group, long mode, long camera) {
    if (isVideoModeEx(mode)) {
        if (isBackCameraEx(camera)) return group.videoBack;
        if (isFrontCameraEx(camera)) return group.videoFront;
    } else if (isCameraModeEx(mode)) {
        if (isBackCameraEx(camera)) return group.photoBack;
        if (isFrontCameraEx(camera)) return group.photoFront;
    }
    return kNone;
}

}  // namespace

int formatHeight(const AVCaptureDeviceFormat* format) {
    if (format == nullptr) return 0;
    return CMVideoFormatDescriptionGetDimensions(format->formatDescription()).height;
}

std::shared_ptr<AVCaptureDevice> currentCaptureDevice() {
    const CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    return controller != nullptr ? controller->currentDevice() : nullptr;
}

bool isValidDimension(int height) {
    const std::string identifier = UIDeviceHardware::platform();
    const std::string name = UIDeviceHardware::platformString();
    const CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (controller == nullptr) return false;
    const long mode = controller->cameraMode();
    const long camera = controller->cameraDevice();
    for (const ModelGroup& group : kGroups) {
        if (!holds(group, identifier, name)) continue;
        const Limit limit = limitFor(group, mode, camera);
        return !limit || height <= *limit;
    }
    return true;
}

}  // namespace lumora
