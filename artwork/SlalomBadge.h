#pragma once
// CustomSlalomIndicatorView's drawing: a badge of two stacked amber lines in "DINAlternate-Bold",
// either the frame rate (a number over "FPS") or the resolution (a connection-type picture over
// a text such as "720p"). Frames are relative to the badge's bounds' origin, w its width:
// number line (0, 4, w, 21), second line (0, 18, w, 23).

#include <string_view>

#include "platform/graphics/GraphicsContext.h"

namespace lumora::artwork {

struct BadgeFonts {
    CGFloat number;  // 18, or 19 on a pad
    CGFloat label;   // second line: 13 (14 on a pad) for the frame rate, 12 (14) for resolution
};
BadgeFonts badgeFonts(int indicatorType, bool pad);

// Type 0: the number formatted "%d" over the label text.
void drawFrameRateBadge(platform::GraphicsContext& ctx, CGRect bounds, int framesPerSecond,
                        std::string_view label = "FPS", bool pad = false);
// Type 1: the picture (may be null) in pictureFrame over the label text; no number.
void drawResolutionBadge(platform::GraphicsContext& ctx, CGRect bounds,
                         const platform::Image* picture, CGRect pictureFrame,
                         std::string_view label, bool pad = false);

}  // namespace lumora::artwork
