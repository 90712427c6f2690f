#pragma once
// Internal: the state behind a GraphicsContext. cairo keeps the path, CTM, clip and line
// settings; this keeps what cairo has no place for (two colours, global alpha, blend mode,
// shadow, image-mask clips) in a stack parallel to cairo_save / cairo_restore.

#include <cairo.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/GraphicsContext.h"

namespace platform {

// An A8 surface the size of the base bitmap; painting is multiplied by it.
struct MaskClip {
    cairo_surface_t* surface = nullptr;
    explicit MaskClip(cairo_surface_t* s) : surface(s) {}
    ~MaskClip() { cairo_surface_destroy(surface); }
    MaskClip(const MaskClip&) = delete;
    MaskClip& operator=(const MaskClip&) = delete;
};

struct Shadow {
    CGSize offset{};
    CGFloat blur = 0;
    Color color = Color::clear();
    bool active() const { return color.a > 0; }
};

struct GState {
    Color fill = Color::black();
    Color stroke = Color::black();
    CGFloat alpha = 1;
    BlendMode blend = BlendMode::Normal;
    Shadow shadow;
    std::shared_ptr<const MaskClip> mask;
};

struct Layer {
    size_t stackDepth;  // state stack size when the layer began
    CGFloat opacity;
};

struct GraphicsContext::Impl {
    cairo_surface_t* surface = nullptr;  // the base bitmap (owned by the context)
    cairo_t* cr = nullptr;
    int width = 0, height = 0;
    double baseScale = 1;
    GState state;
    std::vector<GState> stack;
    std::vector<Layer> layers;

    Impl(cairo_surface_t* s, int w, int h, double scale);
    ~Impl();
    bool ok() const { return cr != nullptr && cairo_status(cr) == CAIRO_STATUS_SUCCESS; }

    // Sets a colour as source, with the global alpha folded in.
    void setSource(const Color& c) const;
    cairo_operator_t op() const;
    // Whether painting must go through an offscreen group (shadow or mask clip).
    bool needsGroup() const;
    // Runs draw (which paints with the current source/path) honouring blend mode, shadow and
    // mask clip. deviceBounds: where draw can paint, in base pixels (clip extents when absent).
    void render(std::optional<CGRect> deviceBounds, const std::function<void(cairo_t*)>& draw);
    // Paints the current source through the mask clip, if any, at identity CTM.
    void compositeSource();
    // User-space rectangle to a device-space bounding box.
    CGRect toDevice(CGRect user) const;
    CGRect clipDeviceExtents() const;
};

// A cairo surface that reads an Image's pixels (no copy). Destroy with cairo_surface_destroy.
cairo_surface_t* surfaceForImage(const Image& image);

}  // namespace platform
