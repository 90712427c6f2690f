#include <algorithm>
#include <cstdlib>
#include <system_error>

#include "platform/capture/DeviceProfile.h"

namespace platform {

ProfileResult<DeviceProfileRegistry> DeviceProfileRegistry::loadFolder(
    const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return ProfileError{folder.string(), "", "is not a folder"};
    }
    std::vector<std::filesystem::path> files;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        if (it->path().extension() == ".json" && it->is_regular_file(ec))
            files.push_back(it->path());
    }
    if (ec) return ProfileError{folder.string(), "", "cannot be listed: " + ec.message()};
    std::sort(files.begin(), files.end());

    DeviceProfileRegistry registry;
    for (const auto& file : files) {
        auto loaded = loadDeviceProfile(file);
        if (!loaded) return loaded.error();
        const DeviceProfile& p = loaded.value();
        for (const auto& other : registry.profiles_) {
            if (other.modelIdentifier == p.modelIdentifier) {
                return ProfileError{
                    file.string(), "modelIdentifier",
                    "\"" + p.modelIdentifier + "\" is also in " + other.path.string()};
            }
            if (other.shortName == p.shortName) {
                return ProfileError{file.string(), "shortName",
                                    "\"" + p.shortName + "\" is also in " + other.path.string()};
            }
        }
        registry.profiles_.push_back(std::move(loaded.value()));
    }
    std::sort(registry.profiles_.begin(), registry.profiles_.end(),
              [](const DeviceProfile& a, const DeviceProfile& b) {
                  return a.modelIdentifier < b.modelIdentifier;
              });
    return registry;
}

std::filesystem::path DeviceProfileRegistry::defaultFolder() {
    if (const char* env = std::getenv("LUMORA_DEVICES_DIR"); env != nullptr && *env != '\0') {
        return env;
    }
    std::error_code ec;
    auto dir = std::filesystem::current_path(ec);
    if (ec) return {};
    for (;;) {
        auto candidate = dir / "data" / "devices";
        if (std::filesystem::is_directory(candidate, ec)) return candidate;
        if (!dir.has_parent_path() || dir.parent_path() == dir) return {};
        dir = dir.parent_path();
    }
}

const DeviceProfile* DeviceProfileRegistry::find(std::string_view modelOrShortName) const {
    for (const auto& p : profiles_) {
        if (p.modelIdentifier == modelOrShortName || p.shortName == modelOrShortName) return &p;
    }
    return nullptr;
}

}  // namespace platform
