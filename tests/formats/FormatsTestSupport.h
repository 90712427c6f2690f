#pragma once
// A simulated phone for the format functions: a temporary device root, one of the device
// profiles of data/devices installed (or a changed copy of one), a stand-in for the host's
// capture controller that holds the profile's cameras, a session and a movie output, the host's
// bars as plain views, and stand-ins for the camera-bar objects the functions talk to.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "artwork/CustomDrawButton.h"
#include "capture/CameraBarLinks.h"
#include "platform/capture/AVCaptureSession.h"
#include "platform/capture/DeviceFactory.h"
#include "platform/capture/DeviceProfile.h"
#include "platform/foundation/Value.h"
#include "platform/ui/UIButton.h"
#include "tests/support/DeviceProfiles.h"
#include "tests/support/FakeCaptureController.h"

namespace formatstest {

// The host's capture controller holding the installed profile's cameras, a session fed by the
// current one and a movie output; it starts in video mode on the back camera.
class FakeCaptureController : public testsupport::FakeCaptureController {
public:
    FakeCaptureController() { mode = 1; }
    std::shared_ptr<AVCaptureDevice> currentDevice() const override;
    std::shared_ptr<AVCaptureSession> currentSession() const override { return session; }
    std::shared_ptr<AVCaptureOutput> currentOutput() const override { return output; }

    // Switches camera (0 back, 1 front) and feeds the session from it.
    void useCamera(long camera);

    std::vector<std::shared_ptr<AVCaptureDevice>> devices;  // from the installed profile
    std::shared_ptr<AVCaptureSession> session = std::make_shared<AVCaptureSession>();
    std::shared_ptr<AVCaptureOutput> output = std::make_shared<AVCaptureMovieFileOutput>();
};

class FakeBottomBar : public CAMBottomBar {
public:
    std::shared_ptr<UIButton> imageWell() const override { return nullptr; }
};

class FakeTopBar : public CAMTopBar {
public:
    std::shared_ptr<UIButton> flipButton() const override { return nullptr; }
};

// The host's frame-rate badge.
class FakeHostSlalomView : public CAMSlalomIndicatorView {
public:
    long framesPerSecond = 0;
    void setFramesPerSecond(long fps) override { framesPerSecond = fps; }
    std::shared_ptr<UILabel> _framerateLabel() const override { return label; }
    std::shared_ptr<UILabel> label = std::make_shared<UILabel>();
};

// The camera bar controller: records its element commands.
class FakeCameraBar : public NSObject, public lumora::ElementToggling {
public:
    void toggleElementFinished(int index, float extraInfo) override {
        commands.push_back({index, extraInfo});
    }
    std::vector<std::pair<int, float>> commands;
    int taps = 0;
};

class FormatsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Installs the model (the zoomed screen with displayZoom), launches a process, sets the
    // add-on's device flags and start values, and gives the host a capture controller in `mode`
    // on the back camera.
    void useModel(const std::string& name, bool displayZoom = false,
                  const platform::CaptureDeviceFaults& faults = {});
    void useProfile(const platform::DeviceProfile& profile, bool displayZoom = false,
                    const platform::CaptureDeviceFaults& faults = {});
    // The host without a capture controller (the class answers nil).
    void removeController();
    // Host bars of the phone's size, a camera bar and buttons in the state record.
    void addHostViews();
    // The host's own frame-rate badge class, as on slow-motion devices.
    void registerHostSlalomView();

    AVCaptureDevice& device() const { return *controller_->currentDevice(); }
    // The formats of the current camera with a given height, in the device's order.
    std::vector<std::shared_ptr<AVCaptureDeviceFormat>> formatsOfHeight(int height) const;
    // Makes `format` the active format (as the host's session would) with its default rate.
    void activate(const std::shared_ptr<AVCaptureDeviceFormat>& format);
    std::optional<ns::Dictionary> readPrefs() const;

    std::filesystem::path root_;
    std::shared_ptr<FakeCaptureController> controller_;
    std::shared_ptr<FakeBottomBar> bottomBar_;
    std::shared_ptr<FakeTopBar> topBar_;
    std::shared_ptr<FakeCameraBar> cameraBar_;
    std::shared_ptr<lumora::CustomDrawButton> stabilizationBtn_;
    std::shared_ptr<UIButton> wbBtn_;
};

// The profile of a model by short name ("iphone6") or identifier, from data/devices.
using testsupport::profile;

// A copy of a camera's format with other frame-rate ranges or stabilization modes.
platform::FormatProfile changedFormat(const platform::FormatProfile& format,
                                      std::vector<std::pair<double, double>> ranges);

// The model's back camera with its 2592x1936 format reaching 60 fps and its 720 and 1080 formats
// limited to 30 fps.
platform::DeviceProfile withTall60(const std::string& model);

// Frames compare to a quarter point.
void expectFrame(CGRect actual, CGRect expected);

}  // namespace formatstest
