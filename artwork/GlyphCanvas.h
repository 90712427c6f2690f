#pragma once
// Internal: the common frame of every drawn glyph. A glyph is designed in a small box of design
// units; the canvas maps that box into the button's bounds (aspect kept, centred), draws in a
// transparency layer so overlapping strokes do not darken, and applies the state's colour and
// opacity to the layer as a whole.

#include <functional>

#include "artwork/Glyphs.h"

namespace lumora::artwork {

// Runs draw with the context set up: user space = design units, stroke and fill = the glyph
// colour (opaque), line width 2, round caps and joins. Nothing happens for unusable bounds.
void drawInGlyphBox(platform::GraphicsContext& ctx, CGRect bounds, CGSize design,
                    const GlyphState& state,
                    const std::function<void(platform::GraphicsContext&)>& draw);

// Whether a rectangle can be drawn into (finite, positive size).
bool usableBounds(CGRect r);

}  // namespace lumora::artwork
