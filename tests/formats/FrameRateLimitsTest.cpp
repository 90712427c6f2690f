// The frame-rate dial's limits and the rate a height can be given.

#include "FormatsTestSupport.h"
#include "capture/FrameRateModel.h"

namespace formatstest {
namespace {

using lumora::getMaxFrameRate;
using lumora::getMaxFrameRateForRequestedDimension;
using lumora::getMinFrameRate;

class FrameRateLimits : public FormatsTest {};

TEST_F(FrameRateLimits, MaximumAndMinimumOverTheValidFormats) {
    useModel("iphone6");
    EXPECT_EQ(getMaxFrameRate(&device()), 240);
    EXPECT_EQ(getMinFrameRate(&device()), 2);
    controller_->useCamera(1);
    EXPECT_EQ(getMaxFrameRate(&device()), 60);

    useModel("iphone4s");
    EXPECT_EQ(getMaxFrameRate(&device()), 30);
    EXPECT_EQ(getMinFrameRate(&device()), 1);
}

TEST_F(FrameRateLimits, IPhone6ModelsSkipFastRangesAboveFullHD) {
    useProfile(withTall60("iphone6plus"));
    controller_->mode = 0;  // photo: 1936 is a valid height
    EXPECT_EQ(getMaxFrameRate(&device()), 30);
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(1936, 60).maxFrameRate(), 30);

    // The same formats on a model without the rule.
    platform::DeviceProfile unlisted = withTall60("iphone6plus");
    unlisted.modelIdentifier = "iPhone8,1";
    useProfile(unlisted);
    controller_->mode = 0;
    EXPECT_EQ(getMaxFrameRate(&device()), 60);
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(1936, 60).maxFrameRate(), 60);
}

TEST_F(FrameRateLimits, FallbacksWithoutFormatsRangesOrController) {
    const platform::CaptureDeviceFaults noFormats{true, false, false};
    const platform::CaptureDeviceFaults noRanges{false, true, false};
    useModel("iphone6", false, noRanges);
    EXPECT_EQ(getMaxFrameRate(&device()), 60);
    EXPECT_EQ(getMinFrameRate(&device()), 3);
    useModel("iphone5s", false, noFormats);
    EXPECT_EQ(getMaxFrameRate(&device()), 30);
    EXPECT_EQ(getMinFrameRate(&device()), 3);
    EXPECT_EQ(getMaxFrameRate(nullptr), 30);
    // Without a controller no height is valid.
    useModel("iphone5s");
    removeController();
    EXPECT_EQ(getMaxFrameRate(&device()), 30);
    EXPECT_EQ(getMinFrameRate(&device()), 3);
}

TEST_F(FrameRateLimits, RequestedRateIsGrantedOrFallsBackTo60Then30) {
    useModel("iphone6");
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(1080, 60).maxFrameRate(), 60);
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(1080, 45).maxFrameRate(), 45);
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(1080, 120).maxFrameRate(), 60);
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(720, 120).maxFrameRate(), 120);
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(540, 60).maxFrameRate(), 30);
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(540, 100).maxFrameRate(), 30);

    const lumora::FixedFrameRate r = getMaxFrameRateForRequestedDimension(1080, 60);
    EXPECT_EQ(r.minFrameDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(r.maxFrameDuration(), CMTimeMake(1, 60));
}

TEST_F(FrameRateLimits, RequestEndsAt30WhenNothingOfTheHeightReaches30) {
    useModel("iphone6");
    for (int rate : {24, 30, 60, 240}) {
        EXPECT_EQ(getMaxFrameRateForRequestedDimension(999, rate).maxFrameRate(), 30) << rate;
    }
    useModel("iphone6", false, {false, true, false});
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(1080, 60).maxFrameRate(), 30);
    removeController();
    EXPECT_EQ(getMaxFrameRateForRequestedDimension(720, 120).maxFrameRate(), 30);
}

TEST_F(FrameRateLimits, CurrentDimensionIsTheActiveFormatsHeight) {
    useModel("iphone6");
    activate(formatsOfHeight(540).front());
    EXPECT_EQ(lumora::getCurrentDimensionForDevice(), 540);
    useModel("iphone6", false, {true, false, false});
    EXPECT_EQ(lumora::getCurrentDimensionForDevice(), 0);
    removeController();
    EXPECT_EQ(lumora::getCurrentDimensionForDevice(), 0);
}

}  // namespace
}  // namespace formatstest
