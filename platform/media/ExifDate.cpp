#include "platform/media/ExifDate.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "platform/media/ExifBlock.h"

namespace platform {

namespace {

constexpr auto kDateTimeOriginal = EXIF_TAG_DATE_TIME_ORIGINAL;
constexpr auto kOffsetTimeOriginal = static_cast<ExifTag>(0x9011);
using exif::DataPtr;

// An ASCII entry's text, without its terminating NUL; nullopt for another type.
std::optional<std::string_view> asciiValue(ExifContent* ifd, ExifTag tag) {
    ExifEntry* entry = ifd ? exif_content_get_entry(ifd, tag) : nullptr;
    if (!entry || entry->format != EXIF_FORMAT_ASCII || !entry->data || entry->size == 0)
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(entry->data);
    return std::string_view(text, strnlen(text, entry->size));
}

bool digits(std::string_view s, std::size_t at, std::size_t n, int& value) {
    if (at + n > s.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + n; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

// Sets an ASCII entry (NUL-terminated) in the IFD, replacing any entry of that tag.
bool setAscii(ExifContent* ifd, ExifTag tag, const std::string& text) {
    if (ExifEntry* old = exif_content_get_entry(ifd, tag)) exif_content_remove_entry(ifd, old);
    ExifEntry* entry = exif_entry_new();
    if (!entry) return false;
    entry->tag = tag;
    entry->format = EXIF_FORMAT_ASCII;
    entry->components = text.size() + 1;
    entry->size = static_cast<unsigned int>(text.size() + 1);
    // libexif frees entry data with the allocator exif_entry_new() chose: the C library's.
    entry->data = static_cast<unsigned char*>(std::malloc(entry->size));
    if (!entry->data) {
        exif_entry_unref(entry);
        return false;
    }
    std::memcpy(entry->data, text.c_str(), entry->size);
    exif_content_add_entry(ifd, entry);
    exif_entry_unref(entry);  // now owned by the IFD
    return true;
}

}  // namespace

std::optional<std::chrono::sys_seconds> parseExifDateTime(std::string_view s) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, sec = 0;
    if (s.size() < 19 || s[4] != ':' || s[7] != ':' || s[10] != ' ' || s[13] != ':' ||
        s[16] != ':' || !digits(s, 0, 4, y) || !digits(s, 5, 2, mo) || !digits(s, 8, 2, d) ||
        !digits(s, 11, 2, h) || !digits(s, 14, 2, mi) || !digits(s, 17, 2, sec)) {
        return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(mo)},
                             day{static_cast<unsigned>(d)}};
    // Cameras without a set clock write "0000:00:00 00:00:00": no date.
    if (y < 1900 || !ymd.ok() || h > 23 || mi > 59 || sec > 60) return std::nullopt;
    return sys_days{ymd} + hours{h} + minutes{mi} + seconds{sec};
}

std::optional<int> parseExifOffset(std::string_view s) {
    if (s == "Z") return 0;
    int h = 0, m = 0;
    if (s.size() < 6 || (s[0] != '+' && s[0] != '-') || s[3] != ':' || !digits(s, 1, 2, h) ||
        !digits(s, 4, 2, m) || h > 14 || m > 59) {
        return std::nullopt;
    }
    return (s[0] == '-' ? -1 : 1) * (h * 60 + m);
}

std::optional<ExifCaptureTime> readExifCaptureTime(ByteSpan jpeg) {
    auto segment = findExifSegment(jpeg);
    if (!segment) return std::nullopt;
    DataPtr data = exif::load(segment->payload(jpeg));
    if (!data) return std::nullopt;
    ExifContent* exif = data->ifd[EXIF_IFD_EXIF];
    auto text = asciiValue(exif, kDateTimeOriginal);
    auto wall = text ? parseExifDateTime(*text) : std::nullopt;
    if (!wall) return std::nullopt;
    ExifCaptureTime time{*wall, std::nullopt};
    if (auto offset = asciiValue(exif, kOffsetTimeOriginal)) {
        time.offsetMinutes = parseExifOffset(*offset);
    }
    return time;
}

std::optional<Bytes> writeExifCaptureTime(ByteSpan jpeg, const std::string& dateTime,
                                          const std::optional<std::string>& offset) {
    if (!parseExifDateTime(dateTime) || (offset && !parseExifOffset(*offset))) return std::nullopt;
    auto segment = findExifSegment(jpeg);
    DataPtr data = segment ? exif::load(segment->payload(jpeg)) : DataPtr(exif_data_new());
    if (!data) return std::nullopt;
    if (!segment) exif_data_set_byte_order(data.get(), EXIF_BYTE_ORDER_MOTOROLA);
    ExifContent* exif = data->ifd[EXIF_IFD_EXIF];
    if (!setAscii(exif, kDateTimeOriginal, dateTime)) return std::nullopt;
    if (offset && !setAscii(exif, kOffsetTimeOriginal, *offset)) return std::nullopt;

    return exif::withSegment(jpeg, data.get());
}

}  // namespace platform
