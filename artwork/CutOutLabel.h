#pragma once
// CustomTransparentFilledLabel's drawing: the text is cut out of an amber rounded plate, so the
// letters are holes through which whatever is behind shows. Empty text gives a full plate.

#include <string_view>

#include "platform/graphics/GraphicsContext.h"

namespace lumora::artwork {

struct CutOutLabelStyle {
    std::string_view fontName = "DINAlternate-Bold";
    CGFloat fontSize = 12;
    CGFloat kerning = 2.0;  // setTextEx's letter spacing; 0 for plain text
    CGFloat cornerRadius = 2;
    platform::TextAlignment alignment = platform::TextAlignment::Center;
};

// Draws into rect (the label's bounds). Pixels inside rect are replaced, not blended, so the
// holes are transparent even on a context that already holds something.
void drawCutOutLabel(platform::GraphicsContext& ctx, CGRect rect, std::string_view text,
                     const CutOutLabelStyle& style = {});

}  // namespace lumora::artwork
