#include <gtest/gtest.h>

#include "TweakTestSupport.h"
#include "platform/device/Process.h"
#include "platform/device/UIDevice.h"
#include "tools/LumoraHelper.h"
#include "tools/Predicates.h"

namespace {

using namespace lumora;
using tweaktest::FakeCaptureController;

class Predicates : public ::testing::Test {
protected:
    void SetUp() override {
        platform::Process::launch("com.apple.camera");
        resetState();
    }
    void TearDown() override {
        platform::Process::terminate();
        platform::Device::reset();
        resetState();
    }
    void screen(CGFloat w, CGFloat h) {
        platform::DeviceConfig c;
        c.screenBounds = CGRectMake(0, 0, w, h);
        platform::Device::configure(c);
    }
    FakeCaptureController controller;
};

TEST_F(Predicates, WithoutControllerModeIsMinusOneAndBothCamerasAnswerTrue) {
    EXPECT_EQ(sharedCAMCaptureControllerInstance(), nullptr);
    EXPECT_EQ(getCameraMode(), -1);
    EXPECT_FALSE(isCameraMode());
    EXPECT_FALSE(isVideoMode());
    EXPECT_TRUE(isBackCamera());
    EXPECT_TRUE(isFrontCamera());
    // The class exists but its shared instance is nil.
    tweaktest::registerCaptureController(nullptr);
    EXPECT_EQ(getCameraMode(), -1);
    EXPECT_TRUE(isFrontCamera());
}

TEST_F(Predicates, ModesAndCamerasComeFromTheSharedController) {
    tweaktest::registerCaptureController(&controller);
    EXPECT_EQ(sharedCAMCaptureControllerInstance(), &controller);
    for (long m : {0L, 4L, 6L}) {
        controller.mode = m;
        EXPECT_TRUE(isCameraMode()) << m;
        EXPECT_FALSE(isVideoMode()) << m;
    }
    for (long m : {1L, 2L}) {
        controller.mode = m;
        EXPECT_TRUE(isVideoMode()) << m;
        EXPECT_FALSE(isCameraMode()) << m;
    }
    for (long m : {3L, 5L}) {
        controller.mode = m;
        EXPECT_FALSE(isVideoMode()) << m;
        EXPECT_FALSE(isCameraMode()) << m;
    }
    controller.device = 1;
    EXPECT_TRUE(isFrontCamera());
    EXPECT_FALSE(isBackCamera());
    controller.device = 0;
    EXPECT_TRUE(isBackCamera());
    EXPECT_FALSE(isFrontCamera());
    EXPECT_TRUE(isBackCameraEx(0));
    EXPECT_FALSE(isBackCameraEx(1));
    EXPECT_TRUE(isFrontCameraEx(1));
    EXPECT_FALSE(isFrontCameraEx(2));
}

// Some other object registered under the controller's name is not used as one.
class NotAController : public NSObject {
public:
    LU_OBJC_CLASS(CAMCaptureController)
};
NotAController impostor;
id answerImpostor(objc::Class*, SEL) {
    return &impostor;
}

TEST_F(Predicates, AnObjectThatIsNoControllerIsIgnored) {
    objc::Class* cls = objc::Runtime::current().registerClass("CAMCaptureController");
    objc::addClassMethod<id>(cls, "sharedInstance", &answerImpostor);
    EXPECT_EQ(sharedCAMCaptureControllerInstance(), nullptr);
    EXPECT_EQ(getCameraMode(), -1);
}

TEST_F(Predicates, ScreenShapeDecidesLandscapeAndPortrait) {
    screen(375, 667);
    EXPECT_TRUE(isPortraitOrientation());
    EXPECT_TRUE(isPortraitOrientationEx());
    EXPECT_FALSE(isLandscapeOrientation());
    UIScreen::mainScreen().setInterfaceLandscape(true);
    EXPECT_TRUE(isLandscapeOrientation());
    EXPECT_TRUE(isLandscapeOrientationEx());
    EXPECT_FALSE(isPortraitOrientation());
    UIScreen::mainScreen().setInterfaceLandscape(false);
    screen(500, 500);
    EXPECT_FALSE(isLandscapeOrientation());
    EXPECT_FALSE(isPortraitOrientation());
}

TEST_F(Predicates, StoredOrientationNumbers) {
    const std::array<bool (*)(), 4> tests{
        &isPortraitNormalOrientation, &isPortraitUpsideDownOrientation,
        &isLandscapeRightOrientation, &isLandscapeLeftOrientation};
    for (long o = 0; o <= 6; ++o) {
        state()._UIDeviceOrientation = o;
        for (long i = 0; i < 4; ++i) EXPECT_EQ(tests[i](), o == i + 1) << o << " " << i;
    }
}

TEST_F(Predicates, TabletIsIdiomOne) {
    EXPECT_FALSE(isTablet());
    platform::Device::configure(tweaktest::iPad("iPad5,3"));
    EXPECT_TRUE(isTablet());
}

TEST_F(Predicates, TransformsForEveryOrientationAgreeBetweenBothForms) {
    const CGAffineTransform none{1, 0, 0, 1, 0, 0};
    const CGAffineTransform half{-1, 0, 0, -1, 0, 0};
    const CGAffineTransform plus90{0, 1, -1, 0, 0, 0};
    const CGAffineTransform minus90{0, -1, 1, 0, 0, 0};
    const std::array<CGAffineTransform, 8> expected{none,    none, half, plus90,
                                                    minus90, none, none, none};
    for (int o = 0; o < 8; ++o) {
        EXPECT_EQ(LumoraHelper::getTransformation(o), expected[o]) << o;
        state()._UIDeviceOrientation = o;
        EXPECT_EQ(LumoraHelper::getTransformation(), expected[o]) << o;
    }
    EXPECT_EQ(LumoraHelper::getTransformation(-3), none);
}

}  // namespace
