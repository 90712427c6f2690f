#include "sim/Profiles.h"

#include <mutex>
#include <optional>

#include "sim/Locations.h"

namespace sim {

const platform::DeviceProfileRegistry* defaultProfiles(std::string& error) {
    static std::once_flag once;
    static std::optional<platform::DeviceProfileRegistry> registry;
    static std::string loadError;
    std::call_once(once, [] {
        const auto folder = devicesFolder();
        if (folder.empty()) {
            loadError = "cannot find the device profiles (data/devices); set LUMORA_DEVICES_DIR";
            return;
        }
        auto loaded = platform::DeviceProfileRegistry::loadFolder(folder);
        if (!loaded) {
            loadError = "device profiles: " + loaded.error().describe();
            return;
        }
        registry = std::move(loaded.value());
    });
    if (!registry) {
        error = loadError;
        return nullptr;
    }
    return &*registry;
}

}  // namespace sim
