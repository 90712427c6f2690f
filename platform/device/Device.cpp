#include "platform/device/Device.h"

#include <cerrno>
#include <cstring>
#include <mutex>

namespace platform {

namespace {

std::mutex& configMutex() {
    static std::mutex m;
    return m;
}

DeviceConfig& storedConfig() {
    static DeviceConfig config;
    return config;
}

}  // namespace

void Device::configure(const DeviceConfig& config) {
    std::lock_guard lock(configMutex());
    storedConfig() = config;
}

// The configuration is set by the simulator before an app runs and read afterwards; the
// reference stays valid and is replaced only between runs.
const DeviceConfig& Device::config() {
    return storedConfig();
}

void Device::reset() {
    configure(DeviceConfig{});
}

}  // namespace platform

int sysctlbyname(const char* name, void* buf, std::size_t* len, void* newValue,
                 std::size_t /*newLength*/) {
    if (name == nullptr || len == nullptr) {
        errno = EINVAL;
        return -1;
    }
    if (newValue != nullptr) {
        errno = EPERM;
        return -1;
    }
    if (std::strcmp(name, "hw.machine") != 0) {
        errno = ENOENT;
        return -1;
    }
    std::string value;
    {
        std::lock_guard lock(platform::configMutex());
        value = platform::storedConfig().modelIdentifier;
    }
    std::size_t needed = value.size() + 1;
    if (buf == nullptr) {
        *len = needed;
        return 0;
    }
    if (*len < needed) {
        errno = ENOMEM;
        return -1;
    }
    std::memcpy(buf, value.c_str(), needed);
    *len = needed;
    return 0;
}
