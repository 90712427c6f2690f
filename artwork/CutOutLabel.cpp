#include "artwork/CutOutLabel.h"

#include <algorithm>
#include <cmath>

#include "artwork/GlyphCanvas.h"
#include "artwork/Palette.h"
#include "platform/graphics/BitmapContext.h"

namespace lumora::artwork {

using platform::BitmapContext;
using platform::GraphicsContext;

void drawCutOutLabel(GraphicsContext& ctx, CGRect rect, std::string_view text,
                     const CutOutLabelStyle& style) {
    if (!usableBounds(rect)) return;
    // The letters are drawn white into a bitmap of their own covering rect at the target's
    // pixel density; that picture becomes an image mask, and an image mask lets paint through
    // where it is dark: the amber goes everywhere except into the letters.
    const CGAffineTransform t = ctx.ctm();
    const double density = ctx.baseScale() * std::sqrt(std::fabs(t.a * t.d - t.b * t.c));
    const double px = std::clamp(density, 0.25, 8.0);
    platform::ImageRef mask;
    if (!text.empty()) {
        BitmapContext letters(static_cast<int>(std::ceil(rect.size.width * px)),
                              static_cast<int>(std::ceil(rect.size.height * px)), px);
        letters.drawText(text, {{0, 0}, rect.size},
                         {std::string(style.fontName), style.fontSize, style.kerning,
                          platform::Color::whiteColor(), style.alignment});
        mask = letters.makeImage();
    }

    platform::GStateGuard guard(ctx);
    ctx.beginPath();
    ctx.clearRect(rect);
    ctx.addRoundedRect(rect, style.cornerRadius);
    ctx.clip();
    if (mask != nullptr) {
        ctx.clipToImageMask({rect.origin, {mask->size().width, mask->size().height}}, mask.get());
    }
    ctx.setFillColor(kAmber);
    ctx.fillRect(rect);
}

}  // namespace lumora::artwork
