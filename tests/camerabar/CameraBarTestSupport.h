#pragma once
// The simulated camera app with the add-on injected, on a temporary device root, for the
// camera bar's tests.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/CameraApp.h"
#include "platform/foundation/Value.h"

namespace lumora {
class CameraBar;
class CameraBarView;
}  // namespace lumora

namespace camerabartest {

class BarOnHost : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the preferences (the add-on enabled, blur on, plus `extra`) and launches the camera
    // on `model` in host mode `mode` with camera `device`.
    void launch(const std::string& model, long mode = 0, long device = 0,
                const ns::Dictionary& extra = {});
    void tapView(const UIView& view);
    void tapWrench();
    // Runs the virtual clock.
    void run(double seconds) { app_.runFor(seconds); }

    lumora::CameraBar& bar();
    lumora::CameraBarView& strip();
    std::optional<ns::Dictionary> storedPrefs() const;

    std::filesystem::path root_;
    host::CameraApp app_;
};

}  // namespace camerabartest
