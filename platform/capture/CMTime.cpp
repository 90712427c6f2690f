#include "platform/capture/CMTime.h"

#include <cmath>
#include <limits>

CMTime CMTimeMakeWithSeconds(double seconds, CMTimeScale preferredTimescale) {
    if (!std::isfinite(seconds) || preferredTimescale <= 0) return kCMTimeInvalid;
    const double ticks = std::round(seconds * preferredTimescale);
    if (std::fabs(ticks) > 9.0e18) return kCMTimeInvalid;
    return CMTimeMake(static_cast<CMTimeValue>(ticks), preferredTimescale);
}

double CMTimeGetSeconds(CMTime t) {
    if (CMTIME_IS_INVALID(t)) return std::numeric_limits<double>::quiet_NaN();
    return static_cast<double>(t.value) / static_cast<double>(t.timescale);
}

int CMTimeCompare(CMTime t1, CMTime t2) {
    const bool v1 = CMTIME_IS_VALID(t1);
    const bool v2 = CMTIME_IS_VALID(t2);
    if (!v1 || !v2) return v1 == v2 ? 0 : (v1 ? 1 : -1);
    // Cross-multiplication in 128 bits keeps the comparison exact for any value and timescale.
    const __int128 a = static_cast<__int128>(t1.value) * t2.timescale;
    const __int128 b = static_cast<__int128>(t2.value) * t1.timescale;
    return a < b ? -1 : (a > b ? 1 : 0);
}

CMTime CMTimeForFrameRate(double rate) {
    if (!std::isfinite(rate) || rate <= 0) return kCMTimeInvalid;
    const double whole = std::round(rate);
    if (whole == rate && whole <= std::numeric_limits<CMTimeScale>::max()) {
        return CMTimeMake(1, static_cast<CMTimeScale>(whole));
    }
    constexpr CMTimeScale kMicro = 1'000'000;
    const double frames = std::round(rate * kMicro);
    if (frames < 1 || frames > std::numeric_limits<CMTimeScale>::max()) return kCMTimeInvalid;
    return CMTimeMake(kMicro, static_cast<CMTimeScale>(frames));
}
