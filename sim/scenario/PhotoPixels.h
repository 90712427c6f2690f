#pragma once
// Pixel counts over a saved photo as a person sees it (upright, its EXIF orientation applied),
// for checks such as "the date stamp is there".

#include <optional>
#include <string_view>

#include "platform/media/JpegCodec.h"

namespace sim {

// A corner of the upright picture: a quarter of its width by an eighth of its height (the
// date stamp's place is the lower-left one).
enum class PhotoCorner { UpperLeft, UpperRight, LowerLeft, LowerRight };

std::optional<PhotoCorner> parsePhotoCorner(std::string_view text);  // "lower-left", ...

// Pixels of the corner that are a clear red (red above 170, green and blue below 110: the date
// stamp's colour, which the camera's scenes show little of); nullopt when the bytes do not
// decode.
std::optional<long> countRedPixels(platform::ByteSpan jpeg, PhotoCorner corner);

// The mean brightness of the whole picture, 0 (black) to 255 (white), as the mean of the
// pixels' (red + green + blue) / 3; nullopt when the bytes do not decode.
std::optional<double> meanBrightness(platform::ByteSpan jpeg);

}  // namespace sim
