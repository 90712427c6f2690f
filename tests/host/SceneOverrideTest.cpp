// A scene set from outside stays in front of the cameras: across camera and mode switches,
// focus taps and relaunches, until it is set again or cleared.

#include <gtest/gtest.h>

#include <cmath>

#include "HostTestSupport.h"
#include "host/CameraView.h"
#include "host/CaptureController.h"

namespace hosttest {
namespace {

class SceneOverrideTest : public HostTest {
protected:
    const AVCaptureScene& deviceScene() {
        static const AVCaptureScene none{};
        host::CaptureController* c = app_.captureController();
        if (c == nullptr || c->currentDevice() == nullptr) {
            ADD_FAILURE() << "no camera";
            return none;
        }
        return c->currentDevice()->scene();
    }
    void expectScene(double brightness, double distance, const char* when) {
        EXPECT_DOUBLE_EQ(deviceScene().brightness, brightness) << when;
        EXPECT_DOUBLE_EQ(deviceScene().subjectDistance, distance) << when;
    }
};

TEST_F(SceneOverrideTest, HoldsAcrossSwitchesFocusTapsAndRelaunch) {
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    const double hostLight = deviceScene().brightness;
    app_.setScene(5.0, 0.3);
    expectScene(5.0, 0.3, "at once");

    app_.flip();
    app_.runFor(0.5);
    ASSERT_EQ(app_.captureController()->cameraDevice(), 1);
    expectScene(5.0, 0.3, "on the front camera");
    app_.flip();
    app_.runFor(0.5);
    ASSERT_TRUE(app_.setMode("VIDEO"));
    app_.runFor(0.5);
    expectScene(5.0, 0.3, "after a mode switch");
    ASSERT_TRUE(app_.setMode("PHOTO"));

    // A tap on the far mountains would focus at infinity with the host's own scene.
    host::CameraView* view = app_.cameraView();
    ASSERT_NE(view, nullptr);
    const CGRect preview = view->previewView()->frame();
    app_.tap(CGPointMake(CGRectGetMidX(preview), preview.origin.y + preview.size.height * 0.4));
    app_.runFor(1.0);
    expectScene(5.0, 0.3, "after a focus tap");

    app_.terminate();
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    expectScene(5.0, 0.3, "after a relaunch");

    app_.clearScene();
    EXPECT_TRUE(app_.sceneOverride().empty());
    EXPECT_DOUBLE_EQ(deviceScene().brightness, hostLight);
    EXPECT_NE(deviceScene().subjectDistance, 0.3);
}

TEST_F(SceneOverrideTest, UnsetOrImpossiblePartsKeepTheHostsOwn) {
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    const AVCaptureScene own = deviceScene();
    app_.setScene(host::SceneOverride{std::nullopt, 1.5});
    expectScene(own.brightness, 1.5, "distance only");
    app_.setScene(NAN, -2.0);
    EXPECT_TRUE(app_.sceneOverride().empty());
    expectScene(own.brightness, own.subjectDistance, "nonsense");
    app_.setScene(host::SceneOverride{3.0, INFINITY});
    EXPECT_FALSE(app_.sceneOverride().distanceMetres);
    expectScene(3.0, own.subjectDistance, "brightness only");
}

TEST_F(SceneOverrideTest, SetBeforeLaunchAppliesToTheFirstFrames) {
    app_.setScene(9.0, 0.5);
    ASSERT_TRUE(launch("iphone6"));
    expectScene(9.0, 0.5, "from the start");
}

// The camera answers a dim scene with a longer exposure and a higher ISO; the photo is then
// correctly exposed, not seven stops too bright.
TEST_F(SceneOverrideTest, AutoExposureMakesADimSceneLookRight) {
    ASSERT_TRUE(launch("iphone6"));
    app_.setScene(host::SceneOverride{6.0, std::nullopt});
    app_.runFor(3.0);
    auto shot = app_.captureController()->currentShot();
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->brightnessEV, 6.0);
    EXPECT_NEAR(std::log2(host::exposureFactor(*shot)), 0.0, 0.5);
}

}  // namespace
}  // namespace hosttest
