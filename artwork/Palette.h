#pragma once
// The accent and stroke colours shared by the drawn artwork and the views around it.

#include "platform/graphics/Color.h"

namespace lumora::artwork {

// Selected glyphs, captions and badges.
inline constexpr platform::Color kAmber{1.0, 0.8, 0.0, 1.0};
// Unselected glyphs and scale strokes: 220/255 grey at alpha 0.6.
inline constexpr platform::Color kStrokeGrey{220.0 / 255.0, 220.0 / 255.0, 220.0 / 255.0, 0.6};
// Opacity of a disabled control.
inline constexpr double kDisabledAlpha = 0.3;

}  // namespace lumora::artwork
