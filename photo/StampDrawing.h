#pragma once
// Draws the date stamp straight into decoded photo pixels (no second frame buffer).

#include <cstdint>
#include <string_view>

#include "photo/StampLayout.h"

namespace lumora {

// The font of the stamp: the free face standing in for "HelveticaNeue-Light".
const char* stampFontFamily();

// Draws one line of red text into 32-bit B, G, R, X pixels (cairo's RGB24) as the layout says.
// False when nothing could be drawn (no layout, empty text, bad buffer).
bool drawStamp(std::uint8_t* bgrx, int width, int height, int stride, std::string_view text,
               const StampLayout& layout);

}  // namespace lumora
