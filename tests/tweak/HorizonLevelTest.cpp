// The horizon level and the vertical-tilt alert: the level rule over the simulated phone's poses,
// the indicator driven by device motion on the virtual clock, its start / stop / teardown, the
// orientation hook, and the top-bar icons giving way to the host's menu.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "camerabar/CameraBar.h"
#include "camerabar/HorizonAlignment.h"
#include "camerabar/HorizonLevel.h"
#include "camerabar/VerticalAlertImageView.h"
#include "core/CompanionHooks.h"
#include "core/Hooks.h"
#include "core/TopBarCompanions.h"
#include "core/TweakState.h"
#include "platform/device/Device.h"
#include "platform/media/MotionSimulator.h"
#include "platform/runloop/RunLoop.h"
#include "tests/support/AddOnProcess.h"
#include "tests/support/DeviceRoot.h"
#include "tests/support/FakeCaptureController.h"

namespace {

using namespace lumora;
using platform::MotionSimulator;

class FakeCameraView : public CAMCameraView {
public:
    void takePicture() override {}
    bool _isCapturing() const override { return false; }
    void _clearFocusViews() override {}
    void _panFocus(bool, bool, CGPoint) override {}
    void _startFocus(bool, bool, CGPoint, bool) override {}
};

class FakeTopBar : public CAMTopBar {
public:
    std::shared_ptr<UIButton> flipButton() const override { return flip; }
    std::shared_ptr<UIButton> flip = std::make_shared<UIButton>(CGRectMake(300, 5, 40, 30));
};

bool litAt(double roll, double tilt) {
    MotionSimulator::shared().setRoll(roll);
    MotionSimulator::shared().setTilt(tilt);
    const platform::MotionVector g = MotionSimulator::shared().gravity();
    return readHorizon({g.x, g.y, g.z}).level;
}

TEST(HorizonLevelRule, LitWithinTheWindowInPortraitAndBothLandscapesNeverUpsideDownOrFlat) {
    MotionSimulator::shared().reset();
    for (const double roll : {0.0, 90.0, -90.0}) {
        SCOPED_TRACE(roll);
        EXPECT_TRUE(litAt(roll, 0));
        EXPECT_TRUE(litAt(roll, 0.4));
        EXPECT_TRUE(litAt(roll, -0.4));
        EXPECT_FALSE(litAt(roll, 0.8));
        EXPECT_FALSE(litAt(roll, -0.8));
        EXPECT_FALSE(litAt(roll, 2));
    }
    for (const double tilt : {0.0, 0.4, -0.4}) EXPECT_FALSE(litAt(180, tilt));
    // The landscape window's edges, and gravity straight along the screen's y axis.
    EXPECT_FALSE(readHorizon({1, 0.012, 0}).level);
    EXPECT_TRUE(readHorizon({1, -0.005, 0}).level);
    EXPECT_TRUE(readHorizon({0, -1, 0}).level);
    EXPECT_NEAR(readHorizon({0, -1, 0}).angle, M_PI, 1e-12);
    // Lying flat: the simulator's face-up gravity, and the sign noise a real sensor gives
    // (atan2(-0, -0) is -π, which the window alone would call level).
    MotionSimulator::shared().setPose("face-up");
    const platform::MotionVector up = MotionSimulator::shared().gravity();
    EXPECT_FALSE(readHorizon({up.x, up.y, up.z}).level);
    EXPECT_FALSE(readHorizon({-0.0, -0.0, -1}).level);
    EXPECT_FALSE(readHorizon({0.001, -0.02, -0.9997}).level);
    MotionSimulator::shared().reset();
}

class HorizonIndicator : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = testsupport::makeDeviceRoot("lumora-horizon");
        ASSERT_FALSE(root_.empty());
        testsupport::launchProcess("com.apple.camera");
        MotionSimulator::shared().reset();
        testsupport::registerSharedCaptureController(&controller_);
        state()._UIDeviceOrientation = 1;
        state().cameraView = cameraView_;
        state()._CAMTopBar = topBar_;
        state().showHorizonAlignment = true;
        CreateHorizonAlignmentBtn([](UIGestureRecognizer*) {}, nullptr);
        bar_ = CameraBar::initWithFrame(CGRectMake(165, 0, 419, 55));
        state().cameraBar = bar_;
    }
    void TearDown() override {
        bar_.reset();
        testsupport::endProcess();
        testsupport::setSharedCaptureController(nullptr);
        MotionSimulator::shared().reset();
        testsupport::removeDeviceRoot(root_);
    }
    static void run(double seconds) { platform::RunLoop::main().runFor(seconds); }
    static UIImageView& base() { return *horizonBaseView(); }
    static UIImageView& needle() { return *horizonIndicatorView(); }
    static UIImageView& button() {
        return *dynamic_cast<UIImageView*>(state().horizonAlignmentBtn.get());
    }
    void expectLit(bool lit) {
        EXPECT_EQ(base().isHighlighted(), lit);
        EXPECT_EQ(needle().isHighlighted(), lit);
    }

    std::filesystem::path root_;
    testsupport::FakeCaptureController controller_;
    std::shared_ptr<FakeCameraView> cameraView_ = std::make_shared<FakeCameraView>();
    std::shared_ptr<FakeTopBar> topBar_ = std::make_shared<FakeTopBar>();
    std::shared_ptr<CameraBar> bar_;
};

TEST_F(HorizonIndicator, ViewsAndButtonSitWhereTheScreenAndTopBarSay) {
    // iPhone 6 default screen 375 x 667: 320-point views a little above the centre.
    EXPECT_EQ(base().frame(), CGRectMake(27.5, 144.5, 320, 320));
    EXPECT_EQ(needle().frame(), base().frame());
    EXPECT_EQ(base().alpha(), 0);
    EXPECT_EQ(cameraView_->subviews().size(), 2u);
    EXPECT_EQ(cameraView_->subviews()[1].get(), &needle());
    EXPECT_EQ(button().frame(), CGRectMake(265, -2, 45, 45));
    EXPECT_EQ(button().tag(), 101);
}

TEST_F(HorizonIndicator, FollowsTheMotionSamplesAndLightsOnlyWhileLevel) {
    bar_->StartCMDeviceMotion();
    EXPECT_FALSE(state().horizonAlignmentShowing);  // only when the fade-in is done
    run(0.3);
    EXPECT_TRUE(state().horizonAlignmentShowing);
    EXPECT_TRUE(button().isHighlighted());
    EXPECT_EQ(base().alpha(), 1);
    expectLit(true);
    EXPECT_NEAR(needle().transform().a, -1, 1e-9);  // rotated by π held upright

    MotionSimulator::shared().setTilt(2);
    run(0.05);
    expectLit(false);
    const double angle = std::atan2(std::sin(2 * M_PI / 180), std::cos(2 * M_PI / 180));
    EXPECT_NEAR(needle().transform().b, std::sin(-(M_PI - angle)), 1e-9);

    MotionSimulator::shared().setPose("landscape-left");
    MotionSimulator::shared().setTilt(-0.4);
    run(0.05);
    expectLit(true);
    MotionSimulator::shared().setPose("upside-down");
    run(0.05);
    expectLit(false);
    // 60 samples a second reach the views.
    const auto before = horizonSamplesApplied();
    run(1.0);
    EXPECT_NEAR(static_cast<double>(horizonSamplesApplied() - before), 60, 1);
}

TEST_F(HorizonIndicator, ASecondStartStopsTheHeldManagerFirst) {
    bar_->StartCMDeviceMotion();
    run(0.1);
    const std::shared_ptr<CMMotionManager> first = bar_->motionManager;
    bar_->StartCMDeviceMotion();
    ASSERT_NE(bar_->motionManager, first);
    EXPECT_FALSE(first->isDeviceMotionActive());
    EXPECT_TRUE(bar_->motionManager->isDeviceMotionActive());
    const auto before = horizonSamplesApplied();
    run(1.0);
    EXPECT_NEAR(static_cast<double>(horizonSamplesApplied() - before), 60, 1);
}

TEST_F(HorizonIndicator, StopEndsUpdatesAtOnceAndTeardownDropsWhatIsInFlight) {
    state().rememberSettings = true;
    bar_->StartCMDeviceMotion();
    run(0.5);
    ASSERT_TRUE(state().horizonAlignmentShowing);
    bar_->StopCMDeviceMotion(true);
    EXPECT_FALSE(bar_->motionManager->isDeviceMotionActive());
    const auto before = horizonSamplesApplied();
    MotionSimulator::shared().setTilt(3);
    run(0.5);
    EXPECT_EQ(horizonSamplesApplied(), before);
    expectLit(true);  // the last sample's state stays; the views are faded out
    EXPECT_EQ(base().alpha(), 0);
    EXPECT_FALSE(state().horizonAlignmentShowing);
    EXPECT_FALSE(button().isHighlighted());

    // Teardown while the fade-in runs: neither the samples nor the completion act afterwards.
    bar_->StartCMDeviceMotion();
    run(0.1);
    bar_->DestroyCMDeviceMotion();
    EXPECT_EQ(bar_->motionManager, nullptr);
    const auto afterDestroy = horizonSamplesApplied();
    run(1.0);
    EXPECT_EQ(horizonSamplesApplied(), afterDestroy);
    EXPECT_FALSE(state().horizonAlignmentShowing);
    EXPECT_FALSE(button().isHighlighted());
    // The owner gone altogether, with a stop's completion pending.
    bar_->StartCMDeviceMotion();
    run(0.3);
    bar_->StopCMDeviceMotion(true);
    state().cameraBar.reset();
    bar_.reset();
    run(1.0);
    EXPECT_TRUE(state().horizonAlignmentShowing);
}

TEST_F(HorizonIndicator, RememberedStateResumesOnlyWhileTheSwitchIsOn) {
    state().horizonAlignmentShowing = true;
    state().showHorizonAlignment = false;
    bar_->setUpHorizonAlignment();
    EXPECT_EQ(bar_->motionManager, nullptr);
    state().showHorizonAlignment = true;
    bar_->setUpHorizonAlignment();
    ASSERT_NE(bar_->motionManager, nullptr);
    EXPECT_TRUE(bar_->motionManager->isDeviceMotionActive());
}

TEST_F(HorizonIndicator, OrientationHookStoresBeforeTurningAndIgnoresFlatReports) {
    hooks::CAMCaptureController_accelerometer_didChangeDeviceOrientation(&controller_, "", nullptr,
                                                                         3);
    EXPECT_EQ(state()._UIDeviceOrientation, 3);
    EXPECT_EQ(base().transform(), (CGAffineTransform{0, -1, 1, 0, 0, 0}));
    EXPECT_EQ(needle().transform(), (CGAffineTransform{0, -1, 1, 0, 0, 0}));
    hooks::CAMCaptureController_accelerometer_didChangeDeviceOrientation(&controller_, "", nullptr,
                                                                         4);
    EXPECT_EQ(base().transform(), (CGAffineTransform{0, 1, -1, 0, 0, 0}));
    hooks::CAMCaptureController_accelerometer_didChangeDeviceOrientation(&controller_, "", nullptr,
                                                                         5);
    EXPECT_EQ(state()._UIDeviceOrientation, 4);
    EXPECT_EQ(base().transform(), (CGAffineTransform{0, 1, -1, 0, 0, 0}));
    hooks::CAMCaptureController_accelerometer_didChangeDeviceOrientation(&controller_, "", nullptr,
                                                                         2);
    EXPECT_EQ(base().transform(), (CGAffineTransform{-1, 0, 0, -1, 0, 0}));
}

TEST_F(HorizonIndicator, TiltAlertLightsInVideoHeldUprightOnly) {
    auto alert = [] {
        return dynamic_cast<VerticalAlertImageView*>(state().videoVerticallyTiltedAlert.get());
    };
    auto orient = [this](long o) {
        hooks::CAMCaptureController_accelerometer_didChangeDeviceOrientation(&controller_, "",
                                                                             nullptr, o);
    };
    controller_.mode = 1;
    state().showVerticalAlert = false;
    CreateVideoVerticallyTiltedAlert();
    EXPECT_EQ(alert(), nullptr);  // switched off

    state().showVerticalAlert = true;
    CreateVideoVerticallyTiltedAlert();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->frame(), CGRectMake(375 - 105, 10, 22, 22));
    EXPECT_EQ(alert()->superview(), topBar_.get());
    EXPECT_EQ(alert()->image(), nullptr);  // shows only when highlighted
    EXPECT_TRUE(alert()->isHighlighted());
    const std::pair<long, bool> videoCases[] = {{3, false}, {5, false}, {2, true},
                                                {6, true},  {4, false}, {1, true}};
    for (const auto& [o, lit] : videoCases) {
        orient(o);
        EXPECT_EQ(alert()->isHighlighted(), lit) << o;
    }
    controller_.mode = 0;
    orient(1);
    EXPECT_FALSE(alert()->isHighlighted());
    controller_.mode = 2;
    CreateVideoVerticallyTiltedAlert();
    EXPECT_TRUE(alert()->isHighlighted());
}

TEST_F(HorizonIndicator, TopBarIconsHideWhileTheHostMenuIsExpanded) {
    hooks::CAMExpandableMenuButton_startExpansionWithProposedFrame(nullptr, "", CGRectZero);
    EXPECT_EQ(button().alpha(), 0);
    run(4.0);
    EXPECT_TRUE(button().isHidden());
    hooks::CAMExpandableMenuButton_startCollapsingWithProposedFrame(nullptr, "", CGRectZero);
    run(4.0);
    EXPECT_FALSE(button().isHidden());
    EXPECT_EQ(button().alpha(), 1);

    // Overlapping fades: the collapse a second after the expansion decides.
    hooks::CAMExpandableMenuButton_startExpansionWithProposedFrame(nullptr, "", CGRectZero);
    run(1.0);
    hooks::CAMExpandableMenuButton_startCollapsingWithProposedFrame(nullptr, "", CGRectZero);
    run(5.0);
    EXPECT_FALSE(button().isHidden());
    // The button gone meanwhile: nothing to touch.
    hooks::CAMExpandableMenuButton_startExpansionWithProposedFrame(nullptr, "", CGRectZero);
    state().horizonAlignmentBtn.reset();
    run(5.0);
}

}  // namespace
