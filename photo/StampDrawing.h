#pragma once
// Draws the date stamp straight into decoded photo pixels (no second frame buffer).

#include <cstdint>
#include <optional>
#include <string_view>

#include "photo/StampLayout.h"
#include "platform/media/JpegRegionEdit.h"

namespace lumora {

// The font of the stamp, by its phone name ("HelveticaNeue-Light"); platform::FontMap picks
// the installed face.
const char* stampFontName();

// The stored pixels the stamp's line box covers (with a small margin for antialiasing);
// nullopt when nothing would be drawn.
std::optional<platform::PixelRect> stampBounds(std::string_view text, const StampLayout& layout);

// Draws one line of red text into 32-bit B, G, R, X pixels (cairo's RGB24) as the layout says.
// The pixels cover the picture from (originX, originY). False when nothing could be drawn (no
// layout, empty text, bad buffer).
bool drawStamp(std::uint8_t* bgrx, int width, int height, int stride, std::string_view text,
               const StampLayout& layout, int originX = 0, int originY = 0);

}  // namespace lumora
