#include "prefs/ManualIllustration.h"

#include <algorithm>
#include <cmath>

#include "artwork/Glyphs.h"
#include "platform/graphics/GraphicsContext.h"

namespace prefs {
namespace {

// A tulip: the close-focus end of the lens dial.
void drawMacro(platform::GraphicsContext& ctx, CGRect r, platform::Color c) {
    const double s = std::min(r.size.width, r.size.height) / 44.0;
    platform::GStateGuard guard(ctx);
    ctx.translate(CGRectGetMidX(r) - 22 * s, CGRectGetMidY(r) - 22 * s);
    ctx.scale(s, s);
    ctx.setFillColor(c);
    ctx.setStrokeColor(c);
    ctx.beginPath();
    ctx.moveTo(CGPointMake(13, 10));
    ctx.lineTo(CGPointMake(17.5, 15));
    ctx.lineTo(CGPointMake(22, 8));
    ctx.lineTo(CGPointMake(26.5, 15));
    ctx.lineTo(CGPointMake(31, 10));
    ctx.curveTo(CGPointMake(32, 20), CGPointMake(29, 26), CGPointMake(22, 26));
    ctx.curveTo(CGPointMake(15, 26), CGPointMake(12, 20), CGPointMake(13, 10));
    ctx.closePath();
    ctx.fillPath();
    ctx.setLineWidth(2);
    ctx.beginPath();
    ctx.moveTo(CGPointMake(22, 26));
    ctx.lineTo(CGPointMake(22, 37));
    ctx.moveTo(CGPointMake(22, 33));
    ctx.curveTo(CGPointMake(17, 30), CGPointMake(14, 30), CGPointMake(12, 31));
    ctx.strokePath();
}

// The infinity sign: the far end of the lens dial.
void drawInfinity(platform::GraphicsContext& ctx, CGRect r, platform::Color c) {
    const double s = std::min(r.size.width, r.size.height) / 44.0;
    platform::GStateGuard guard(ctx);
    ctx.translate(CGRectGetMidX(r), CGRectGetMidY(r));
    ctx.scale(s, s);
    ctx.setStrokeColor(c);
    ctx.setLineWidth(2.5);
    ctx.beginPath();
    ctx.moveTo(CGPointMake(0, 0));
    ctx.curveTo(CGPointMake(6, -9), CGPointMake(16, -9), CGPointMake(16, 0));
    ctx.curveTo(CGPointMake(16, 9), CGPointMake(6, 9), CGPointMake(0, 0));
    ctx.curveTo(CGPointMake(-6, -9), CGPointMake(-16, -9), CGPointMake(-16, 0));
    ctx.curveTo(CGPointMake(-16, 9), CGPointMake(-6, 9), CGPointMake(0, 0));
    ctx.strokePath();
}

}  // namespace

ManualIllustration::ManualIllustration(Kind kind, int tag) : kind_(kind), glyphTag_(tag) {
    setUserInteractionEnabled(false);
}

void ManualIllustration::setDrawFlow(int drawFlow) {
    drawFlow_ = drawFlow;
    setNeedsDisplay();
}

void ManualIllustration::setSelectedLook(bool selected) {
    selected_ = selected;
    setNeedsDisplay();
}

void ManualIllustration::setGlyphColour(std::optional<platform::Color> colour) {
    colour_ = colour;
    setNeedsDisplay();
}

void ManualIllustration::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    lumora::artwork::GlyphState state;
    state.selected = selected_;
    state.colour = colour_;
    const CGRect r = CGRectInset(rect, 2, 2);
    using namespace lumora::artwork;
    switch (kind_) {
        case Kind::Camera:
            drawCameraButton(ctx, r, state);
            break;
        case Kind::Timer:
            drawTimerButton(ctx, r, state);
            break;
        case Kind::TimeLapse:
            drawTimeLapseButton(ctx, r, state);
            break;
        case Kind::Movie:
            drawMovieButton(ctx, r, state);
            break;
        case Kind::WBLock:
            drawWBLockButton(ctx, r, state);
            break;
        case Kind::Glyph:
            drawGlyph(ctx, r, glyphTag_, state, drawFlow_);
            break;
        case Kind::Macro:
            drawMacro(ctx, r, glyphColour(state));
            break;
        case Kind::Infinity:
            drawInfinity(ctx, r, glyphColour(state));
            break;
    }
}

}  // namespace prefs
