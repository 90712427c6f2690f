// CustomDrawButton's glyphs by tag.

#include "artwork/Glyphs.h"

#include "artwork/CompositionGlyphs.h"
#include "artwork/GlyphCanvas.h"
#include "artwork/ToolGlyphs.h"

namespace lumora::artwork {

using platform::GraphicsContext;

void drawGlyph(GraphicsContext& ctx, CGRect bounds, int tag, const GlyphState& state,
               int drawFlow) {
    constexpr CGSize kBox{44, 44};
    // Tab states: 0 automatic, 1 manual (closed); 3 automatic, 4 manual (open).
    const bool manual = drawFlow == 1 || drawFlow == 4;
    const bool open = drawFlow == 3 || drawFlow == 4;
    switch (tag) {
        case 1:
            drawInGlyphBox(ctx, bounds, kBox, state, detail::thirds);
            break;
        case 2:
            drawInGlyphBox(ctx, bounds, kBox, state, detail::goldenSection);
            break;
        case 3:
            drawInGlyphBox(ctx, bounds, kBox, state, detail::triangles);
            break;
        case 4:
            drawInGlyphBox(ctx, bounds, kBox, state, detail::centredSquare);
            break;
        case 5:
            drawInGlyphBox(ctx, bounds, kBox, state, detail::wrench);
            break;
        case 6:
            drawInGlyphBox(ctx, bounds, kBox, state,
                           [&](GraphicsContext& c) { detail::focusTab(c, manual, open); });
            break;
        case 7:
            drawInGlyphBox(ctx, bounds, kBox, state,
                           [&](GraphicsContext& c) { detail::exposureTab(c, manual, open); });
            break;
        case 8:
            drawInGlyphBox(ctx, bounds, {20, 50}, state, detail::pageArrow);
            break;
        case 9:
            drawInGlyphBox(ctx, bounds, kBox, state,
                           [&](GraphicsContext& c) { detail::stabilization(c, drawFlow); });
            break;
        default:
            break;
    }
}

}  // namespace lumora::artwork
