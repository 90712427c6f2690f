#pragma once
// Rational time of the media frameworks: value / timescale seconds. Frame and exposure durations
// are carried as CMTime and turned into seconds only where a number is needed (CMTimeGetSeconds).

#include <cstdint>

using CMTimeValue = std::int64_t;
using CMTimeScale = std::int32_t;
using CMTimeFlags = std::uint32_t;

inline constexpr CMTimeFlags kCMTimeFlags_Valid = 1u << 0;
inline constexpr CMTimeFlags kCMTimeFlags_PositiveInfinity = 1u << 2;
inline constexpr CMTimeFlags kCMTimeFlags_NegativeInfinity = 1u << 3;
inline constexpr CMTimeFlags kCMTimeFlags_Indefinite = 1u << 4;

// The timescale the capture framework uses for exposure durations (nanoseconds).
inline constexpr CMTimeScale kCMTimeNanosecondScale = 1'000'000'000;

struct CMTime {
    CMTimeValue value = 0;
    CMTimeScale timescale = 0;
    CMTimeFlags flags = 0;
};

inline constexpr CMTime kCMTimeInvalid{0, 0, 0};
inline constexpr CMTime kCMTimeZero{0, 1, kCMTimeFlags_Valid};

// A valid time has the valid flag and a positive timescale.
constexpr bool CMTIME_IS_VALID(CMTime t) {
    return (t.flags & kCMTimeFlags_Valid) != 0 && t.timescale > 0;
}
constexpr bool CMTIME_IS_INVALID(CMTime t) {
    return !CMTIME_IS_VALID(t);
}

// value / timescale seconds; a timescale of 0 or less gives kCMTimeInvalid.
constexpr CMTime CMTimeMake(CMTimeValue value, CMTimeScale timescale) {
    if (timescale <= 0) return kCMTimeInvalid;
    return CMTime{value, timescale, kCMTimeFlags_Valid};
}

// Seconds rounded to the nearest 1/preferredTimescale; non-finite seconds or a timescale of 0 or
// less give kCMTimeInvalid.
CMTime CMTimeMakeWithSeconds(double seconds, CMTimeScale preferredTimescale);

// Seconds as a double; NaN for an invalid time.
double CMTimeGetSeconds(CMTime t);

// -1, 0 or 1 as t1 is earlier than, equal to or later than t2, compared exactly (no rounding).
// Invalid times compare equal to each other and earlier than any valid time.
int CMTimeCompare(CMTime t1, CMTime t2);

inline bool operator==(CMTime a, CMTime b) {
    return CMTimeCompare(a, b) == 0;
}

// The duration of one frame at `rate` frames per second: exactly 1/rate for a whole rate,
// otherwise rounded to microseconds. kCMTimeInvalid for a rate that is not positive and finite.
CMTime CMTimeForFrameRate(double rate);
