#pragma once
// A frame rate pinned at one value, as the frame-rate range with equal minimum and maximum that
// the format functions hand to the capture device: both frame durations are 1/rate s, so fixing
// the device's minimum and maximum frame duration to them runs it at exactly that rate.
//
// A rate of 0 or less stands for "the device's default": its durations are invalid times, and
// the capture device answers an invalid frame duration by restoring its format's default.

#include "platform/capture/CMTime.h"

namespace lumora {

struct FixedFrameRate {
    int rate = 30;

    int maxFrameRate() const { return rate; }
    CMTime minFrameDuration() const { return CMTimeForFrameRate(rate); }
    CMTime maxFrameDuration() const { return CMTimeForFrameRate(rate); }
    bool operator==(const FixedFrameRate&) const = default;
};

}  // namespace lumora
