#include "platform/media/ExifBlock.h"

#include <cstdlib>
#include <iterator>

namespace platform::exif {

namespace {
constexpr std::size_t kMaxSegmentPayload = 65533;
}

DataPtr load(ByteSpan payload) {
    DataPtr data(exif_data_new());
    if (!data) return nullptr;
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_IGNORE_UNKNOWN_TAGS);
    exif_data_set_option(data.get(), EXIF_DATA_OPTION_DONT_CHANGE_MAKER_NOTE);
    exif_data_load_data(data.get(), payload.data(), static_cast<unsigned int>(payload.size()));
    return data;
}

std::optional<Bytes> withSegment(ByteSpan jpeg, ExifData* data) {
    auto header = parseJpegHeader(jpeg);
    if (!header) return std::nullopt;
    unsigned char* raw = nullptr;
    unsigned int rawSize = 0;
    exif_data_save_data(data, &raw, &rawSize);
    std::unique_ptr<unsigned char, decltype(&std::free)> owned(raw, &std::free);
    if (!raw || rawSize == 0 || rawSize > kMaxSegmentPayload) return std::nullopt;
    const std::size_t length = rawSize + 2;
    const std::uint8_t app1[] = {0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                                 static_cast<std::uint8_t>(length & 0xFF)};

    std::size_t cut = 2, cutEnd = 2;
    if (auto segment = findExifSegment(jpeg)) {
        cut = segment->offset;
        cutEnd = segment->offset + segment->size;
    } else if (!header->empty() && header->front().marker == 0xE0) {
        cut = cutEnd = header->front().offset + header->front().size;
    }
    Bytes out;
    out.reserve(jpeg.size() + length + 2);
    out.insert(out.end(), jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(cut));
    out.insert(out.end(), std::begin(app1), std::end(app1));
    out.insert(out.end(), raw, raw + rawSize);
    out.insert(out.end(), jpeg.begin() + static_cast<std::ptrdiff_t>(cutEnd), jpeg.end());
    return out;
}

}  // namespace platform::exif
