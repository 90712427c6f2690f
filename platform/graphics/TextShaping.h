#pragma once
// Internal: fonts and glyph runs on a cairo context, shared by measuring and drawing.

#include <cairo.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/graphics/Text.h"

namespace platform::text {

// Glyphs of one font face, positioned in user space.
struct GlyphSegment {
    cairo_font_face_t* face = nullptr;  // owned by the shared face cache
    std::vector<cairo_glyph_t> glyphs;
};

// A line of glyphs positioned in user space, its first glyph's origin at (0, baseline 0).
// Characters the style's face lacks (Japanese or Chinese in a Latin face) come from a face that
// has them, so a line may hold segments of several faces.
struct GlyphRun {
    std::vector<GlyphSegment> segments;
    CGFloat width = 0;    // advances plus kerning after every glyph
    FontMetrics metrics;  // of the style's own face, so line boxes do not depend on the text
    bool empty() const { return segments.empty(); }
    std::size_t glyphCount() const;
};

// Valid UTF-8: invalid sequences become U+FFFD, so cairo never sees a bad string.
std::string sanitizeUtf8(std::string_view text);
// Selects the style's face and size on cr. False for a degenerate size (cr is left as it was).
bool selectFont(cairo_t* cr, const TextStyle& style);
// Shapes one line with the style's font selected on cr; empty for empty text or a bad style.
GlyphRun shape(cairo_t* cr, std::string_view text, const TextStyle& style);
// Selects a segment's face at the style's size on cr (for painting its glyphs).
void selectSegmentFont(cairo_t* cr, const GlyphSegment& segment, const TextStyle& style);
// The family fontconfig offers for a character the style's face lacks; empty when no installed
// font has it.
std::string fallbackFamily(uint32_t codepoint);

}  // namespace platform::text
