#pragma once
// The marker segments of a JPEG file's header (everything before the first scan), so that
// metadata (EXIF, XMP, ICC profiles, comments) can be carried from one encoding to another.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

using Bytes = std::vector<std::uint8_t>;
using ByteSpan = std::span<const std::uint8_t>;

struct JpegSegment {
    std::uint8_t marker = 0;  // the byte after 0xFF, e.g. 0xE1 for APP1
    std::size_t offset = 0;   // of the 0xFF byte in the file
    std::size_t size = 0;     // whole segment: marker, length field and payload

    // The payload after the two length bytes.
    ByteSpan payload(ByteSpan file) const { return file.subspan(offset + 4, size - 4); }
    bool isApp() const { return marker >= 0xE0 && marker <= 0xEF; }
};

// The segments from SOI up to (not including) the first SOS, in file order. nullopt when the
// bytes do not start with SOI, a length runs past the end, or no SOS follows.
std::optional<std::vector<JpegSegment>> parseJpegHeader(ByteSpan file);

// True when the bytes start like a JPEG file (SOI followed by a marker).
bool looksLikeJpeg(ByteSpan file);

// The APP1 segment holding EXIF ("Exif\0\0" payload prefix), if any.
std::optional<JpegSegment> findExifSegment(ByteSpan file);

// Metadata segments: every APPn and COM segment except Adobe APP14, which describes how the
// pixels were colour-transformed and so belongs to one particular encoding. In file order,
// each span covering the whole segment; empty when the header cannot be parsed.
std::vector<ByteSpan> metadataSegments(ByteSpan file);

// A new file: `encoded` with its own metadata replaced by the metadata of `original`, placed
// right after SOI. The encoder's JFIF APP0 stays only when the original has neither a JFIF nor
// an EXIF header. nullopt when either file's header cannot be parsed. nullopt when either file's
// header cannot be parsed.
std::optional<Bytes> spliceMetadata(ByteSpan original, ByteSpan encoded);

}  // namespace platform
