#pragma once
// Which moment a photo's stamp shows when an existing file is stamped: the photo's own capture
// time from its EXIF block (DateTimeOriginal, shown as the camera's clock read, in the recorded
// offset when there is one), else the file's modification time (shown in the system's zone).

#include <sys/stat.h>

#include <chrono>
#include <optional>
#include <string>

#include "platform/media/JpegSegments.h"

namespace lumora::phototool {

struct StampDate {
    enum class Source { Exif, FileTime };
    std::chrono::system_clock::time_point when;
    std::string timeZone;  // for the formatter; empty for the system's zone
    Source source = Source::Exif;
};

// nullopt when the file has no EXIF capture time and its modification time is unset (at or
// before the start of 1970, as archives and broken clocks leave it).
std::optional<StampDate> stampDateOf(platform::ByteSpan jpeg, const timespec& modified);

}  // namespace lumora::phototool
