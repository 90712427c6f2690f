#include "photo/StampDrawing.h"

#include <cairo.h>

#include <memory>
#include <string>

namespace lumora {

// Liberation Sans is metric-compatible with Helvetica; it has no light weight, so the regular
// one stands in. Resolved by fontconfig through cairo's font selection.
const char* stampFontFamily() {
    return "Liberation Sans";
}

bool drawStamp(std::uint8_t* bgrx, int width, int height, int stride, std::string_view text,
               const StampLayout& layout) {
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

    cairo_rotate(cr.get(), layout.rotation);
    cairo_select_font_face(cr.get(), stampFontFamily(), CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr.get(), layout.fontSize);
    cairo_font_extents_t extents{};
    cairo_font_extents(cr.get(), &extents);
    cairo_set_source_rgb(cr.get(), 1.0, 0.0, 0.0);
    // The origin is the top-left of the line box; cairo draws from the baseline.
    cairo_move_to(cr.get(), layout.originX, layout.originY + extents.ascent);
    const std::string line(text);
    cairo_show_text(cr.get(), line.c_str());
    cairo_surface_flush(surface.get());
    return cairo_status(cr.get()) == CAIRO_STATUS_SUCCESS;
}

}  // namespace lumora
