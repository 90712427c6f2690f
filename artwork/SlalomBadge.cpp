#include "artwork/SlalomBadge.h"

#include <string>

#include "artwork/GlyphCanvas.h"
#include "artwork/Palette.h"

namespace lumora::artwork {

using platform::GraphicsContext;
using platform::TextAlignment;
using platform::TextStyle;

namespace {

void amberLine(GraphicsContext& ctx, CGRect bounds, CGRect line, std::string_view text,
               CGFloat size) {
    if (text.empty()) return;
    ctx.drawText(text, CGRectOffset(line, bounds.origin.x, bounds.origin.y),
                 TextStyle{"DINAlternate-Bold", size, 0, kAmber, TextAlignment::Center});
}

}  // namespace

BadgeFonts badgeFonts(int indicatorType, bool pad) {
    if (indicatorType == 1) return {pad ? 19.0 : 18.0, pad ? 14.0 : 12.0};
    return {pad ? 19.0 : 18.0, pad ? 14.0 : 13.0};
}

void drawFrameRateBadge(GraphicsContext& ctx, CGRect bounds, int framesPerSecond,
                        std::string_view label, bool pad) {
    if (!usableBounds(bounds)) return;
    const BadgeFonts fonts = badgeFonts(0, pad);
    const double w = bounds.size.width;
    amberLine(ctx, bounds, {{0, 4}, {w, 21}}, std::to_string(framesPerSecond), fonts.number);
    amberLine(ctx, bounds, {{0, 18}, {w, 23}}, label, fonts.label);
}

void drawResolutionBadge(GraphicsContext& ctx, CGRect bounds, const platform::Image* picture,
                         CGRect pictureFrame, std::string_view label, bool pad) {
    if (!usableBounds(bounds)) return;
    const BadgeFonts fonts = badgeFonts(1, pad);
    if (picture != nullptr) {
        ctx.drawImage(CGRectOffset(pictureFrame, bounds.origin.x, bounds.origin.y), picture);
    }
    amberLine(ctx, bounds, {{0, 18}, {bounds.size.width, 23}}, label, fonts.label);
}

}  // namespace lumora::artwork
