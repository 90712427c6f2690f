// The white-balance lock on the device and its label in the host's bars.

#include "FormatsTestSupport.h"
#include "capture/WhiteBalance.h"
#include "core/TweakState.h"
#include "overlays/CustomTransparentFilledLabel.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/Locale.h"
#include "platform/runloop/RunLoop.h"

namespace formatstest {
namespace {

using namespace lumora;

class WhiteBalance : public FormatsTest {
protected:
    void setUpModel(const std::string& model) {
        useModel(model);
        addHostViews();
        wbBtn_->setSelected(true);
        state().canWhiteBalance = false;
    }
    CustomTransparentFilledLabel* label() { return state().whiteBalanceLockLbl.get(); }
    static void runFor(double seconds) { platform::RunLoop::main().runFor(seconds); }
};

TEST_F(WhiteBalance, LockAndUnlockTheDeviceOnlyWhenTheModeDiffers) {
    setUpModel("iphone5s");
    EXPECT_EQ(device().whiteBalanceMode(), AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance);
    toggleWhiteBalance(true);
    EXPECT_EQ(device().whiteBalanceMode(), AVCaptureWhiteBalanceModeLocked);
    const int attempts = device().lockAttemptCount();
    toggleWhiteBalance(true);
    EXPECT_EQ(device().lockAttemptCount(), attempts);
    toggleWhiteBalance(false);
    EXPECT_EQ(device().whiteBalanceMode(), AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance);
    EXPECT_EQ(device().faultCount(), 0);

    device().setLockForConfigurationFails(true);
    toggleWhiteBalance(true);
    EXPECT_EQ(device().whiteBalanceMode(), AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance);
    removeController();
    toggleWhiteBalance(true);  // nothing to lock
}

TEST_F(WhiteBalance, PhotoLabelSitsInTheTopBarTurnedWithTheDeviceAndFadesIn) {
    setUpModel("iphone6");
    controller_->mode = 0;
    state()._UIDeviceOrientation = 3;
    createAndShowWBLabel();
    ASSERT_NE(label(), nullptr);
    EXPECT_EQ(label()->superview(), topBar_.get());
    ASSERT_TRUE(label()->attributedText().has_value());
    EXPECT_EQ(label()->attributedText()->string(), "WB LOCK");
    EXPECT_EQ(label()->bounds().size.width, 75);
    EXPECT_EQ(label()->center().x, 375 - 47.5);
    EXPECT_EQ(label()->center().y, 66.5);
    const CGAffineTransform t = label()->transform();
    EXPECT_EQ(t.b, 1);
    EXPECT_EQ(t.c, -1);
    EXPECT_NEAR(label()->minimumScaleFactor(), 0.6923077, 1e-6);
    EXPECT_TRUE(label()->adjustsFontSizeToFitWidth());
    EXPECT_EQ(label()->alpha(), 1);  // the model value; the fade runs on the clock
    EXPECT_LT(label()->presentationState().alpha, 0.01);
    runFor(0.25);
    EXPECT_EQ(label()->presentationState().alpha, 1);
}

TEST_F(WhiteBalance, FrenchLabelIsWiderAndFurtherLeft) {
    NSLocale::setPreferredLanguages({"fr"});
    setUpModel("iphone6");
    controller_->mode = 1;
    createAndShowWBLabel();
    ASSERT_NE(label(), nullptr);
    expectFrame(label()->frame(), CGRectMake(375 - 85 - 5, 55.5, 80, 22));
    EXPECT_EQ(label()->attributedText()->string(), "VERR. BDB");

    // Video with the interface in landscape.
    NSLocale::setPreferredLanguages({"en"});
    setUpModel("iphone6");
    controller_->mode = 1;
    UIScreen::mainScreen().setInterfaceLandscape(true);
    createAndShowWBLabel();
    expectFrame(label()->frame(), CGRectMake(375 - 130, 10, 75, 22));
}

TEST_F(WhiteBalance, TabletLabelGoesToTheBottomBar) {
    setUpModel("ipad2");
    controller_->mode = 0;
    createAndShowWBLabel();
    EXPECT_EQ(label()->superview(), bottomBar_.get());
    expectFrame(label()->frame(), CGRectMake(-100, 14, 85, 22));
}

TEST_F(WhiteBalance, HidingReleasesTheLabelAndRestoresTheFlagsWhenTheFadeEnds) {
    setUpModel("iphone6");
    createAndShowWBLabel();
    toggleWhiteBalance(true);
    std::weak_ptr<CustomTransparentFilledLabel> weak = state().whiteBalanceLockLbl;
    hideAndDestroyWBLabel();
    EXPECT_NE(label(), nullptr);
    EXPECT_FALSE(state().canWhiteBalance);
    runFor(0.2);
    EXPECT_EQ(label(), nullptr);
    EXPECT_TRUE(weak.expired());
    EXPECT_TRUE(topBar_->subviews().empty());
    EXPECT_FALSE(wbBtn_->isSelected());
    EXPECT_TRUE(state().canWhiteBalance);
    // The device stays locked: only the flags return to "unlocked".
    EXPECT_EQ(device().whiteBalanceMode(), AVCaptureWhiteBalanceModeLocked);
}

TEST_F(WhiteBalance, HidingWithoutALabelStillRestoresTheFlags) {
    setUpModel("iphone6");
    hideAndDestroyWBLabel();
    runFor(0.2);
    EXPECT_FALSE(wbBtn_->isSelected());
    EXPECT_TRUE(state().canWhiteBalance);
    // And without the button at all.
    state().modeWBBtn.reset();
    state().canWhiteBalance = false;
    hideAndDestroyWBLabel();
    runFor(0.2);
    EXPECT_TRUE(state().canWhiteBalance);
}

}  // namespace
}  // namespace formatstest
