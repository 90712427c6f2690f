#pragma once
// Internal: fonts and glyph runs on a cairo context, shared by measuring and drawing.

#include <cairo.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Text.h"

namespace platform::text {

// A line of glyphs positioned in user space, its first glyph's origin at (0, baseline 0).
struct GlyphRun {
    std::vector<cairo_glyph_t> glyphs;
    CGFloat width = 0;  // advances plus kerning after every glyph
    FontMetrics metrics;
    bool empty() const { return glyphs.empty(); }
};

// Valid UTF-8: invalid sequences become U+FFFD, so cairo never sees a bad string.
std::string sanitizeUtf8(std::string_view text);
// Selects the style's face and size on cr. False for a degenerate size (cr is left as it was).
bool selectFont(cairo_t* cr, const TextStyle& style);
// Shapes one line with the style's font selected on cr; empty for empty text or a bad style.
GlyphRun shape(cairo_t* cr, std::string_view text, const TextStyle& style);

}  // namespace platform::text
