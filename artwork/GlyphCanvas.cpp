#include "artwork/GlyphCanvas.h"

#include <algorithm>
#include <cmath>

#include "artwork/Palette.h"

namespace lumora::artwork {

using platform::GraphicsContext;

bool usableBounds(CGRect r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height) && r.size.width > 0 && r.size.height > 0;
}

platform::Color glyphColour(const GlyphState& state) {
    if (state.colour) return *state.colour;
    return state.selected ? kAmber : kStrokeGrey;
}

void drawInGlyphBox(GraphicsContext& ctx, CGRect bounds, CGSize design, const GlyphState& state,
                    const std::function<void(GraphicsContext&)>& draw) {
    if (!usableBounds(bounds) || !(design.width > 0) || !(design.height > 0)) return;
    const platform::Color colour = platform::clamped(glyphColour(state));
    const double opacity = colour.a * (state.enabled ? 1.0 : kDisabledAlpha);
    const double s = std::min(bounds.size.width / design.width, bounds.size.height / design.height);

    platform::GStateGuard guard(ctx);
    // The layer's offscreen buffer covers the clip: keep it to the button.
    ctx.clipToRect(CGRectInset(bounds, -1, -1));
    platform::TransparencyLayerGuard layer(ctx, opacity);
    ctx.translate(CGRectGetMidX(bounds), CGRectGetMidY(bounds));
    ctx.scale(s, s);
    ctx.translate(-design.width / 2, -design.height / 2);
    const platform::Color solid = colour.withAlpha(1);
    ctx.setStrokeColor(solid);
    ctx.setFillColor(solid);
    ctx.setLineWidth(2);
    ctx.setLineCap(platform::LineCap::Round);
    ctx.setLineJoin(platform::LineJoin::Round);
    ctx.beginPath();
    draw(ctx);
    ctx.beginPath();
}

}  // namespace lumora::artwork
