#pragma once
// JPEG decoding and encoding through TurboJPEG. Every function reads the header first and
// refuses pictures larger than the pixel limit before allocating anything for the pixels, so a
// small file declaring a huge picture (a decompression bomb) costs nothing. Bytes that are not a
// JPEG, truncated or corrupt data all give nullopt; nothing here throws.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "platform/media/JpegSegments.h"

namespace platform {

enum class JpegSubsampling { S444, S422, S420, Gray, S440, S411, Unknown };

struct JpegHeader {
    int width = 0;
    int height = 0;
    JpegSubsampling subsampling = JpegSubsampling::Unknown;
    bool cmyk = false;
    // The size of one MCU in pixels: lossless flips need the flipped edge to be a whole number
    // of MCUs.
    int mcuWidth = 8;
    int mcuHeight = 8;
};

struct JpegLimits {
    // 50 megapixels: above any phone camera of the era, far below what exhausts memory.
    std::int64_t maxPixels = 50'000'000;
};

// The header of a JPEG within the limits, or nullopt.
std::optional<JpegHeader> readJpegHeader(ByteSpan jpeg, const JpegLimits& limits = {});

// 32-bit pixels, one byte each in memory order B, G, R, X: cairo's CAIRO_FORMAT_RGB24 on a
// little-endian machine, so a cairo surface can draw straight into the decoded pixels.
// The pixel buffer is left uninitialised before decoding: a full-size photo is tens of MB.
struct DecodedImage {
    int width = 0;
    int height = 0;
    int stride = 0;  // bytes per row
    std::unique_ptr<std::uint8_t[]> pixels;

    std::size_t byteSize() const { return static_cast<std::size_t>(stride) * height; }
};

// Decodes the whole picture in stored orientation (the EXIF tag is not applied). Data the
// decoder only warns about (truncated or corrupt scans) also fails: a half-grey picture is not
// a picture worth rewriting.
std::optional<DecodedImage> decodeJpeg(ByteSpan jpeg, const JpegLimits& limits = {});

// Encodes BGRX pixels (as DecodedImage) at quality 1-100 with the given chroma subsampling
// (Unknown, CMYK-less S440/S411 fall back to 4:2:0). nullopt for bad arguments.
std::optional<Bytes> encodeJpeg(const std::uint8_t* bgrx, int width, int height, int stride,
                                int quality, JpegSubsampling subsampling);
inline std::optional<Bytes> encodeJpeg(const DecodedImage& image, int quality,
                                       JpegSubsampling subsampling) {
    return encodeJpeg(image.pixels.get(), image.width, image.height, image.stride, quality,
                      subsampling);
}

}  // namespace platform
