#pragma once
// Editing one rectangle of a JPEG without re-encoding the rest of it. The DCT coefficients are
// read once; the rectangle, grown to whole MCUs, is decoded from them; the painter draws into
// those pixels; then only the 8x8 blocks holding a pixel the painter changed are transformed
// and quantised again, with the file's own quantisation tables. Every other block keeps its
// coefficients exactly, so the picture outside the drawing loses nothing, and every metadata
// segment is kept. One entropy decode and one entropy encode: about the cost of a lossless
// transform.

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/media/JpegCodec.h"

namespace platform {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Draws into BGRX pixels (cairo RGB24) of width x height covering the picture from
// (originX, originY); returns false to abandon the edit.
using RegionPainter = std::function<bool(std::uint8_t* bgrx, int width, int height, int stride,
                                         int originX, int originY)>;

// The edited file; nullopt when the bytes are not a sound YCbCr or greyscale JPEG within the
// limits, the rectangle misses the picture, or the painter fails. Stored pixel coordinates.
// Sequential Huffman JPEGs are edited by their coded blocks (baseline::editRegionCoded: one
// entropy decode, the untouched MCUs' bits copied); any other goes through libjpeg's
// whole-picture coefficient arrays (editJpegRegionByCoefficients).
std::optional<Bytes> editJpegRegion(ByteSpan jpeg, PixelRect region, const RegionPainter& paint,
                                    const JpegLimits& limits = {});
std::optional<Bytes> editJpegRegionByCoefficients(ByteSpan jpeg, PixelRect region,
                                                  const RegionPainter& paint,
                                                  const JpegLimits& limits = {});

}  // namespace platform
