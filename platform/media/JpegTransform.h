#pragma once
// Lossless flips of a JPEG in the DCT domain (TurboJPEG tjTransform): no decoding, no loss,
// every metadata segment kept byte for byte.

#include <optional>

#include "platform/media/JpegCodec.h"

namespace platform {

enum class JpegFlip { Horizontal, Vertical };

// Whether the flipped edge is a whole number of MCUs, which a perfect transform needs
// (a horizontal flip mirrors the columns, so the width counts).
bool canFlipLosslessly(const JpegHeader& header, JpegFlip flip);

// The flipped file, or nullopt when the picture cannot be flipped perfectly or the data is
// not a sound JPEG within the limits.
std::optional<Bytes> flipJpegLossless(ByteSpan jpeg, JpegFlip flip, const JpegLimits& limits = {});

}  // namespace platform
