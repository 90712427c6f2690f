#include "artwork/CustomDrawButton.h"

namespace lumora {

void CustomDrawButton::setDrawFlow(int drawFlow) {
    drawFlow_ = drawFlow;
    setNeedsDisplay();
}

void CustomDrawButton::drawGlyphInRect(platform::GraphicsContext& ctx, CGRect rect,
                                       const artwork::GlyphState& state) {
    // Tags are longs; anything outside int's range is simply not a glyph.
    const long t = tag();
    if (t < 1 || t > 9) return;
    artwork::drawGlyph(ctx, rect, static_cast<int>(t), state, drawFlow_);
}

}  // namespace lumora
