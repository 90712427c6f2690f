// Text drawing: a shaped glyph run placed in a line box and painted with the text colour.

#include <cmath>

#include "platform/graphics/ContextImpl.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/graphics/TextShaping.h"

namespace platform {

CGSize GraphicsContext::drawTextAt(std::string_view s, CGPoint origin, const TextStyle& style) {
    Impl& im = *impl_;
    if (!im.ok() || s.empty() || !std::isfinite(origin.x) || !std::isfinite(origin.y)) {
        return CGSizeZero;
    }
    text::GlyphRun run = text::shape(im.cr, s, style);
    if (run.empty()) return CGSizeZero;
    const FontMetrics& m = run.metrics;
    // The glyphs sit vertically centred in the line box.
    const double baseline = origin.y + (m.lineHeight - (m.ascent + m.descent)) / 2 + m.ascent;
    for (auto& segment : run.segments) {
        for (auto& g : segment.glyphs) {
            g.x += origin.x;
            g.y += baseline;
        }
    }
    // Generous bounds: italic and accented glyphs may reach past the line box.
    const CGRect box = CGRectInset(CGRectMake(origin.x, origin.y, run.width, m.lineHeight),
                                   -style.fontSize, -style.fontSize / 2);
    cairo_path_t* path = cairo_copy_path(im.cr);
    cairo_new_path(im.cr);
    im.render(im.toDevice(box), [&](cairo_t* c) {
        im.setSource(style.color);
        for (const auto& segment : run.segments) {
            text::selectSegmentFont(c, segment, style);
            cairo_show_glyphs(c, segment.glyphs.data(), static_cast<int>(segment.glyphs.size()));
        }
        text::selectFont(c, style);
    });
    cairo_new_path(im.cr);
    if (path->status == CAIRO_STATUS_SUCCESS) cairo_append_path(im.cr, path);
    cairo_path_destroy(path);
    return {run.width, m.lineHeight};
}

CGSize GraphicsContext::drawText(std::string_view s, CGRect rect, const TextStyle& style) {
    if (!impl_->ok() || s.empty()) return CGSizeZero;
    rect = CGRectStandardize(rect);
    const CGSize size = measureText(s, style);
    if (size.width <= 0 && size.height <= 0) return CGSizeZero;
    double x = rect.origin.x;
    if (style.alignment == TextAlignment::Center) {
        x += (rect.size.width - size.width) / 2;
    } else if (style.alignment == TextAlignment::Right) {
        x += rect.size.width - size.width;
    }
    const double y = CGRectGetMidY(rect) - size.height / 2;
    return drawTextAt(s, {x, y}, style);
}

}  // namespace platform
