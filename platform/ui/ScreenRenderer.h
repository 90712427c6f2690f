#pragma once
// Composes a view tree into a bitmap at the device's pixel scale, using the values shown at the
// current virtual time (so a screenshot taken mid-animation shows the animation midway).
//
// Per view, back to front: its centre, bounds origin and transform; alpha (a transparency layer
// when it has subviews); clipping to the bounds (rounded by the layer's corner radius when it
// masks); the backdrop filters (a blur of what was drawn below, then the colour tint); the
// background colour; drawRect (clipped to the bounds, as a layer's backing store is); the
// subviews; the layer's border. Hidden views, views with alpha 0 and views with a degenerate
// transform are skipped with their subviews.

#include <memory>
#include <string>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Image.h"

class UIView;

namespace platform {

struct RenderOptions {
    // Points; zero takes the main screen's bounds.
    CGSize size{};
    // Pixels per point; zero takes the main screen's scale.
    double scale = 0;
    // What shows where no view draws.
    Color background = Color::black();
};

class ScreenRenderer {
public:
    // Lays the tree out (layoutIfNeeded) and renders it; the root is placed at its frame.
    static std::unique_ptr<BitmapContext> render(UIView& root, const RenderOptions& options = {});
    static ImageRef renderImage(UIView& root, const RenderOptions& options = {});
    // False when the PNG cannot be written.
    static bool writePng(UIView& root, const std::string& path, const RenderOptions& options = {});
    // Draws `view` and its subviews into ctx, whose user space is the view's superview's
    // coordinates.
    static void drawView(GraphicsContext& ctx, UIView& view);
};

}  // namespace platform
