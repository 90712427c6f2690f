#pragma once
// The drawn glyphs of the camera bar's buttons. Each function draws into the given bounds (the
// button's bounds, any size; the glyph keeps its aspect and is centred) in the colour of the
// state: amber when selected, grey 220/255 at alpha 0.6 when not, and the whole glyph at alpha
// 0.3 when disabled. Nothing is drawn for an empty or non-finite bounds.
//
// CustomDrawButton tags (drawGlyph):
//   1 golden section with its spiral    2 triangles (diagonal with perpendiculars)
//   3 rule of thirds                    4 centred square
//   5 wrench
//   6 focus tab (focus brackets), 7 exposure tab (sun rays); drawFlow 0 / 3 letter "A"
//     (automatic), 1 / 4 letter "M" (manual); 3 and 4 draw the tab open (filled disc, letter
//     cut out)
//   8 page arrow (a chevron pointing right)
//   9 video stabilization mode: drawFlow -1 (and 3) "AUTO", 0 off (crossed hand),
//     1 standard (hand with one wave), 2 cinematic (hand with film frame and waves)
// Any other tag draws nothing.

#include <optional>

#include "platform/geometry/Geometry.h"
#include "platform/graphics/GraphicsContext.h"

namespace lumora::artwork {

struct GlyphState {
    bool selected = false;
    bool enabled = true;
    // Draw in this colour instead of the state's (the settings manual shows white glyphs).
    std::optional<platform::Color> colour;
};

// The colour a glyph is drawn in for a state (before the disabled opacity).
platform::Color glyphColour(const GlyphState& state);

void drawGlyph(platform::GraphicsContext& ctx, CGRect bounds, int tag, const GlyphState& state,
               int drawFlow = 0);

// The mode buttons of the camera bar.
void drawCameraButton(platform::GraphicsContext& ctx, CGRect bounds, const GlyphState& state);
void drawTimerButton(platform::GraphicsContext& ctx, CGRect bounds, const GlyphState& state);
void drawTimeLapseButton(platform::GraphicsContext& ctx, CGRect bounds, const GlyphState& state);
void drawMovieButton(platform::GraphicsContext& ctx, CGRect bounds, const GlyphState& state);
void drawWBLockButton(platform::GraphicsContext& ctx, CGRect bounds, const GlyphState& state);

}  // namespace lumora::artwork
