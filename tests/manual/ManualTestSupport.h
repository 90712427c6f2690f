#pragma once
// The simulated Camera app with the add-on injected, for the manual focus and exposure tools:
// a device profile of data/devices, the camera bar opened on its second page, and fingers on
// the rulers.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/CameraApp.h"
#include "manual/DialScrollview.h"
#include "manual/FocusAndExposureToolController.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/DeviceProfile.h"
#include "tests/support/DeviceProfiles.h"

namespace manualtest {

// The profile of a model by short name ("iphone6"), from data/devices.
using testsupport::profile;
using testsupport::profiles;

class ManualOnHost : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Launches the camera in `mode` on `model` with the add-on on, and lets it settle.
    void launch(const std::string& model = "iphone6", long mode = 0,
                const platform::DeviceProfile* changed = nullptr);
    // Opens the camera bar, turns advanced photo (video) mode on unless told otherwise, and turns
    // the bar to the page with the focus and exposure tabs.
    void openToolPage(bool advanced = true);
    void tapView(const UIView& view);
    // A finger across a ruler by `dx` points in `steps` moves 1/60 s apart, then lifted.
    void dragRuler(const lumora::DialScrollview& ruler, double dx, int steps = 18);

    lumora::FocusAndExposureToolController& tools() const;
    AVCaptureDevice& device() const;
    std::string readout(const lumora::DialScrollview& ruler) const;

    std::filesystem::path root_;
    host::CameraApp app_;
};

}  // namespace manualtest
