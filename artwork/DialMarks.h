#pragma once
// One mark of a value dial's ruler (DialScrollViewGraphicsView's content): tag 1 a regular tick,
// 2 the near-focus flower, 3 the far-focus mountains; any other tag draws nothing. Coordinates
// are the view's own points from its top-left corner (the marks fit in about 24 x 31 points).
// Stroked in grey 220/255 at alpha 0.6 with a 0.5-point grey shadow; the view's alpha (0.8)
// is the view's business.

#include "platform/graphics/GraphicsContext.h"

namespace lumora::artwork {

inline constexpr int kDialMarkTick = 1;
inline constexpr int kDialMarkNearFocus = 2;
inline constexpr int kDialMarkFarFocus = 3;

// subTag (97 ISO / shutter speed, 99 lens position) does not change the drawing.
void drawDialMark(platform::GraphicsContext& ctx, int tag, int subTag = 97);

}  // namespace lumora::artwork
