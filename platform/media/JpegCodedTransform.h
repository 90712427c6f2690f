#pragma once
// The lossless flips and the region edit, done on the coded blocks of a sequential JPEG a row
// of MCUs at a time: memory stays near the size of the file instead of the picture's
// coefficients, and a region edit decodes the blocks once and copies the coded bits of every
// MCU it does not touch. Everything before the scan (metadata, tables, restart interval) is kept
// byte for byte, and the file's own Huffman tables code the result.
//
// nullopt when the file is not a single-scan Huffman JPEG these can handle, its entropy data is
// corrupt, or a changed value needs a code its (optimised) tables lack: the libjpeg versions
// (flipJpegLossless, editJpegRegion, which try these first) handle those.

#include <optional>

#include "platform/media/JpegCodec.h"
#include "platform/media/JpegRegionEdit.h"
#include "platform/media/JpegTransform.h"

namespace platform::baseline {

// Needs a whole number of MCUs along the flipped edge, as flipJpegLossless does.
std::optional<Bytes> flipCoded(ByteSpan jpeg, JpegFlip flip, const JpegLimits& limits = {});

// The same edit as editJpegRegion, for YCbCr or greyscale pictures.
std::optional<Bytes> editRegionCoded(ByteSpan jpeg, PixelRect region, const RegionPainter& paint,
                                     const JpegLimits& limits = {});

}  // namespace platform::baseline
