#include "apps/lumora3/photo/StampDate.h"

#include <cstdio>
#include <cstdlib>

#include "platform/media/ExifDate.h"

namespace lumora::phototool {

std::optional<StampDate> stampDateOf(platform::ByteSpan jpeg, const timespec& modified) {
    using namespace std::chrono;
    if (auto exif = platform::readExifCaptureTime(jpeg)) {
        // The wall clock is shown as the camera read it: in the recorded offset's zone when
        // there is one (the same instant anywhere), else as a UTC reading of the clock itself.
        if (!exif->offsetMinutes) return StampDate{exif->wallClock, "UTC", StampDate::Source::Exif};
        const int offset = *exif->offsetMinutes;
        char zone[16];
        std::snprintf(zone, sizeof zone, "GMT%c%02d:%02d", offset < 0 ? '-' : '+',
                      std::abs(offset) / 60, std::abs(offset) % 60);
        return StampDate{exif->wallClock - minutes{offset}, zone, StampDate::Source::Exif};
    }
    if (modified.tv_sec <= 0) return std::nullopt;
    return StampDate{system_clock::time_point{seconds{modified.tv_sec}}, std::string(),
                     StampDate::Source::FileTime};
}

}  // namespace lumora::phototool
