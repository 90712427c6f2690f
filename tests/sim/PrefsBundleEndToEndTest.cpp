// The settings bundle end to end on the simulated phone: real touches in the Settings app
// beside a camera in the background, which switches end the camera, and the add-on reading
// the new values when the camera starts again.

#include "core/TweakState.h"
#include "tests/sim/SimFixture.h"

namespace {

class PrefsBundleEndToEndTest : public simtest::SimTest {
protected:
    sim::SessionOptions options() {
        sim::SessionOptions o = SimTest::options();
        o.appFactory = sim::hostAppFactory();
        return o;
    }
};

TEST_F(PrefsBundleEndToEndTest, SwitchesEndTheCameraOnlyWhereNeededAndTheAddOnReadsThemAtStart) {
    ASSERT_TRUE(startSession(options()));
    runChecked(R"(device iphone6
launch camera
advance 1s
launch settings
advance 1s
expect app camera running
tap settings-lumora3
advance 1s
expect view prefs-enabled on
tap prefs-adv-photo
tap prefs-remember
tap prefs-active-features
advance 1s
tap prefs-blur
tap prefs-show-fps
advance 1s
expect app camera running
expect event killed never
tap prefs-unmirror
advance 1s
expect view prefs-unmirror on
expect app camera ended
expect event killed count = 1
expect prefs unMirrorSelfies = 1
expect prefs blurButtonBar = 0
expect prefs showFPS = 0
expect prefs advPhotoModeAsDefault = 1
expect prefs rememberSettings = true
launch camera
advance 1s
expect app settings running
)");
    const auto& s = lumora::state();
    EXPECT_EQ(s.globCameraMode, 1);
    EXPECT_EQ(s.sessionCameraMode, 1) << "a fresh start seeds the session's mode";
    EXPECT_TRUE(s.unMirrorSelfies);
    EXPECT_FALSE(s.blurButtonBar);
    EXPECT_FALSE(s.showFPS);
    EXPECT_TRUE(s.rememberSettings);
    EXPECT_TRUE(s.ACTIVATE);

    // Settings resumes where it was left; the master switch turns the add-on off.
    runChecked(R"(launch settings
advance 1s
expect view prefs-unmirror on
tap settings-back
advance 1s
tap prefs-enabled
advance 1s
expect prefs ENABLED = 0
expect app camera ended
launch camera
advance 1s
expect app camera running
expect events in-order killed launch killed launch
)");
    EXPECT_FALSE(lumora::state().ACTIVATE);
}

}  // namespace
