#include "artwork/CompositionGlyphs.h"

#include <cmath>

namespace lumora::artwork::detail {

using platform::GraphicsContext;

namespace {

// The picture frame all four guides share: 3:2, centred in the 44 x 44 box.
constexpr CGRect kFrame{{4, 10}, {36, 24}};

void frame(GraphicsContext& ctx, CGRect r = kFrame) {
    ctx.setLineWidth(1.8);
    ctx.addRect(r);
    ctx.strokePath();
    ctx.setLineWidth(1.2);
}

void line(GraphicsContext& ctx, CGPoint a, CGPoint b) {
    ctx.moveTo(a);
    ctx.lineTo(b);
}

}  // namespace

void goldenSection(GraphicsContext& ctx) {
    // A golden rectangle split again and again into a square and a smaller golden rectangle,
    // turning clockwise; a quarter circle in each square makes the spiral.
    const double phi = (1 + std::sqrt(5.0)) / 2;
    CGRect r{{4, 22 - 36 / phi / 2}, {36, 36 / phi}};
    frame(ctx, r);
    for (int i = 0; i < 7; ++i) {
        const double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
        switch (i % 4) {
            case 0:  // square on the left
                line(ctx, {x + h, y}, {x + h, y + h});
                r = {{x + h, y}, {w - h, h}};
                break;
            case 1:  // square on top
                line(ctx, {x, y + w}, {x + w, y + w});
                r = {{x, y + w}, {w, h - w}};
                break;
            case 2:  // square on the right
                line(ctx, {x + w - h, y}, {x + w - h, y + h});
                r = {{x, y}, {w - h, h}};
                break;
            default:  // square at the bottom
                line(ctx, {x, y + h - w}, {x + w, y + h - w});
                r = {{x, y}, {w, h - w}};
                break;
        }
    }
    ctx.strokePath();

    // The spiral: a quarter circle in each of the same squares.
    r = {{4, 22 - 36 / phi / 2}, {36, 36 / phi}};
    ctx.setLineWidth(1.8);
    for (int i = 0; i < 7; ++i) {
        const double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
        switch (i % 4) {
            case 0:
                ctx.addArc({x + h, y + h}, h, M_PI, 1.5 * M_PI, true);
                r = {{x + h, y}, {w - h, h}};
                break;
            case 1:
                ctx.addArc({x, y + w}, w, 1.5 * M_PI, 2 * M_PI, true);
                r = {{x, y + w}, {w, h - w}};
                break;
            case 2:
                ctx.addArc({x + w - h, y}, h, 0, 0.5 * M_PI, true);
                r = {{x, y}, {w - h, h}};
                break;
            default:
                ctx.addArc({x + w, y + h - w}, w, 0.5 * M_PI, M_PI, true);
                r = {{x, y}, {w, h - w}};
                break;
        }
    }
    ctx.strokePath();
}

void triangles(GraphicsContext& ctx) {
    // The diagonal and, from the two other corners, the perpendiculars onto it.
    frame(ctx);
    const CGPoint a{kFrame.origin.x, CGRectGetMaxY(kFrame)};
    const CGPoint b{CGRectGetMaxX(kFrame), kFrame.origin.y};
    line(ctx, a, b);
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    for (CGPoint p : {CGPoint{kFrame.origin.x, kFrame.origin.y},
                      CGPoint{CGRectGetMaxX(kFrame), CGRectGetMaxY(kFrame)}}) {
        const double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2;
        line(ctx, p, {a.x + t * dx, a.y + t * dy});
    }
    ctx.strokePath();
}

void thirds(GraphicsContext& ctx) {
    frame(ctx);
    const double x = kFrame.origin.x, y = kFrame.origin.y;
    const double w = kFrame.size.width, h = kFrame.size.height;
    for (int k = 1; k <= 2; ++k) {
        line(ctx, {x + w * k / 3, y}, {x + w * k / 3, y + h});
        line(ctx, {x, y + h * k / 3}, {x + w, y + h * k / 3});
    }
    ctx.strokePath();
}

void centredSquare(GraphicsContext& ctx) {
    // The frame drawn light, the square crop strong.
    ctx.setLineWidth(1.2);
    ctx.setLineDash(0, {2, 2});
    ctx.addRect(kFrame);
    ctx.strokePath();
    ctx.setLineDash(0, {});
    ctx.setLineWidth(2);
    const double side = kFrame.size.height;
    ctx.addRect({{22 - side / 2, kFrame.origin.y}, {side, side}});
    ctx.strokePath();
}

}  // namespace lumora::artwork::detail
