#include "platform/graphics/BitmapContext.h"

#include <cmath>

#include "platform/graphics/ContextImpl.h"
#include "platform/graphics/PixelFormat.h"

namespace platform {

namespace {

double sanitizeScale(double s) {
    return (s > 0 && std::isfinite(s)) ? s : 1.0;
}

bool validSize(int w, int h) {
    return w > 0 && h > 0 && w <= Image::kMaxDimension && h <= Image::kMaxDimension;
}

std::unique_ptr<GraphicsContext::Impl> makeImpl(int w, int h, double scale) {
    cairo_surface_t* s =
        validSize(w, h) ? cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h) : nullptr;
    return std::make_unique<GraphicsContext::Impl>(s, validSize(w, h) ? w : 0,
                                                   validSize(w, h) ? h : 0, scale);
}

}  // namespace

BitmapContext::BitmapContext(int widthPixels, int heightPixels, double scale)
    : GraphicsContext(makeImpl(widthPixels, heightPixels, sanitizeScale(scale)),
                      sanitizeScale(scale)),
      width_(validSize(widthPixels, heightPixels) ? widthPixels : 0),
      height_(validSize(widthPixels, heightPixels) ? heightPixels : 0) {}

BitmapContext::~BitmapContext() = default;

uint32_t BitmapContext::argb32(int x, int y) const {
    const Impl& im = impl();
    if (!im.ok() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    cairo_surface_flush(im.surface);
    const unsigned char* data = cairo_image_surface_get_data(im.surface);
    const int stride = cairo_image_surface_get_stride(im.surface);
    return reinterpret_cast<const uint32_t*>(data + y * stride)[x];
}

Color BitmapContext::pixel(int x, int y) const {
    return pixel::toColor(argb32(x, y));
}

bool BitmapContext::writePng(const std::string& path) const {
    const Impl& im = impl();
    if (!im.ok()) return false;
    cairo_surface_flush(im.surface);
    return cairo_surface_write_to_png(im.surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void BitmapContext::clearAll() {
    Impl& im = impl();
    if (!im.ok()) return;
    // A fresh cairo context drops every saved state, layer, clip and the path.
    cairo_destroy(im.cr);
    im.cr = cairo_create(im.surface);
    cairo_scale(im.cr, im.baseScale, im.baseScale);
    im.state = {};
    im.stack.clear();
    im.layers.clear();
    cairo_set_operator(im.cr, CAIRO_OPERATOR_CLEAR);
    cairo_paint(im.cr);
    cairo_set_operator(im.cr, CAIRO_OPERATOR_OVER);
}

}  // namespace platform
