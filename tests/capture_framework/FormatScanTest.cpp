// Formats in the device's order, frame durations and presets, on profile-made devices.

#include <algorithm>
#include <vector>

#include "platform/capture/ConfigurationGuards.h"
#include "tests/capture_framework/CaptureTestSupport.h"

using captest::camera;
using platform::ConfigurationLock;

namespace {

class FormatScanTest : public captest::CaptureTest {};

std::vector<int> heights(const AVCaptureDevice& d) {
    std::vector<int> out;
    for (const auto& f : d.formats()) {
        out.push_back(CMVideoFormatDescriptionGetDimensions(f->formatDescription()).height);
    }
    return out;
}

TEST_F(FormatScanTest, EachFormatIsListedTwiceAs420vThen420fInTheDevicesOrder) {
    auto back = camera("iPhone7,2", AVCaptureDevicePositionBack);
    ASSERT_NE(back, nullptr);
    const std::vector<int> expected = {144,  144,  288,  288,  360,  360, 480,  480,
                                       540,  540,  720,  720,  720,  720, 1080, 1080,
                                       1080, 1080, 1936, 1936, 2448, 2448};
    EXPECT_EQ(heights(*back), expected);
    for (std::size_t i = 0; i < back->formats().size(); ++i) {
        const auto sub =
            CMFormatDescriptionGetMediaSubType(back->formats()[i]->formatDescription());
        EXPECT_EQ(fourCharCodeString(sub), i % 2 == 0 ? "420v" : "420f") << i;
    }
    // The second 720p pair is the 240-fps slow-motion format; the second 1080p pair reaches 60.
    EXPECT_EQ(back->formats()[10]->highestFrameRate(), 30);
    EXPECT_EQ(back->formats()[12]->highestFrameRate(), 240);
    EXPECT_EQ(back->formats()[16]->highestFrameRate(), 60);
    EXPECT_TRUE(back->formats()[16]->isVideoStabilizationModeSupported(
        AVCaptureVideoStabilizationModeCinematic));
    EXPECT_FALSE(back->formats()[0]->isVideoStabilizationModeSupported(
        AVCaptureVideoStabilizationModeStandard));
    EXPECT_FLOAT_EQ(back->formats()[0]->minISO(), 29);
    EXPECT_FLOAT_EQ(back->formats()[0]->maxISO(), 1856);
}

TEST_F(FormatScanTest, PinningAFormatAtItsFastestRate) {
    auto back = camera("iphone6", AVCaptureDevicePositionBack);
    // The first 1080p format that reaches 60 fps, scanning in order.
    std::shared_ptr<AVCaptureDeviceFormat> chosen;
    for (const auto& f : back->formats()) {
        if (f->dimensions().height == 1080 && f->highestFrameRate() >= 60) {
            chosen = f;
            break;
        }
    }
    ASSERT_NE(chosen, nullptr);
    auto wanted = AVFrameRateRange::frameRateRangeWithMinRate(60, 60);
    {
        ConfigurationLock lock(back.get());
        back->setActiveFormat(chosen);
        back->setActiveVideoMinFrameDuration(wanted->minFrameDuration());
        back->setActiveVideoMaxFrameDuration(wanted->maxFrameDuration());
    }
    EXPECT_EQ(back->faultCount(), 0);
    EXPECT_EQ(back->activeFormat(), chosen);
    EXPECT_EQ(back->activeVideoMinFrameDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(back->activeVideoMaxFrameDuration(), CMTimeMake(1, 60));

    // A new format resets the durations to its default (1/30 s).
    {
        ConfigurationLock lock(back.get());
        back->setActiveFormat(back->formats().front());
    }
    EXPECT_EQ(back->activeVideoMinFrameDuration(), CMTimeMake(1, 30));
}

TEST_F(FormatScanTest, SessionPresetsAreServedByTheProfilesFormats) {
    auto back = camera("iphone4s", AVCaptureDevicePositionBack);
    auto front = camera("iphone4s", AVCaptureDevicePositionFront);
    EXPECT_TRUE(back->supportsAVCaptureSessionPreset("AVCaptureSessionPreset1920x1080"));
    EXPECT_TRUE(back->supportsAVCaptureSessionPreset("AVCaptureSessionPresetiFrame960x540"));
    EXPECT_FALSE(front->supportsAVCaptureSessionPreset("AVCaptureSessionPreset1280x720"));
    EXPECT_TRUE(front->supportsAVCaptureSessionPreset("AVCaptureSessionPresetInputPriority"));
    EXPECT_FALSE(back->supportsAVCaptureSessionPreset("AVCaptureSessionPresetNonsense"));
    auto photo = back->formatForSessionPreset("AVCaptureSessionPresetPhoto");
    ASSERT_NE(photo, nullptr);
    EXPECT_EQ(photo->dimensions().height, 2448);
    EXPECT_EQ(fourCharCodeString(CMFormatDescriptionGetMediaSubType(photo->formatDescription())),
              "420f");
    // A new device starts on the High preset's format.
    EXPECT_EQ(back->activeFormat()->dimensions().height, 1080);
}

TEST_F(FormatScanTest, FaultyDevicesForFaultTests) {
    auto empty = camera("iphone6", AVCaptureDevicePositionBack, {.noFormats = true});
    EXPECT_TRUE(empty->formats().empty());
    EXPECT_EQ(empty->activeFormat(), nullptr);
    EXPECT_FALSE(empty->supportsAVCaptureSessionPreset("AVCaptureSessionPresetHigh"));
    {
        ConfigurationLock lock(empty.get());
        empty->setActiveVideoMinFrameDuration(CMTimeMake(1, 30));
        empty->setExposureModeCustomWithDuration(CMTimeMake(1, 30), 100);
    }
    EXPECT_EQ(empty->faultCount(), 2);

    auto noRanges = camera("iphone6", AVCaptureDevicePositionBack, {.noFrameRateRanges = true});
    ASSERT_FALSE(noRanges->formats().empty());
    for (const auto& f : noRanges->formats())
        EXPECT_TRUE(f->videoSupportedFrameRateRanges().empty());
    EXPECT_TRUE(CMTIME_IS_INVALID(noRanges->activeVideoMinFrameDuration()));

    auto refusing = camera("iphone6", AVCaptureDevicePositionBack, {.refuseLocks = true});
    EXPECT_FALSE(refusing->lockForConfiguration());
}

}  // namespace
