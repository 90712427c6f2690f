// The table of the highest frame rate per height, rebuilt from the device's formats.

#include "FormatsTestSupport.h"
#include "capture/FrameRateModel.h"
#include "core/TweakState.h"

namespace formatstest {
namespace {

using lumora::FrameRateTable;

const FrameRateTable& table() {
    return *lumora::state().deviceFrameRatesForDimensions;
}

class FrameRateTableTest : public FormatsTest {
protected:
    void SetUp() override {
        FormatsTest::SetUp();
        useModel("iphone6");
        lumora::createFrameRateTableIfMissing();
    }
};

TEST_F(FrameRateTableTest, StartsWithNineHeightsAtZero) {
    EXPECT_EQ(table(), (FrameRateTable{{144, 0},
                                       {288, 0},
                                       {480, 0},
                                       {540, 0},
                                       {720, 0},
                                       {960, 0},
                                       {1080, 0},
                                       {1936, 0},
                                       {2448, 0}}));
}

TEST_F(FrameRateTableTest, BackVideoOnIPhone6KeepsTheLastFormatOfEachHeightAndDropsTooTall) {
    controller_->mode = 1;
    lumora::getDimensions(false);
    // 720: the 240-fps format comes after the 30-fps one; 1080: 60 after 30. 1936 and 2448 are
    // above the back video limit; 360 never enters; 960 has no back format.
    EXPECT_EQ(table(), (FrameRateTable{{144, 30},
                                       {288, 30},
                                       {480, 30},
                                       {540, 30},
                                       {720, 240},
                                       {960, 0},
                                       {1080, 60},
                                       {1936, 0},
                                       {2448, 0}}));
}

TEST_F(FrameRateTableTest, PhotoModeOffersTheTallHeightsAndFrontVideoStopsAt720) {
    controller_->mode = 0;
    lumora::getDimensions(false);
    EXPECT_EQ(table().at(1936), 30);
    EXPECT_EQ(table().at(2448), 30);

    controller_->mode = 1;
    controller_->useCamera(1);
    lumora::getDimensions(false);
    EXPECT_EQ(table().at(720), 60);
    EXPECT_EQ(table().at(960), 0);
    EXPECT_EQ(table().at(2448), 0);
}

TEST_F(FrameRateTableTest, LaterFormatOfTheSameHeightOverwritesAFasterOne) {
    platform::DeviceProfile p = profile("iphone6");
    auto& formats = p.back->formats;
    // The two 1280x720 entries: 60 fps first, then 30 fps.
    formats[5] = changedFormat(formats[5], {{2, 60}});
    formats[6] = changedFormat(formats[6], {{2, 30}});
    useProfile(p);
    lumora::createFrameRateTableIfMissing();
    lumora::getDimensions(false);
    EXPECT_EQ(table().at(720), 30);
}

TEST_F(FrameRateTableTest, Height360NeverEntersAndInvalidHeightsAreWrittenAsZero) {
    controller_->mode = 1;
    lumora::assignMaxFrameRateForDimension(360, 30);
    EXPECT_EQ(table().count(360), 0u);
    lumora::assignMaxFrameRateForDimension(361, 30);
    EXPECT_EQ(table().at(361), 30);
    lumora::assignMaxFrameRateForDimension(2448, 30);
    EXPECT_EQ(table().at(2448), 0);
}

TEST_F(FrameRateTableTest, OnlyIfEmptyRebuildsWhen144Or480IsZero) {
    controller_->mode = 1;
    auto& t = *lumora::state().deviceFrameRatesForDimensions;
    t[144] = 1;
    t[480] = 1;
    t[1080] = 7;
    lumora::getDimensions(true);
    EXPECT_EQ(t.at(1080), 7);  // counted as built
    t[480] = 0;
    lumora::getDimensions(true);
    EXPECT_EQ(t.at(1080), 60);
    EXPECT_EQ(t.at(144), 30);
}

TEST_F(FrameRateTableTest, SlowMotionOtherModesAndNoTableLeaveItAlone) {
    auto& t = *lumora::state().deviceFrameRatesForDimensions;
    t[1080] = 7;
    for (long mode : {2L, 3L, 5L}) {
        controller_->mode = mode;
        lumora::getDimensions(false);
        EXPECT_EQ(t.at(1080), 7) << mode;
    }
    lumora::state().deviceFrameRatesForDimensions.reset();
    controller_->mode = 1;
    lumora::getDimensions(false);
    lumora::assignMaxFrameRateForDimension(720, 30);
    lumora::emptyMaxFrameRatesForHeightVariables();
    EXPECT_FALSE(lumora::state().deviceFrameRatesForDimensions.has_value());
    EXPECT_EQ(lumora::maxFrameRateInTable(720), 0);
}

TEST_F(FrameRateTableTest, EmptyingKeepsTheHeights) {
    controller_->mode = 1;
    lumora::getDimensions(false);
    lumora::assignMaxFrameRateForDimension(500, 25);
    lumora::emptyMaxFrameRatesForHeightVariables();
    EXPECT_EQ(table().size(), 10u);
    for (const auto& [height, rate] : table()) EXPECT_EQ(rate, 0) << height;
}

TEST_F(FrameRateTableTest, DevicesWithoutFormatsOrRangesGiveAnEmptyTable) {
    for (auto faults : {platform::CaptureDeviceFaults{true, false, false},
                        platform::CaptureDeviceFaults{false, true, false}}) {
        useModel("iphone6", false, faults);
        lumora::createFrameRateTableIfMissing();
        (*lumora::state().deviceFrameRatesForDimensions)[720] = 5;
        lumora::getDimensions(false);
        for (const auto& [height, rate] : table()) EXPECT_EQ(rate, 0) << height;
    }
}

}  // namespace
}  // namespace formatstest
