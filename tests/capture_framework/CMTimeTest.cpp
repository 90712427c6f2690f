#include <gtest/gtest.h>

#include <cmath>

#include "platform/capture/AVFrameRateRange.h"
#include "platform/capture/CMTime.h"

TEST(CMTimeTest, MakeAndSeconds) {
    const CMTime t = CMTimeMake(1, 30);
    EXPECT_TRUE(CMTIME_IS_VALID(t));
    EXPECT_DOUBLE_EQ(CMTimeGetSeconds(t), 1.0 / 30.0);
    EXPECT_TRUE(CMTIME_IS_INVALID(CMTimeMake(1, 0)));
    EXPECT_TRUE(CMTIME_IS_INVALID(kCMTimeInvalid));
    EXPECT_TRUE(std::isnan(CMTimeGetSeconds(kCMTimeInvalid)));
    EXPECT_EQ(CMTimeMakeWithSeconds(0.008, 1000).value, 8);
    EXPECT_TRUE(CMTIME_IS_INVALID(CMTimeMakeWithSeconds(NAN, 1000)));
}

TEST(CMTimeTest, CompareIsExactAcrossTimescales) {
    EXPECT_EQ(CMTimeCompare(CMTimeMake(1, 30), CMTimeMake(2, 60)), 0);
    EXPECT_EQ(CMTimeCompare(CMTimeMake(1, 60), CMTimeMake(1, 30)), -1);
    EXPECT_EQ(CMTimeCompare(CMTimeMake(1, 24), CMTimeMake(1, 30)), 1);
    // Values too close for a double to tell apart still compare in order.
    EXPECT_EQ(CMTimeCompare(CMTimeMake(1'000'000'000'000'001, 1'000'000'000),
                            CMTimeMake(1'000'000'000'000'000, 1'000'000'000)),
              1);
    EXPECT_EQ(CMTimeCompare(kCMTimeInvalid, CMTimeMake(0, 1)), -1);
    EXPECT_EQ(CMTimeCompare(kCMTimeInvalid, kCMTimeInvalid), 0);
}

TEST(CMTimeTest, FrameDurationOfAWholeRateIsExactlyOneOverTheRate) {
    for (int rate : {1, 2, 24, 25, 30, 60, 120, 240}) {
        const CMTime d = CMTimeForFrameRate(rate);
        EXPECT_EQ(d.value, 1);
        EXPECT_EQ(d.timescale, rate);
    }
    const CMTime ntsc = CMTimeForFrameRate(29.97);
    EXPECT_NEAR(CMTimeGetSeconds(ntsc), 1 / 29.97, 1e-12);
    EXPECT_TRUE(CMTIME_IS_INVALID(CMTimeForFrameRate(0)));
    EXPECT_TRUE(CMTIME_IS_INVALID(CMTimeForFrameRate(-30)));
}

TEST(FrameRateRangeTest, EqualRatesGiveEqualDurationsOfOneOverTheRate) {
    for (int rate : {3, 24, 30, 60, 120}) {
        auto range = AVFrameRateRange::frameRateRangeWithMinRate(rate, rate);
        ASSERT_NE(range, nullptr);
        EXPECT_EQ(range->minFrameRate(), rate);
        EXPECT_EQ(range->maxFrameRate(), rate);
        EXPECT_EQ(range->minFrameDuration().value, 1);
        EXPECT_EQ(range->minFrameDuration().timescale, rate);
        EXPECT_EQ(CMTimeCompare(range->minFrameDuration(), range->maxFrameDuration()), 0);
    }
}

TEST(FrameRateRangeTest, DurationsAreReciprocalAndContainmentIsInclusive) {
    auto range = AVFrameRateRange::frameRateRangeWithMinRate(2, 60);
    ASSERT_NE(range, nullptr);
    EXPECT_EQ(range->minFrameDuration(), CMTimeMake(1, 60));
    EXPECT_EQ(range->maxFrameDuration(), CMTimeMake(1, 2));
    EXPECT_TRUE(range->containsFrameDuration(CMTimeMake(1, 60)));
    EXPECT_TRUE(range->containsFrameDuration(CMTimeMake(1, 2)));
    EXPECT_FALSE(range->containsFrameDuration(CMTimeMake(1, 120)));
    EXPECT_FALSE(range->containsFrameDuration(kCMTimeInvalid));
}

TEST(FrameRateRangeTest, InvalidRatesGiveNoRange) {
    EXPECT_EQ(AVFrameRateRange::frameRateRangeWithMinRate(0, 30), nullptr);
    EXPECT_EQ(AVFrameRateRange::frameRateRangeWithMinRate(60, 30), nullptr);
    EXPECT_EQ(AVFrameRateRange::frameRateRangeWithMinRate(30, INFINITY), nullptr);
}
