#pragma once
// Text styling and measurement. Text is UTF-8; letter spacing (the platform's kerning attribute)
// is added after every character, the last one included, as the platform does.

#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/graphics/Color.h"

namespace platform {

enum class TextAlignment { Left, Center, Right };

struct TextStyle {
    std::string fontName = "HelveticaNeue";
    CGFloat fontSize = 17;
    CGFloat kerning = 0;  // extra points after each character
    Color color = Color::black();
    TextAlignment alignment = TextAlignment::Left;
};

struct FontMetrics {
    CGFloat ascent = 0;      // above the baseline
    CGFloat descent = 0;     // below the baseline (positive)
    CGFloat lineHeight = 0;  // ascent + descent + line gap
};

// Metrics of the mapped face at the style's size; all zero for a size <= 0 or not finite.
FontMetrics fontMetrics(const TextStyle& style);
// Width (advances plus kerning) and line height of one line of text, in points. Zero for empty
// text or a degenerate size. Newlines are not interpreted.
CGSize measureText(std::string_view text, const TextStyle& style);
// Greedy word wrap into lines no wider than maxWidth (a single long word stays on its own line);
// explicit '\n' starts a new line.
std::vector<std::string> wrapLines(std::string_view text, const TextStyle& style, CGFloat maxWidth);

}  // namespace platform
