#include "platform/capture/AVFrameRateRange.h"

#include <cmath>

std::shared_ptr<AVFrameRateRange> AVFrameRateRange::frameRateRangeWithMinRate(double minRate,
                                                                              double maxRate) {
    if (!std::isfinite(minRate) || !std::isfinite(maxRate) || minRate <= 0 || maxRate < minRate) {
        return nullptr;
    }
    return std::make_shared<AVFrameRateRange>(minRate, maxRate);
}

AVFrameRateRange::AVFrameRateRange(double minRate, double maxRate)
    : minRate_(minRate),
      maxRate_(maxRate),
      minDuration_(CMTimeForFrameRate(maxRate)),
      maxDuration_(CMTimeForFrameRate(minRate)) {}

bool AVFrameRateRange::containsFrameDuration(CMTime duration) const {
    if (CMTIME_IS_INVALID(duration)) return false;
    return CMTimeCompare(duration, minDuration_) >= 0 && CMTimeCompare(duration, maxDuration_) <= 0;
}
