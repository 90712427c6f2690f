#pragma once
// When a photo was taken, as its EXIF block says: DateTimeOriginal ("YYYY:MM:DD HH:MM:SS", the
// camera's wall clock) and, when present, OffsetTimeOriginal ("+HH:MM", that clock's offset from
// UTC). Corrupt, truncated or hostile blocks give "no time".

#include <chrono>
#include <optional>
#include <string>

#include "platform/media/JpegSegments.h"

namespace platform {

struct ExifCaptureTime {
    // The camera's wall clock, as if it were UTC (no zone applied).
    std::chrono::sys_seconds wallClock;
    // Minutes east of UTC, when the file records its offset.
    std::optional<int> offsetMinutes;
};

// The capture time of the file's EXIF block; nullopt when there is no block, no
// DateTimeOriginal, or the entry is malformed or names an impossible date.
std::optional<ExifCaptureTime> readExifCaptureTime(ByteSpan jpeg);

// The file with DateTimeOriginal (and OffsetTimeOriginal when `offset` is given) set in its EXIF
// block, which is rebuilt (or created). `dateTime` is "YYYY:MM:DD HH:MM:SS", `offset` "+HH:MM".
// nullopt for a malformed value or a file whose header cannot be parsed.
std::optional<Bytes> writeExifCaptureTime(ByteSpan jpeg, const std::string& dateTime,
                                          const std::optional<std::string>& offset = {});

// Parses "YYYY:MM:DD HH:MM:SS" and "+HH:MM" / "-HH:MM" / "Z" (exposed for tests and fuzzing).
std::optional<std::chrono::sys_seconds> parseExifDateTime(std::string_view text);
std::optional<int> parseExifOffset(std::string_view text);

}  // namespace platform
