// Images, image-mask clips, transparency layers, snapshots and region blur.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/graphics/Blur.h"
#include "platform/graphics/ContextImpl.h"
#include "platform/graphics/GraphicsContext.h"

namespace platform {

namespace {

bool usableRect(CGRect r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height) && r.size.width != 0 && r.size.height != 0;
}

// Coverage of an image used as a mask, one byte per pixel (A8 rows padded to cairo's stride).
enum class MaskKind { Image, Alpha };

cairo_surface_t* coverageSurface(const Image& image, MaskKind kind) {
    const int w = image.pixelWidth(), h = image.pixelHeight();
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, w, h);
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) return s;
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const auto& px = image.argb32();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = px[static_cast<size_t>(y) * w + x];
            uint32_t v;
            if (kind == MaskKind::Alpha) {
                v = p >> 24;
            } else {
                // Premultiplied colour is the pixel over black; dark lets paint through.
                const uint32_t lum =
                    (299 * ((p >> 16) & 0xff) + 587 * ((p >> 8) & 0xff) + 114 * (p & 0xff) + 500) /
                    1000;
                v = 255 - std::min<uint32_t>(lum, 255);
            }
            data[y * stride + x] = static_cast<unsigned char>(v);
        }
    }
    cairo_surface_mark_dirty(s);
    return s;
}

void clipToMask(GraphicsContext::Impl& im, CGRect rect, const Image* mask, MaskKind kind) {
    if (!im.ok() || mask == nullptr || !usableRect(rect)) return;
    cairo_surface_t* coverage = coverageSurface(*mask, kind);
    cairo_surface_t* combined = cairo_image_surface_create(CAIRO_FORMAT_A8, im.width, im.height);
    cairo_t* mc = cairo_create(combined);
    if (im.state.mask != nullptr) {
        cairo_set_source_surface(mc, im.state.mask->surface, 0, 0);
    } else {
        cairo_set_source_rgba(mc, 0, 0, 0, 1);
    }
    cairo_set_operator(mc, CAIRO_OPERATOR_SOURCE);
    cairo_paint(mc);
    // Keep only what the new mask lets through; outside rect nothing passes.
    cairo_matrix_t m;
    cairo_get_matrix(im.cr, &m);
    cairo_set_matrix(mc, &m);
    cairo_translate(mc, rect.origin.x, rect.origin.y);
    cairo_scale(mc, rect.size.width / mask->pixelWidth(), rect.size.height / mask->pixelHeight());
    cairo_set_source_surface(mc, coverage, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(mc), CAIRO_FILTER_BILINEAR);
    cairo_set_operator(mc, CAIRO_OPERATOR_DEST_IN);
    cairo_paint(mc);
    const bool ok = cairo_status(mc) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(mc);
    cairo_surface_destroy(coverage);
    if (!ok) {
        cairo_surface_destroy(combined);
        return;
    }
    cairo_surface_flush(combined);
    im.state.mask = std::make_shared<const MaskClip>(combined);
}

}  // namespace

cairo_surface_t* surfaceForImage(const Image& image) {
    auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(image.argb32().data()));
    return cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, image.pixelWidth(),
                                               image.pixelHeight(), image.pixelWidth() * 4);
}

void GraphicsContext::clipToImageMask(CGRect rect, const Image* mask) {
    clipToMask(*impl_, rect, mask, MaskKind::Image);
}

void GraphicsContext::clipToAlphaMask(CGRect rect, const Image* mask) {
    clipToMask(*impl_, rect, mask, MaskKind::Alpha);
}

void GraphicsContext::beginTransparencyLayer(CGFloat opacity) {
    Impl& im = *impl_;
    if (!im.ok()) return;
    im.stack.push_back(im.state);
    im.layers.push_back(
        {im.stack.size(), std::isfinite(opacity) ? std::clamp(opacity, 0.0, 1.0) : 1.0});
    cairo_push_group(im.cr);
    // Inside the layer everything is drawn plainly; alpha, shadow and clip mask apply to the
    // finished layer.
    im.state.alpha = 1;
    im.state.shadow = {};
    im.state.blend = BlendMode::Normal;
    im.state.mask = nullptr;
}

void GraphicsContext::endTransparencyLayer() {
    Impl& im = *impl_;
    if (!im.ok() || im.layers.empty()) return;
    const Layer layer = im.layers.back();
    while (im.stack.size() > layer.stackDepth) restoreGState();  // saves left open inside
    cairo_path_t* path = cairo_copy_path(im.cr);
    cairo_pattern_t* content = cairo_pop_group(im.cr);
    im.layers.pop_back();
    im.state = std::move(im.stack.back());
    im.stack.pop_back();
    cairo_new_path(im.cr);
    const double alpha = layer.opacity * im.state.alpha;
    im.render(std::nullopt, [&](cairo_t* c) {
        cairo_set_source(c, content);
        cairo_paint_with_alpha(c, alpha);
    });
    cairo_pattern_destroy(content);
    if (path->status == CAIRO_STATUS_SUCCESS) cairo_append_path(im.cr, path);
    cairo_path_destroy(path);
}

void GraphicsContext::drawImage(CGRect rect, const Image* image) {
    Impl& im = *impl_;
    if (!im.ok() || image == nullptr || !usableRect(rect)) return;
    cairo_surface_t* src = surfaceForImage(*image);
    const double sx = rect.size.width / image->pixelWidth();
    const double sy = rect.size.height / image->pixelHeight();
    const double alpha = im.state.blend == BlendMode::Clear ? 1.0 : im.state.alpha;
    cairo_path_t* path = cairo_copy_path(im.cr);
    cairo_new_path(im.cr);
    im.render(im.toDevice(rect), [&](cairo_t* c) {
        cairo_save(c);
        cairo_translate(c, rect.origin.x, rect.origin.y);
        cairo_scale(c, sx, sy);
        cairo_set_source_surface(c, src, 0, 0);
        cairo_pattern_set_extend(cairo_get_source(c), CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(cairo_get_source(c), CAIRO_FILTER_BILINEAR);
        cairo_rectangle(c, 0, 0, image->pixelWidth(), image->pixelHeight());
        cairo_clip(c);
        cairo_paint_with_alpha(c, alpha);
        cairo_restore(c);
    });
    cairo_new_path(im.cr);
    if (path->status == CAIRO_STATUS_SUCCESS) cairo_append_path(im.cr, path);
    cairo_path_destroy(path);
    cairo_surface_destroy(src);
}

ImageRef GraphicsContext::makeImage() const {
    const Impl& im = *impl_;
    if (!im.ok()) return nullptr;
    cairo_surface_flush(im.surface);
    const unsigned char* data = cairo_image_surface_get_data(im.surface);
    const int stride = cairo_image_surface_get_stride(im.surface);
    if (data == nullptr) return nullptr;
    std::vector<uint32_t> argb(static_cast<size_t>(im.width) * im.height);
    for (int y = 0; y < im.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        std::copy(row, row + im.width, argb.begin() + static_cast<ptrdiff_t>(y) * im.width);
    }
    return Image::fromARGB32(im.width, im.height, im.baseScale, std::move(argb));
}

void GraphicsContext::blurRegion(CGRect rect, CGFloat radius) {
    Impl& im = *impl_;
    if (!im.ok() || !usableRect(rect) || !std::isfinite(radius) || radius <= 0) return;
    // Inside a transparency layer the pixels being drawn are the layer's.
    cairo_surface_t* target = cairo_get_group_target(im.cr);
    if (cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE) return;
    double offX = 0, offY = 0;
    cairo_surface_get_device_offset(target, &offX, &offY);
    const int tw = cairo_image_surface_get_width(target);
    const int th = cairo_image_surface_get_height(target);
    CGRect box = CGRectOffset(im.toDevice(rect), offX, offY);
    box = CGRectIntegral(CGRectIntersection(box, CGRectMake(0, 0, tw, th)));
    if (CGRectIsNull(box) || CGRectIsEmpty(box)) return;
    cairo_surface_flush(target);
    unsigned char* data = cairo_image_surface_get_data(target);
    if (data == nullptr) return;
    // The region is blurred in a copy, which is then put back through the clip: a backdrop inside
    // a rounded view stays rounded.
    const int bx = static_cast<int>(box.origin.x), by = static_cast<int>(box.origin.y);
    const int bw = static_cast<int>(box.size.width), bh = static_cast<int>(box.size.height);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, bw, bh);
    if (cairo_surface_status(copy) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(copy);
        return;
    }
    const int stride = cairo_image_surface_get_stride(target);
    const int copyStride = cairo_image_surface_get_stride(copy);
    unsigned char* copyData = cairo_image_surface_get_data(copy);
    for (int y = 0; y < bh; ++y) {
        std::memcpy(copyData + static_cast<size_t>(y) * copyStride,
                    data + static_cast<size_t>(by + y) * stride + static_cast<size_t>(bx) * 4,
                    static_cast<size_t>(bw) * 4);
    }
    gaussianBlurARGB32(reinterpret_cast<uint32_t*>(copyData), bw, bh, copyStride / 4,
                       radius * im.baseScale);
    cairo_surface_mark_dirty(copy);
    // The path being built is not part of cairo's saved state: keep it aside.
    cairo_path_t* path = cairo_copy_path(im.cr);
    cairo_save(im.cr);
    cairo_identity_matrix(im.cr);
    cairo_set_operator(im.cr, CAIRO_OPERATOR_SOURCE);
    // Device space is the target's pixels less its device offset.
    cairo_set_source_surface(im.cr, copy, bx - offX, by - offY);
    cairo_new_path(im.cr);
    cairo_rectangle(im.cr, bx - offX, by - offY, bw, bh);
    cairo_fill(im.cr);
    cairo_restore(im.cr);
    if (path->status == CAIRO_STATUS_SUCCESS) cairo_append_path(im.cr, path);
    cairo_path_destroy(path);
    cairo_surface_destroy(copy);
}

}  // namespace platform
