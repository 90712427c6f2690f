#include "photo/StampDrawing.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include "platform/graphics/TextShaping.h"

namespace lumora {

// The stamp's font name, mapped to an installed face in the one place that maps font names.
const char* stampFontName() {
    return "HelveticaNeue-Light";
}

namespace {

// The face comes from the drawing layer's shared cache, which also releases it at exit.
void setFont(cairo_t* cr, const StampLayout& layout) {
    platform::TextStyle style;
    style.fontName = stampFontName();
    style.fontSize = layout.fontSize;
    platform::text::selectFont(cr, style);
}

}  // namespace

std::optional<platform::PixelRect> stampBounds(std::string_view text, const StampLayout& layout) {
    if (text.empty() || !layout.draws || !(layout.fontSize > 0)) return std::nullopt;
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1), &cairo_surface_destroy);
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                          &cairo_destroy);
    setFont(cr.get(), layout);
    cairo_font_extents_t font{};
    cairo_font_extents(cr.get(), &font);
    cairo_text_extents_t ink{};
    const std::string line = platform::text::sanitizeUtf8(text);
    cairo_text_extents(cr.get(), line.c_str(), &ink);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return std::nullopt;

    // The line box in the rotated space, widened to the ink, then turned into stored pixels.
    const double pad = 3;
    const double left = layout.originX + std::min(0.0, ink.x_bearing) - pad;
    const double right = layout.originX + std::max(ink.x_advance, ink.x_bearing + ink.width) + pad;
    const double top = layout.originY + std::min(0.0, font.ascent + ink.y_bearing) - pad;
    const double bottom =
        layout.originY +
        std::max(font.ascent + font.descent, font.ascent + ink.y_bearing + ink.height) + pad;
    const double c = std::cos(layout.rotation), s = std::sin(layout.rotation);
    double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
    for (double x : {left, right}) {
        for (double y : {top, bottom}) {
            const double dx = x * c - y * s, dy = x * s + y * c;
            minX = std::min(minX, dx);
            maxX = std::max(maxX, dx);
            minY = std::min(minY, dy);
            maxY = std::max(maxY, dy);
        }
    }
    const int x0 = static_cast<int>(std::floor(minX)), y0 = static_cast<int>(std::floor(minY));
    return platform::PixelRect{x0, y0, static_cast<int>(std::ceil(maxX)) - x0,
                               static_cast<int>(std::ceil(maxY)) - y0};
}

bool drawStamp(std::uint8_t* bgrx, int width, int height, int stride, std::string_view text,
               const StampLayout& layout, int originX, int originY) {
    if (!bgrx || width <= 0 || height <= 0 || text.empty() || !layout.draws ||
        stride != cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width)) {
        return false;
    }
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create_for_data(bgrx, CAIRO_FORMAT_RGB24, width, height, stride),
        &cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return false;
    std::unique_ptr<cairo_t, decltype(&cairo_destroy)> cr(cairo_create(surface.get()),
                                                          &cairo_destroy);
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) return false;

    cairo_translate(cr.get(), -originX, -originY);
    cairo_rotate(cr.get(), layout.rotation);
    setFont(cr.get(), layout);
    cairo_font_extents_t extents{};
    cairo_font_extents(cr.get(), &extents);
    cairo_set_source_rgb(cr.get(), 1.0, 0.0, 0.0);
    // The origin is the top-left of the line box; cairo draws from the baseline.
    cairo_move_to(cr.get(), layout.originX, layout.originY + extents.ascent);
    const std::string line = platform::text::sanitizeUtf8(text);
    cairo_show_text(cr.get(), line.c_str());
    cairo_surface_flush(surface.get());
    return cairo_status(cr.get()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace lumora
