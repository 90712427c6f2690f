#pragma once
// The device profiles of the source tree (data/devices) for tests, loaded once per program.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/capture/DeviceProfile.h"

namespace testsupport {

// A folder that does not load fails the test that asked first and gives an empty registry.
inline const platform::DeviceProfileRegistry& profiles() {
    static const platform::DeviceProfileRegistry instance = [] {
        auto loaded = platform::DeviceProfileRegistry::loadFolder(
            std::filesystem::path(LUMORA_SOURCE_DIR) / "data" / "devices");
        if (!loaded) {
            ADD_FAILURE() << loaded.error().describe();
            return platform::DeviceProfileRegistry();
        }
        return loaded.value();
    }();
    return instance;
}

// A model by short name ("iphone6") or identifier; an unknown one fails the test and gives an
// empty profile.
inline const platform::DeviceProfile& profile(const std::string& name) {
    const platform::DeviceProfile* p = profiles().find(name);
    if (p == nullptr) {
        ADD_FAILURE() << "no device profile " << name;
        static const platform::DeviceProfile empty;
        return empty;
    }
    return *p;
}

}  // namespace testsupport
