#pragma once
// A range of frame rates a capture format supports. The frame durations are the reciprocal
// rates as exact rational times: a whole rate r has a duration of exactly CMTimeMake(1, r).

#include <memory>

#include "platform/capture/CMTime.h"
#include "platform/objc/NSObject.h"

class AVFrameRateRange : public NSObject {
public:
    LU_OBJC_CLASS(AVFrameRateRange)

    // A range from minRate to maxRate frames per second. Rates that are not positive and finite,
    // or a minimum above the maximum, give null.
    static std::shared_ptr<AVFrameRateRange> frameRateRangeWithMinRate(double minRate,
                                                                       double maxRate);

    double minFrameRate() const { return minRate_; }
    double maxFrameRate() const { return maxRate_; }
    // The shortest frame duration (1 / maxFrameRate) and the longest (1 / minFrameRate).
    CMTime minFrameDuration() const { return minDuration_; }
    CMTime maxFrameDuration() const { return maxDuration_; }

    // True when `duration` lies within [minFrameDuration, maxFrameDuration].
    bool containsFrameDuration(CMTime duration) const;

    AVFrameRateRange(double minRate, double maxRate);  // use frameRateRangeWithMinRate

private:
    double minRate_;
    double maxRate_;
    CMTime minDuration_;
    CMTime maxDuration_;
};
