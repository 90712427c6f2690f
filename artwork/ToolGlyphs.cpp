#include "artwork/ToolGlyphs.h"

#include <cmath>

namespace lumora::artwork::detail {

using platform::BlendMode;
using platform::GraphicsContext;
using platform::GStateGuard;
using platform::TextAlignment;
using platform::TextStyle;

namespace {

// Draws text in the current fill colour, or erases it from what is drawn when cut is true (the
// glyph canvas draws in its own layer, so erasing leaves a hole in the glyph only).
void letter(GraphicsContext& ctx, std::string_view text, CGRect box, const char* font, CGFloat size,
            bool cut) {
    GStateGuard guard(ctx);
    if (cut) ctx.setBlendMode(BlendMode::Clear);
    ctx.drawText(text, box, TextStyle{font, size, 0, ctx.fillColor(), TextAlignment::Center});
}

}  // namespace

void wrench(GraphicsContext& ctx) {
    // Drawn upright, then turned 45 degrees: a round head with an open jaw, and a handle.
    GStateGuard guard(ctx);
    ctx.translate(22, 22);
    ctx.rotate(M_PI / 4);
    ctx.addEllipse({{-8, -19}, {16, 16}});
    ctx.addRoundedRect({{-3.5, -6}, {7, 24}}, 3.5);
    ctx.fillPath();
    GStateGuard cut(ctx);
    ctx.setBlendMode(BlendMode::Clear);
    ctx.fillRect({{-3, -21}, {6, 9}});
    ctx.fillEllipse({{-1.6, 13}, {3.2, 3.2}});  // the hanging hole
}

void focusTab(GraphicsContext& ctx, bool manual, bool open) {
    // Four corner brackets of a focus square around the letter.
    const double a = 6, b = 38, arm = 8;
    if (open) {
        ctx.addRoundedRect({{a, a}, {b - a, b - a}}, 4);
        ctx.fillPath();
    }
    for (CGPoint c : {CGPoint{a, a}, CGPoint{b, a}, CGPoint{b, b}, CGPoint{a, b}}) {
        const double sx = c.x == a ? 1 : -1, sy = c.y == a ? 1 : -1;
        ctx.moveTo({c.x, c.y + sy * arm});
        ctx.lineTo(c);
        ctx.lineTo({c.x + sx * arm, c.y});
    }
    ctx.strokePath();
    letter(ctx, manual ? "M" : "A", {{0, 0}, {44, 44}}, "HelveticaNeue-Bold", 17, open);
}

void exposureTab(GraphicsContext& ctx, bool manual, bool open) {
    // A sun: a disc outline with eight short rays, the letter inside.
    const CGPoint c{22, 22};
    const double r = 11;
    ctx.addEllipse({{c.x - r, c.y - r}, {2 * r, 2 * r}});
    open ? ctx.fillPath() : ctx.strokePath();
    for (int k = 0; k < 8; ++k) {
        const double t = k * M_PI / 4;
        ctx.moveTo({c.x + std::cos(t) * (r + 4), c.y + std::sin(t) * (r + 4)});
        ctx.lineTo({c.x + std::cos(t) * (r + 8), c.y + std::sin(t) * (r + 8)});
    }
    ctx.strokePath();
    letter(ctx, manual ? "M" : "A", {{0, 0}, {44, 44}}, "HelveticaNeue-Bold", 14, open);
}

void pageArrow(GraphicsContext& ctx) {
    ctx.moveTo({7, 16});
    ctx.lineTo({14, 25});
    ctx.lineTo({7, 34});
    ctx.strokePath();
}

void stabilization(GraphicsContext& ctx, int mode) {
    // A picture frame that shakes less the stronger the mode; "AUTO" for the automatic mode.
    const CGRect frame{{12, 14}, {20, 16}};
    if (mode == -1 || mode == 3) {
        ctx.setLineWidth(1.6);
        ctx.addRoundedRect({{4, 13}, {36, 18}}, 3);
        ctx.strokePath();
        letter(ctx, "AUTO", {{4, 13}, {36, 18}}, "HelveticaNeue-BoldItalic", 11, false);
        return;
    }
    if (mode < 0 || mode > 2) return;
    ctx.addRoundedRect(frame, 2);
    ctx.strokePath();
    if (mode == 0) {  // off: struck through
        ctx.moveTo({8, 34});
        ctx.lineTo({36, 10});
        ctx.strokePath();
        return;
    }
    // Steadying brackets either side: one pair for standard, two for cinematic.
    for (int k = 0; k < mode; ++k) {
        const double d = 5 + 4 * k;
        ctx.addArc({22, 22}, 10 + d, M_PI * 0.85, M_PI * 1.15, true);
        ctx.addArc({22, 22}, 10 + d, -M_PI * 0.15, M_PI * 0.15, true);
        ctx.strokePath();
    }
    if (mode == 2) {  // cinematic: film perforations along the frame
        for (int k = 0; k < 4; ++k) {
            ctx.fillRect({{14.5 + k * 4.5, 16.5}, {2, 2}});
            ctx.fillRect({{14.5 + k * 4.5, 25.5}, {2, 2}});
        }
    }
}

}  // namespace lumora::artwork::detail
