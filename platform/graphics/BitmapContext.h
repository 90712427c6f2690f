#pragma once
// A drawing context over its own ARGB32 bitmap (UIGraphicsBeginImageContextWithOptions /
// CGBitmapContextCreate). The bitmap starts fully transparent; user space is in points, scaled
// by `scale` to pixels, origin at the top left.

#include <string>

#include "platform/graphics/GraphicsContext.h"

namespace platform {

class BitmapContext : public GraphicsContext {
public:
    // widthPixels x heightPixels pixels; scale is pixels per point (a non-positive or NaN scale
    // counts as 1). A zero, negative or oversized dimension gives an invalid context.
    BitmapContext(int widthPixels, int heightPixels, double scale = 1);
    ~BitmapContext() override;

    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }
    double scale() const { return baseScale(); }
    using GraphicsContext::scale;  // scale(sx, sy) still transforms
    // The size in points.
    CGSize size() const { return {width_ / baseScale(), height_ / baseScale()}; }

    // Straight colour of one pixel (clear outside the bitmap or for an invalid context).
    Color pixel(int x, int y) const;
    // Premultiplied ARGB32 word of one pixel (0 outside).
    uint32_t argb32(int x, int y) const;
    // Writes the bitmap as PNG; false when it cannot be written.
    bool writePng(const std::string& path) const;
    // Makes every pixel transparent and resets the graphics state stack.
    void clearAll();

private:
    int width_;
    int height_;
};

}  // namespace platform
