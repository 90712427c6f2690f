// The chosen height per situation and its zero conversion.

#include "FormatsTestSupport.h"
#include "capture/ChosenDimension.h"
#include "core/TweakState.h"

namespace formatstest {
namespace {

using namespace lumora;

class ChosenDimension : public FormatsTest {
protected:
    void SetUp() override {
        FormatsTest::SetUp();
        useModel("iphone6");
    }
    void store(int videoBack, int videoFront, int photoBack, int photoFront) {
        TweakState& s = state();
        s.currentDimensionHeightVideoBack = videoBack;
        s.currentDimensionHeightVideoFront = videoFront;
        s.currentDimensionHeightPhotoBack = photoBack;
        s.currentDimensionHeightPhotoFront = photoFront;
    }
};

TEST_F(ChosenDimension, ExplicitSituationsReadTheirHeightAndPhotoBack1936ReadsAs1080) {
    store(1936, 480, 1936, 1936);
    EXPECT_EQ(getCurrentDimensionHeight(1, 0), 1936);
    EXPECT_EQ(getCurrentDimensionHeight(2, 1), 480);
    EXPECT_EQ(getCurrentDimensionHeight(0, 0), 1080);
    EXPECT_EQ(getCurrentDimensionHeight(4, 0), 1080);
    EXPECT_EQ(getCurrentDimensionHeight(6, 1), 1936);
    EXPECT_EQ(getCurrentDimensionHeight(3, 0), 720);
    // Below 0: the host's current mode and camera (video, front).
    controller_->mode = 1;
    controller_->device = 1;
    EXPECT_EQ(getCurrentDimensionHeight(-1, 0), 480);
    // Unset stays 0.
    store(0, 0, 0, 0);
    EXPECT_EQ(getCurrentDimensionHeight(0, 1), 0);
}

TEST_F(ChosenDimension, ZeroConversionStoresTheDefaultInForceOnly) {
    state().globalDimensionHeightVideoBack = 0;
    EXPECT_EQ(getCurrentDimensionHeightWithGivenModesAndZeroConversion(1, 0), 1080);
    EXPECT_EQ(getCurrentDimensionHeightWithGivenModesAndZeroConversion(1, 1), 720);
    EXPECT_EQ(getCurrentDimensionHeightWithGivenModesAndZeroConversion(0, 0), 2448);
    EXPECT_EQ(getCurrentDimensionHeightWithGivenModesAndZeroConversion(5, 0), 720);
    EXPECT_EQ(state().currentDimensionHeightVideoBack, 1080);
    EXPECT_EQ(state().currentDimensionHeightVideoFront, 720);
    EXPECT_EQ(state().currentDimensionHeightPhotoBack, 2448);
    EXPECT_EQ(state().globalDimensionHeightVideoBack, 0);
    // A chosen height is kept; photo back 1936 still reads as 1080.
    state().currentDimensionHeightPhotoBack = 1936;
    EXPECT_EQ(getCurrentDimensionHeightWithGivenModesAndZeroConversion(0, 0), 1080);
    EXPECT_EQ(state().currentDimensionHeightPhotoBack, 1936);
}

TEST_F(ChosenDimension, FrontPhotoDefaultFollowsTheScreenClass) {
    useModel("iphone4s");  // screen class 0
    EXPECT_EQ(getCurrentDimensionHeightWithGivenModesAndZeroConversion(0, 1), 480);
    for (const char* model : {"iphone5s", "iphone6", "iphone6plus"}) {
        useModel(model);
        EXPECT_EQ(getCurrentDimensionHeightWithGivenModesAndZeroConversion(0, 1), 960) << model;
    }
}

TEST_F(ChosenDimension, CurrentSituationConversionStoresNothingAndKeeps1936) {
    controller_->mode = 0;
    EXPECT_EQ(getCurrentDimensionHeightWithZeroConversion(), 2448);
    EXPECT_EQ(state().currentDimensionHeightPhotoBack, 0);
    state().currentDimensionHeightPhotoBack = 1936;
    EXPECT_EQ(getCurrentDimensionHeightWithZeroConversion(), 1936);
    EXPECT_EQ(getCurrentDimensionHeight(-1, 0), 1080);
    removeController();
    EXPECT_EQ(getCurrentDimensionHeightWithZeroConversion(), 720);
}

TEST_F(ChosenDimension, SettingWritesBothCopiesOfTheCurrentSituationExceptInMode6) {
    TweakState& s = state();
    controller_->mode = 0;
    controller_->device = 1;
    setCurrentDimensionHeight(960);
    EXPECT_EQ(s.currentDimensionHeightPhotoFront, 960);
    EXPECT_EQ(s.globalDimensionHeightPhotoFront, 960);
    controller_->mode = 2;
    controller_->device = 0;
    setCurrentDimensionHeight(720);
    EXPECT_EQ(s.currentDimensionHeightVideoBack, 720);
    EXPECT_EQ(s.globalDimensionHeightVideoBack, 720);

    for (long mode : {6L, 3L}) {
        controller_->mode = mode;
        setCurrentDimensionHeight(144);
    }
    removeController();
    setCurrentDimensionHeight(144);
    EXPECT_EQ(s.currentDimensionHeightPhotoBack, 0);
    EXPECT_EQ(s.currentDimensionHeightPhotoFront, 960);
    EXPECT_EQ(s.currentDimensionHeightVideoBack, 720);
    EXPECT_EQ(s.currentDimensionHeightVideoFront, 0);
}

}  // namespace
}  // namespace formatstest
