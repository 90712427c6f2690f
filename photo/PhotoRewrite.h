#pragma once
// The photo rewrites of the asset saver's replacement, as pure functions over JPEG bytes:
// un-mirroring a front-camera photo and burning in a date stamp. Each takes the encoded photo,
// its EXIF orientation tag and its settings as arguments (the saving thread reads the tweak's
// settings once, atomically, and passes them in) and returns the new JPEG, or nullopt for "no
// change": the caller then keeps the bytes it had. Safe to call from any thread.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "photo/StampLayout.h"
#include "platform/media/JpegCodec.h"
#include "platform/media/JpegRegionEdit.h"

namespace lumora {

using platform::Bytes;
using platform::ByteSpan;

// Mirrors the picture left to right as a person sees it upright, keeping its orientation tag
// and metadata. Pictures stored sideways (tags 5-8) have their stored rows reversed, the others
// their stored columns; a tag outside 1-8 counts as 1. The flip is lossless in the DCT domain
// when the flipped edge is a whole number of MCUs; otherwise the picture is decoded, flipped and
// re-encoded at quality 100 with the original metadata spliced back. nullopt when the bytes do
// not decode as a JPEG within the limits.
std::optional<Bytes> unmirrorPhoto(ByteSpan jpeg, int exifOrientation,
                                   const platform::JpegLimits& limits = {});

struct TimeStampSettings {
    bool includeTime = false;  // `timestampIncludeTime`
    std::string locale;        // ICU locale identifier; empty for the process default
    std::string timeZone;      // Olson identifier; empty for the system's zone
};

// The stamp's text: the short date (and short time) of `now` in the settings' locale.
std::string timeStampText(std::chrono::system_clock::time_point now,
                          const TimeStampSettings& settings);

// Burns `text` in red into the lower-left corner of the upright picture, keeping the stored
// pixel layout, the orientation tag and the metadata. Only the 8x8 blocks the text touches are
// encoded again (with the photo's own quantisation); every other block is kept exactly. Only
// tags 1, 3, 6 and 8 are stamped; for any other tag, empty text, a picture the text would miss
// or bytes that do not decode, the result is nullopt.
std::optional<Bytes> stampPhoto(ByteSpan jpeg, int exifOrientation, std::string_view text,
                                const platform::JpegLimits& limits = {});

// The same with the layout and the text's stored bounds already worked out (stampLayout,
// stampBounds), for a caller that checked them before.
std::optional<Bytes> stampPhoto(ByteSpan jpeg, std::string_view text, const StampLayout& layout,
                                platform::PixelRect bounds,
                                const platform::JpegLimits& limits = {});

}  // namespace lumora
