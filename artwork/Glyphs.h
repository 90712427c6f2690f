#pragma once
// The drawn glyphs of the camera bar's buttons. Each function draws into the given bounds (the
// button's bounds, any size; the glyph keeps its aspect and is centred) in the colour of the
// state: amber when selected, grey 220/255 at alpha 0.6 when not, and the whole glyph at alpha
// 0.3 when disabled. Nothing is drawn for an empty or non-finite bounds.
//
// CustomDrawButton tags (drawGlyph):
//   1 rule of thirds                    2 golden section with its spiral
//   3 trisection (diagonal with perpendiculars)  4 centred square
//   (the same numbers as the guide buttons' tags, so a button shows the guide it lays over the
//   preview)
//   5 wrench
//   6 focus tab (focus-square corners), 7 exposure tab (sun); drawFlow 0 / 3 letter "A"
//     (automatic), 1 / 4 letter "M" (manual); 3 and 4 draw the tab open (a filled plate with
//     the letter cut out)
//   8 page arrow (a chevron pointing right)
//   9 video stabilization mode = drawFlow: -1 automatic, lettered "AUTO" (3 is drawn the same);
//     0 off (frame struck through); 1 standard (frame with one pair of steadying brackets);
//     2 cinematic (two pairs and film perforations); other values draw nothing
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
