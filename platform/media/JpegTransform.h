#pragma once
// Lossless flips of a JPEG in the DCT domain: no decoding, no loss, every metadata segment kept
// byte for byte.

#include <optional>

#include "platform/media/JpegCodec.h"

namespace platform {

enum class JpegFlip { Horizontal, Vertical };

// Whether the flipped edge is a whole number of MCUs, which a perfect transform needs
// (a horizontal flip mirrors the columns, so the width counts).
bool canFlipLosslessly(const JpegHeader& header, JpegFlip flip);

// The flipped file, or nullopt when the picture cannot be flipped perfectly or the data is
// not a sound JPEG within the limits.
// Sequential Huffman JPEGs are flipped a row of MCUs at a time (baseline::flipCoded); any other
// JPEG libjpeg reads goes through its whole-picture coefficient arrays (flipJpegByCoefficients).
std::optional<Bytes> flipJpegLossless(ByteSpan jpeg, JpegFlip flip, const JpegLimits& limits = {});
std::optional<Bytes> flipJpegByCoefficients(ByteSpan jpeg, JpegFlip flip,
                                            const JpegLimits& limits = {});

}  // namespace platform
