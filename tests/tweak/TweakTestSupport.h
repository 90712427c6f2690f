#pragma once
// A temporary device root with a launched camera process (the translations on request), and
// the host classes the hook table names, with host implementations that count their calls.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/TweakState.h"
#include "platform/device/Device.h"
#include "platform/foundation/Value.h"
#include "tests/support/FakeCaptureController.h"

namespace tweaktest {

// The host's capture controller, counting what the host's own implementations were asked to do.
class FakeCaptureController : public testsupport::FakeCaptureController {
public:
    int startPreviewCalls = 0;
    int sessionStoppedCalls = 0;
    bool hostCanChangeFocus = true;
};

// Registers the class "CAMCaptureController" with `sharedInstance` answering `controller`
// (null: the class answers nil) and host implementations of a few replaceable methods.
void registerCaptureController(FakeCaptureController* controller);

// Registers the other host classes the hook table names, with host implementations.
void registerHostClasses();

class DeviceRootTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Sets the device and relaunches the camera process.
    void useDevice(const platform::DeviceConfig& config);
    void launch(const std::string& bundleIdentifier);

    // Copies data/strings/<lang>.lproj into the settings bundle of the device root.
    void installTranslations();

    void writeFile(const std::string& phonePath, const std::string& bytes);
    void writePrefs(const ns::Dictionary& prefs);
    std::optional<ns::Dictionary> readPrefs();
    std::filesystem::path hostPath(const std::string& phonePath);

    std::filesystem::path root_;
};

platform::DeviceConfig iPhone6();
platform::DeviceConfig iPad(const std::string& model);

}  // namespace tweaktest
