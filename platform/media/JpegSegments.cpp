#include "platform/media/JpegSegments.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr std::uint8_t kSOI = 0xD8;
constexpr std::uint8_t kSOS = 0xDA;
constexpr std::uint8_t kCOM = 0xFE;
constexpr std::uint8_t kAPP0 = 0xE0;
constexpr std::uint8_t kAPP1 = 0xE1;
constexpr std::uint8_t kAPP14 = 0xEE;

bool payloadStartsWith(ByteSpan file, const JpegSegment& s, const char* prefix, std::size_t n) {
    return s.size >= 4 + n && std::memcmp(file.data() + s.offset + 4, prefix, n) == 0;
}

bool isJfif(ByteSpan file, const JpegSegment& s) {
    return s.marker == kAPP0 && payloadStartsWith(file, s, "JFIF\0", 5);
}

bool isMetadata(ByteSpan file, const JpegSegment& s) {
    if (s.marker == kCOM) return true;
    if (!s.isApp()) return false;
    return !(s.marker == kAPP14 && payloadStartsWith(file, s, "Adobe", 5));
}

}  // namespace

bool looksLikeJpeg(ByteSpan file) {
    return file.size() >= 4 && file[0] == 0xFF && file[1] == kSOI && file[2] == 0xFF;
}

std::optional<std::vector<JpegSegment>> parseJpegHeader(ByteSpan file) {
    if (!looksLikeJpeg(file)) return std::nullopt;
    std::vector<JpegSegment> segments;
    std::size_t pos = 2;
    while (pos < file.size()) {
        if (file[pos] != 0xFF) return std::nullopt;
        // Any number of 0xFF fill bytes may precede a marker.
        while (pos + 1 < file.size() && file[pos + 1] == 0xFF) ++pos;
        if (pos + 3 >= file.size()) return std::nullopt;
        const std::uint8_t marker = file[pos + 1];
        const std::size_t length = (std::size_t{file[pos + 2]} << 8) | file[pos + 3];
        if (length < 2 || pos + 2 + length > file.size()) return std::nullopt;
        if (marker == kSOS) return segments;
        segments.push_back({marker, pos, length + 2});
        pos += length + 2;
    }
    return std::nullopt;
}

std::optional<JpegSegment> findExifSegment(ByteSpan file) {
    auto segments = parseJpegHeader(file);
    if (!segments) return std::nullopt;
    for (const auto& s : *segments) {
        if (s.marker == kAPP1 && payloadStartsWith(file, s, "Exif\0\0", 6)) return s;
    }
    return std::nullopt;
}

std::vector<ByteSpan> metadataSegments(ByteSpan file) {
    std::vector<ByteSpan> out;
    auto segments = parseJpegHeader(file);
    if (!segments) return out;
    for (const auto& s : *segments) {
        if (isMetadata(file, s)) out.push_back(file.subspan(s.offset, s.size));
    }
    return out;
}

std::optional<Bytes> spliceMetadata(ByteSpan original, ByteSpan encoded) {
    auto from = parseJpegHeader(original);
    auto to = parseJpegHeader(encoded);
    if (!from || !to) return std::nullopt;

    bool originalHasJfifOrExif = false;
    std::size_t metadataSize = 0;
    for (const auto& s : *from) {
        if (!isMetadata(original, s)) continue;
        metadataSize += s.size;
        originalHasJfifOrExif =
            originalHasJfifOrExif || isJfif(original, s) ||
            (s.marker == kAPP1 && payloadStartsWith(original, s, "Exif\0\0", 6));
    }

    Bytes out;
    out.reserve(encoded.size() + metadataSize);
    auto append = [&out](ByteSpan file, std::size_t offset, std::size_t size) {
        out.insert(out.end(), file.begin() + offset, file.begin() + offset + size);
    };
    append(encoded, 0, 2);  // SOI
    // The encoder's JFIF header is kept only for an original that is neither JFIF nor EXIF, so
    // that an EXIF file stays one (EXIF expects its APP1 right after SOI).
    if (!originalHasJfifOrExif && !to->empty() && isJfif(encoded, to->front())) {
        append(encoded, to->front().offset, to->front().size);
    }
    for (const auto& s : *from) {
        if (isMetadata(original, s)) append(original, s.offset, s.size);
    }
    std::size_t scanStart = 2;
    for (const auto& s : *to) {
        if (!isMetadata(encoded, s)) append(encoded, s.offset, s.size);
        scanStart = s.offset + s.size;
    }
    append(encoded, scanStart, encoded.size() - scanStart);
    return out;
}

}  // namespace platform
