#pragma once
// A temporary device root and the device profiles of the source tree for the host's tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "host/CameraApp.h"
#include "platform/capture/DeviceProfile.h"
#include "platform/media/JpegSegments.h"

namespace hosttest {

// The profile data/devices/<shortName>.json; nullopt (with a test failure) when it does not load.
std::optional<platform::DeviceProfile> loadProfile(const std::string& shortName);

// Bytes of a phone file in the device root.
platform::Bytes readPhoneFile(const std::string& phonePath);

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Launches the app on a profile; false when the profile is missing.
    bool launch(const std::string& shortName, const host::LaunchOptions& options = {});

    std::filesystem::path root_;
    std::optional<platform::DeviceProfile> profile_;
    host::CameraApp app_;
};

}  // namespace hosttest
