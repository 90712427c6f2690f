#include "artwork/DialMarks.h"

#include "artwork/Palette.h"

namespace lumora::artwork {

using platform::GraphicsContext;
using platform::LineCap;

namespace {

// The point half way along a quadratic guide, as a cubic's two control points: the flower's bud
// is given by its end points and one guide point per side.
void quadTo(GraphicsContext& ctx, CGPoint from, CGPoint guide, CGPoint to) {
    ctx.curveTo({from.x + 2.0 / 3 * (guide.x - from.x), from.y + 2.0 / 3 * (guide.y - from.y)},
                {to.x + 2.0 / 3 * (guide.x - to.x), to.y + 2.0 / 3 * (guide.y - to.y)}, to);
}

void flower(GraphicsContext& ctx) {
    // Bowl.
    ctx.moveTo({7.50, 10.08});
    ctx.lineTo({3.18, 8.30});
    ctx.curveTo({3.64, 11.05}, {5.94, 11.70}, {10.22, 11.70});
    ctx.curveTo({14.50, 11.70}, {15.98, 10.57}, {16.30, 8.30});
    ctx.lineTo({11.99, 10.08});
    // Stem.
    ctx.moveTo({9.70, 11.70});
    ctx.lineTo({9.70, 8.90});
    // Bud.
    ctx.moveTo({7.17, 0.70});
    quadTo(ctx, {7.17, 0.70}, {6.23, 7.13}, {9.65, 8.90});
    quadTo(ctx, {9.65, 8.90}, {12.92, 7.13}, {12.14, 0.70});
    // Petal tips.
    ctx.moveTo({12.45, 0.70});
    ctx.lineTo({10.90, 2.15});
    ctx.lineTo({9.81, 0.70});
    ctx.lineTo({8.57, 2.15});
    ctx.lineTo({6.85, 0.70});
}

void mountains(GraphicsContext& ctx) {
    ctx.moveTo({18.89, 10.89});
    ctx.lineTo({13.00, 1.89});
    ctx.lineTo({8.20, 10.89});
    ctx.moveTo({9.51, 8.39});
    ctx.lineTo({5.81, 3.89});
    ctx.lineTo({1.56, 10.76});
}

}  // namespace

void drawDialMark(GraphicsContext& ctx, int tag, int /*subTag*/) {
    if (tag != kDialMarkTick && tag != kDialMarkNearFocus && tag != kDialMarkFarFocus) return;
    platform::GStateGuard guard(ctx);
    ctx.beginPath();
    ctx.setStrokeColor(kStrokeGrey);
    ctx.setShadow({0.5, 0.5}, 0, platform::Color::grey());
    switch (tag) {
        case kDialMarkTick:
            ctx.setLineWidth(5.0 / 4);
            ctx.setLineCap(LineCap::Round);
            ctx.moveTo({11.625, 1.375});
            ctx.lineTo({11.625, 29.875});
            break;
        case kDialMarkNearFocus:
            ctx.setLineWidth(5.0 / 5);
            ctx.setLineCap(LineCap::Butt);
            flower(ctx);
            break;
        default:
            ctx.setLineWidth(6.0 / 4.5);
            ctx.setLineCap(LineCap::Round);
            mountains(ctx);
            break;
    }
    ctx.strokePath();
}

}  // namespace lumora::artwork
