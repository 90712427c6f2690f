#pragma once
// Device profiles: what one phone or tablet model is (screen, idiom) and what its cameras offer
// (formats in the device's order, frame-rate ranges, ISO and exposure limits, stabilization
// modes, session presets, still size, lens facts). One JSON file per model in data/devices/.
//
// Loading never throws: a malformed file, a missing or unknown field or a value out of range
// gives a ProfileError naming the file and the field.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/capture/AVCaptureTypes.h"
#include "platform/device/Device.h"
#include "platform/geometry/Geometry.h"

namespace platform {

// One format entry; the device lists it once per pixel format, in the order given.
struct FormatProfile {
    CMVideoDimensions dimensions;
    std::vector<FourCharCode> pixelFormats;
    std::vector<std::pair<double, double>> frameRateRanges;  // (min, max) frames per second
    float minISO = 0;
    float maxISO = 0;
    double minExposureSeconds = 0;
    double maxExposureSeconds = 0;
    std::vector<AVCaptureVideoStabilizationMode> stabilizationModes;
    float fieldOfView = 0;
    std::optional<CMVideoDimensions> highResolutionStill;
};

struct CameraProfile {
    AVCaptureDevicePosition position = AVCaptureDevicePositionBack;
    CMVideoDimensions stillSize;
    double aperture = 2.4;
    double minimumFocusDistance = 0.1;  // metres
    std::string autoFocusSystem;        // "none", "contrast" or "phase"
    std::vector<long> focusModes;
    std::vector<long> exposureModes;
    std::vector<long> whiteBalanceModes;
    std::map<std::string, CMVideoDimensions> presets;  // session preset -> served dimensions
    std::vector<FormatProfile> formats;
};

struct DeviceProfile {
    std::filesystem::path path;   // the file it came from
    std::string modelIdentifier;  // "iPhone7,2"
    std::string name;             // "iPhone 6"
    std::string shortName;        // "iphone6"
    std::string model;            // "iPhone", "iPod touch", "iPad"
    long idiom = 0;               // 0 phone, 1 pad
    CGSize screenSize;            // portrait, points
    std::optional<CGSize> zoomedScreenSize;
    CGFloat scale = 2;
    std::optional<CameraProfile> back;
    std::optional<CameraProfile> front;
    // Figures chosen rather than found in a source, as field paths
    // ("cameras.back.formats[6].frameRateRanges").
    std::vector<std::string> chosen;
    std::vector<std::string> sources;

    const CameraProfile* camera(AVCaptureDevicePosition position) const;
    // The platform device configuration; `displayZoom` uses the zoomed screen where there is one.
    DeviceConfig deviceConfig(bool displayZoom = false) const;
};

struct ProfileError {
    std::string file;
    std::string field;  // dotted path, empty for the file as a whole
    std::string message;
    // "file: field: message".
    std::string describe() const;
};

template <class T>
class ProfileResult {
public:
    ProfileResult(T value) : v_(std::move(value)) {}
    ProfileResult(ProfileError error) : v_(std::move(error)) {}

    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    const T& value() const { return std::get<0>(v_); }
    T& value() { return std::get<0>(v_); }
    const T* operator->() const { return &value(); }
    // Only when !ok().
    const ProfileError& error() const { return std::get<1>(v_); }

private:
    std::variant<T, ProfileError> v_;
};

ProfileResult<DeviceProfile> parseDeviceProfile(std::string_view json, const std::string& fileName);
ProfileResult<DeviceProfile> loadDeviceProfile(const std::filesystem::path& path);

// Every profile (*.json) of a folder, sorted by model identifier.
class DeviceProfileRegistry {
public:
    // Fails on the first file that does not load, and on two profiles with the same model
    // identifier or short name.
    static ProfileResult<DeviceProfileRegistry> loadFolder(const std::filesystem::path& folder);
    // $LUMORA_DEVICES_DIR when set, else the first "data/devices" found from the working
    // directory upward; empty when none exists.
    static std::filesystem::path defaultFolder();

    const std::vector<DeviceProfile>& all() const { return profiles_; }
    // By model identifier ("iPhone7,2") or short name ("iphone6"); null when unknown.
    const DeviceProfile* find(std::string_view modelOrShortName) const;

private:
    std::vector<DeviceProfile> profiles_;
};

}  // namespace platform
