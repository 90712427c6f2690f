// Device profile JSON: a profile or an error naming the file, never an exception or a crash;
// a profile loaded makes a device configuration.

#include <string_view>

#include "fuzz/FuzzTargets.h"
#include "platform/capture/DeviceProfile.h"

namespace lumora::fuzz {

void deviceProfileTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    const auto profile = platform::parseDeviceProfile(json, "fuzz.json");
    if (!profile) {
        fuzzCheck(profile.error().file == "fuzz.json", "an error that does not name the file");
        return;
    }
    (void)profile->deviceConfig(false);
    (void)profile->deviceConfig(true);
}

}  // namespace lumora::fuzz
