#pragma once
// Approximate Gaussian blur of a premultiplied ARGB32 pixel block by three successive box blurs
// per axis (box widths chosen for the requested standard deviation). Edges are clamped (the
// block's border pixels extend outwards), so a uniform block stays uniform.

#include <cstdint>

namespace platform {

// pixels: first pixel of the block; stride: words per row of the underlying buffer.
// sigma: standard deviation in pixels; values below 0.5 (or NaN) leave the block unchanged.
void gaussianBlurARGB32(uint32_t* pixels, int width, int height, int stride, double sigma);
// The same for one 8-bit channel (masks, shadows); stride in bytes.
void gaussianBlurA8(uint8_t* pixels, int width, int height, int stride, double sigma);

}  // namespace platform
