// Applying a frame rate or a resolution to the simulated camera, and remembering it on disk.

#include "FormatsTestSupport.h"
#include "capture/ApplyFormat.h"
#include "capture/FrameRateModel.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "platform/capture/AVCaptureDevice.h"
#include "tools/CAM_Tools.h"

namespace formatstest {
namespace {

using namespace lumora;

// iPhone 6 back camera formats by height, 420v and 420f of each entry in turn:
// 720: [2,30] [2,30] [5,240] [5,240]; 1080: [2,30] [2,30] [2,60] [2,60].
class ApplyFormat : public FormatsTest {
protected:
    void SetUp() override {
        FormatsTest::SetUp();
        useModel("iphone6");
        controller_->mode = 1;
    }
    void expectPinnedAt(int rate) {
        EXPECT_EQ(device().activeVideoMinFrameDuration(), CMTimeMake(1, rate));
        EXPECT_EQ(device().activeVideoMaxFrameDuration(), CMTimeMake(1, rate));
    }
    void expectNoFaults() {
        EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
        EXPECT_EQ(controller_->session->faultCount(), 0) << controller_->session->lastFault();
        EXPECT_EQ(controller_->session->configurationDepth(), 0);
    }
    int prefInt(const ns::Dictionary& d, const char* key) {
        return CAM_Tools::intForKey(key, -12345, &d);
    }
};

TEST_F(ApplyFormat, FrameRateKeepsTheActiveHeightWhenOneOfItsFormatsReachesTheRate) {
    activate(formatsOfHeight(1080)[0]);
    setFrameRate(60, false);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(1080)[2]);
    expectPinnedAt(60);
    expectNoFaults();
    EXPECT_TRUE(state().skipDoubleUpdate);
    EXPECT_EQ(state().currentFrameRate, 60);
    EXPECT_EQ(state().globalFrameRateTime, 60);
    EXPECT_EQ(state().currentDimensionHeightVideoBack, 0);  // not adopted

    // At 720 the first 720 format reaching 60 is the 240-fps one, before any 1080 format.
    activate(formatsOfHeight(720)[0]);
    setFrameRate(60, false);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(720)[2]);
    expectPinnedAt(60);
}

TEST_F(ApplyFormat, FrameRateOutOfReachOfTheActiveHeightTakesTheLastQualifyingFormat) {
    activate(formatsOfHeight(540)[0]);
    setFrameRate(60, true);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(1080)[3]);
    expectPinnedAt(60);
    EXPECT_EQ(state().currentDimensionHeightVideoBack, 1080);
    EXPECT_EQ(state().globalDimensionHeightVideoBack, 1080);
}

TEST_F(ApplyFormat, FrameRateDoesNothingOutsidePlainVideoOrOutOfReach) {
    activate(formatsOfHeight(1080)[0]);
    const int attempts = device().lockAttemptCount();
    for (long mode : {2L, 0L, 4L, 3L}) {
        controller_->mode = mode;
        setFrameRate(60, true);
    }
    controller_->mode = 1;
    setFrameRate(300, true);
    removeController();
    setFrameRate(60, true);
    EXPECT_EQ(device().lockAttemptCount(), attempts);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(1080)[0]);
    EXPECT_EQ(state().currentFrameRate, 0);
    EXPECT_FALSE(readPrefs().has_value());
}

TEST_F(ApplyFormat, RefusedLockChangesNothingButClosesTheSessionBracket) {
    activate(formatsOfHeight(540)[0]);
    const CMTime before = device().activeVideoMinFrameDuration();
    device().setLockForConfigurationFails(true);
    setFrameRate(60, true);
    setDimension(1080, 60);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(540)[0]);
    EXPECT_EQ(device().activeVideoMinFrameDuration(), before);
    EXPECT_FALSE(state().skipDoubleUpdate);
    EXPECT_EQ(state().globalFrameRateTime, 30);
    EXPECT_EQ(state().currentDimensionHeightVideoBack, 0);
    EXPECT_FALSE(readPrefs().has_value());
    EXPECT_EQ(controller_->session->configurationDepth(), 0);
    EXPECT_EQ(controller_->session->faultCount(), 0);
    // setDimension records the rate in force even so.
    EXPECT_EQ(state().currentFrameRate, 60);
}

TEST_F(ApplyFormat, RememberedChangesReachThePreferencesFile) {
    state().rememberFPSSettings = true;
    activate(formatsOfHeight(540)[0]);
    setFrameRate(60, true);
    auto prefs = readPrefs();
    ASSERT_TRUE(prefs.has_value());
    EXPECT_EQ(prefInt(*prefs, "frameRateTime"), 60);
    EXPECT_EQ(prefInt(*prefs, "dimensionHeightVideoBack"), 1080);

    controller_->useCamera(1);
    setDimension(480, 25);
    prefs = readPrefs();
    ASSERT_TRUE(prefs.has_value());
    EXPECT_EQ(prefInt(*prefs, "frameRateTime"), 25);
    EXPECT_EQ(prefInt(*prefs, "dimensionHeightVideoFront"), 480);
    EXPECT_EQ(prefInt(*prefs, "dimensionHeightVideoBack"), 1080);

    // Not remembered: the file keeps the last remembered rate.
    state().rememberFPSSettings = false;
    controller_->useCamera(0);
    setFrameRate(30, false);
    EXPECT_EQ(state().globalFrameRateTime, 30);
    prefs = readPrefs();
    ASSERT_TRUE(prefs.has_value());
    EXPECT_EQ(prefInt(*prefs, "frameRateTime"), 25);
}

TEST_F(ApplyFormat, ARateBelowAFormatsRangeIsNotForcedOnIt) {
    platform::DeviceProfile p = profile("iphone6");
    std::swap(p.back->formats[5], p.back->formats[6]);  // 720: 240-fps format first
    useProfile(p);
    controller_->mode = 1;
    activate(formatsOfHeight(720)[0]);
    setFrameRate(3, false);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(720)[2]);  // the [2,30] format
    expectPinnedAt(3);
    expectNoFaults();
}

TEST_F(ApplyFormat, RateZeroRestoresTheFormatsDefaultDuration) {
    activate(formatsOfHeight(1080)[2]);
    setFrameRate(60, false);
    setFrameRate(0, false);
    expectPinnedAt(30);
    expectNoFaults();
    EXPECT_EQ(state().currentFrameRate, 0);
}

TEST_F(ApplyFormat, DimensionTakesTheFirstFormatWhoseFirstRangeReachesTheGrantedRate) {
    setDimension(720, 60);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(720)[2]);
    expectPinnedAt(60);
    expectNoFaults();
    EXPECT_TRUE(state().skipDoubleUpdate);
    EXPECT_EQ(state().currentFrameRate, 60);
    EXPECT_EQ(state().globalFrameRateTime, 60);
    EXPECT_EQ(state().currentDimensionHeightVideoBack, 720);
    EXPECT_EQ(state().globalDimensionHeightVideoBack, 720);
    EXPECT_TRUE(readPrefs().has_value());

    // 120 at 1080 is granted as 60.
    setDimension(1080, 120);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(1080)[2]);
    expectPinnedAt(60);
    EXPECT_EQ(state().currentFrameRate, 60);
}

TEST_F(ApplyFormat, DimensionComparesOnlyTheFirstRangeOfEachFormat) {
    platform::DeviceProfile p = profile("iphone6");
    p.back->formats[5] = changedFormat(p.back->formats[5], {{2, 30}, {2, 60}});
    p.back->formats[6] = changedFormat(p.back->formats[6], {{2, 30}});
    useProfile(p);
    controller_->mode = 1;
    activate(formatsOfHeight(540)[0]);
    setDimension(720, 60);
    EXPECT_EQ(device().activeFormat(), formatsOfHeight(540)[0]);
    EXPECT_EQ(state().currentFrameRate, 60);
    EXPECT_EQ(state().currentDimensionHeightVideoBack, 0);
}

TEST_F(ApplyFormat, DimensionMakesNoValidityTest) {
    controller_->useCamera(1);  // front video allows 720 at most
    setDimension(960, 30);
    EXPECT_EQ(device().activeFormat()->dimensions().height, 960);
    EXPECT_EQ(state().currentDimensionHeightVideoFront, 960);
}

TEST_F(ApplyFormat, DimensionAboveFullHDIsNotGivenMoreThan30OnIPhone6Models) {
    useProfile(withTall60("iphone6plus"));
    controller_->mode = 1;
    const auto before = device().activeFormat();
    setDimension(1936, 60);
    EXPECT_EQ(device().activeFormat(), before);
    EXPECT_EQ(state().currentFrameRate, 30);

    platform::DeviceProfile unlisted = withTall60("iphone6plus");
    unlisted.modelIdentifier = "iPhone8,1";
    useProfile(unlisted);
    controller_->mode = 1;
    setDimension(1936, 60);
    EXPECT_EQ(device().activeFormat()->dimensions().height, 1936);
    expectPinnedAt(60);
}

TEST_F(ApplyFormat, DimensionWithoutControllerOrFormatsOnlyRecordsTheRate) {
    removeController();
    setDimension(720, 60);
    EXPECT_EQ(state().currentFrameRate, 30);
    useModel("iphone6", false, {true, false, false});
    controller_->mode = 1;
    setDimension(720, 24);
    EXPECT_EQ(state().currentFrameRate, 24);
    EXPECT_EQ(device().activeFormat(), nullptr);
    EXPECT_FALSE(readPrefs().has_value());
}

}  // namespace
}  // namespace formatstest
