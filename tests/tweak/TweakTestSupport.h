#pragma once
// A temporary device root with a launched camera process, the translations installed, and a
// small stand-in for the host's capture controller.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "platform/device/Device.h"
#include "platform/foundation/Value.h"

namespace tweaktest {

// The host's capture controller as far as the add-on sees it.
class FakeCaptureController : public CAMCaptureController {
public:
    long mode = 0;
    long device = 0;
    long cameraMode() const override { return mode; }
    long cameraDevice() const override { return device; }
    std::shared_ptr<AVCaptureDevice> currentDevice() const override { return nullptr; }
    std::shared_ptr<AVCaptureSession> currentSession() const override { return nullptr; }
    std::shared_ptr<AVCaptureOutput> currentOutput() const override { return nullptr; }
    float focusLensPosition() const override { return 0.5f; }
    CGPoint focusPointOfInterest() const override { return {0.5, 0.5}; }
    CGPoint exposurePointOfInterest() const override { return {0.5, 0.5}; }
    void _setSubjectAreaChangeMonitoringEnabled(bool) override {}
    bool userLockedFocus() const override { return false; }
    bool userLockedExposure() const override { return false; }
    void setUserLockedFocus(bool, bool) override {}
    void _setFocusModeLockedWithLensPosition() override {}

    // What the host's own implementations were asked to do.
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
