// The format functions against the simulated camera app's own capture controller.

#include "FormatsTestSupport.h"
#include "capture/ApplyFormat.h"
#include "capture/FrameRateModel.h"
#include "core/Preferences.h"
#include "core/Startup.h"
#include "core/TweakState.h"
#include "host/CameraApp.h"
#include "host/CaptureController.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/foundation/PropertyList.h"
#include "tools/CAM_Tools.h"

namespace formatstest {
namespace {

using namespace lumora;

class HostCamera : public FormatsTest {
protected:
    void launch(const std::string& model) {
        // Remembered frame rates, and the add-on switched off so that it installs no hooks.
        ns::Dictionary prefs{{"ENABLED", false}, {"rememberFPSSettings", true}};
        ASSERT_TRUE(ns::writePropertyListAtomically(ns::Value(prefs), preferencesPath()));
        registerAddOn();
        host::LaunchOptions options;
        options.cameraMode = 1;
        app_.launch(profile(model), options);
        app_.settle();
    }
    AVCaptureDevice& hostDevice() { return *app_.captureController()->currentDevice(); }
    int storedInt(const char* key) {
        auto prefs = readPrefs();
        return prefs ? CAM_Tools::intForKey(key, -1, &*prefs) : -1;
    }
    host::CameraApp app_;
};

TEST_F(HostCamera, FrameRateAndResolutionReachTheHostsCameraAndThePreferences) {
    launch("iphone6");
    ASSERT_NE(app_.captureController(), nullptr);
    EXPECT_TRUE(state().HAS_CAMSLALOMVIEW_ALWAYS_SHOW);
    EXPECT_EQ(getMaxFrameRate(&hostDevice()), 240);

    setFrameRate(60, true);
    app_.settle();
    EXPECT_GE(hostDevice().activeFormat()->highestFrameRate(), 60);
    EXPECT_EQ(hostDevice().activeVideoMinFrameDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(hostDevice().activeVideoMaxFrameDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(storedInt("frameRateTime"), 60);
    EXPECT_EQ(storedInt("dimensionHeightVideoBack"), getCurrentDimensionForDevice());

    setDimension(720, 120);
    app_.settle();
    EXPECT_EQ(hostDevice().activeFormat()->dimensions().height, 720);
    EXPECT_EQ(hostDevice().activeVideoMinFrameDuration(), CMTimeMake(1, 120));
    EXPECT_EQ(storedInt("frameRateTime"), 120);
    EXPECT_EQ(storedInt("dimensionHeightVideoBack"), 720);
    EXPECT_EQ(hostDevice().faultCount(), 0) << hostDevice().lastFault();
    EXPECT_EQ(app_.captureController()->currentSession()->configurationDepth(), 0);
}

}  // namespace
}  // namespace formatstest
