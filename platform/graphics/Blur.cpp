#include "platform/graphics/Blur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// Box widths whose three passes approximate a Gaussian of the given sigma (odd widths, so each
// box is centred and the result stays symmetric).
std::array<int, 3> boxWidths(double sigma) {
    constexpr int n = 3;
    const double wIdeal = std::sqrt(12.0 * sigma * sigma / n + 1.0);
    int wl = static_cast<int>(std::floor(wIdeal));
    if (wl % 2 == 0) --wl;
    const int wu = wl + 2;
    const double mIdeal =
        (12.0 * sigma * sigma - n * wl * wl - 4.0 * n * wl - 3.0 * n) / (-4.0 * wl - 4.0);
    const int m = static_cast<int>(std::lround(mIdeal));
    std::array<int, 3> widths{};
    for (int i = 0; i < n; ++i) widths[i] = i < m ? wl : wu;
    return widths;
}

// Channels are kept with 8 extra fraction bits between passes, so rounding does not favour
// one axis (a blurred point stays round) and gradients do not band.
constexpr int kFraction = 8;
using Channel = uint16_t;

// Sums stay below 2^31 (65280 times a box at most a few thousand wide); a float reciprocal
// is exact to far below one fraction step.

// Transposes a height x width block of C-channel pixels in cache-sized tiles. Rows of the
// source hold inStride pixels, rows of the result outStride pixels.
template <int C>
void transpose(const Channel* in, size_t inStride, Channel* out, size_t outStride, int width,
               int height) {
    constexpr int kTile = 32;
    for (int y0 = 0; y0 < height; y0 += kTile) {
        for (int x0 = 0; x0 < width; x0 += kTile) {
            const int y1 = std::min(y0 + kTile, height), x1 = std::min(x0 + kTile, width);
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    std::memcpy(out + C * (static_cast<size_t>(x) * outStride + y),
                                in + C * (static_cast<size_t>(y) * inStride + x),
                                C * sizeof(Channel));
                }
            }
        }
    }
}

// One step of a column pass over a whole row: emit the current sums, then slide the window.
// Rows are padded to whole blocks of kLanes channels; the fixed-size inner loop and the
// restrict pointers let the compiler use vector instructions.
constexpr size_t kLanes = 16;

void slideRow(const Channel* __restrict add, const Channel* __restrict sub, Channel* __restrict out,
              int32_t* __restrict sums, size_t row, float inv) {
    for (size_t c0 = 0; c0 < row; c0 += kLanes) {
        for (size_t k = 0; k < kLanes; ++k) {
            const size_t c = c0 + k;
            out[c] = static_cast<Channel>(static_cast<float>(sums[c]) * inv + 0.5f);
            sums[c] += static_cast<int32_t>(add[c]) - static_cast<int32_t>(sub[c]);
        }
    }
}

// One box pass down every column at once, walking rows in memory order. row: channels per
// row, a multiple of kLanes.
void boxColumns(const Channel* in, Channel* out, size_t row, int height, int radius,
                std::vector<int32_t>& sums) {
    const float inv = 1.0f / static_cast<float>(2 * radius + 1);
    auto at = [&](int y) { return in + static_cast<size_t>(y) * row; };
    for (size_t c = 0; c < row; ++c) sums[c] = (radius + 1) * in[c];
    for (int k = 1; k <= radius; ++k) {
        const Channel* r = at(std::min(k, height - 1));
        for (size_t c = 0; c < row; ++c) sums[c] += r[c];
    }
    for (int y = 0; y < height; ++y) {
        slideRow(at(std::min(y + radius + 1, height - 1)), at(std::max(y - radius, 0)),
                 out + static_cast<size_t>(y) * row, sums.data(), row, inv);
    }
}

// The blur of a block of C-channel pixels already loaded (fixed point) into a, rows of rowPx
// pixels; the result is left in a with the same layout.
template <int C>
void blurLoaded(std::vector<Channel>& a, std::vector<Channel>& b, int width, int height,
                size_t rowPx, size_t colPx, const std::array<int, 3>& widths) {
    // Vertical passes, then the same passes on the transposed block for the horizontal ones:
    // both run down columns, which walks memory in order and vectorises.
    std::vector<int32_t> sums(std::max(rowPx, colPx) * C);
    for (int w : widths) {
        boxColumns(a.data(), b.data(), rowPx * C, height, (w - 1) / 2, sums);
        std::swap(a, b);
    }
    transpose<C>(a.data(), rowPx, b.data(), colPx, width, height);
    std::swap(a, b);
    for (int w : widths) {
        boxColumns(a.data(), b.data(), colPx * C, width, (w - 1) / 2, sums);
        std::swap(a, b);
    }
    transpose<C>(a.data(), colPx, b.data(), rowPx, height, width);
    std::swap(a, b);
}

// Pixels per row of C channels, padded so every row is whole blocks of vector lanes.
template <int C>
size_t paddedPixels(int n) {
    return (static_cast<size_t>(n) * C + kLanes - 1) / kLanes * kLanes / C;
}

Channel toFixed(uint32_t v) {
    return static_cast<Channel>(v << kFraction);
}

uint32_t fromFixed(Channel v) {
    return std::min<uint32_t>((v + (1u << (kFraction - 1))) >> kFraction, 255);
}

}  // namespace

void gaussianBlurARGB32(uint32_t* pixels, int width, int height, int stride, double sigma) {
    if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) return;
    if (!(sigma >= 0.5)) return;
    const auto widths = boxWidths(std::min(sigma, 1000.0));
    const size_t rowPx = paddedPixels<4>(width), colPx = paddedPixels<4>(height);
    std::vector<Channel> a(std::max(rowPx * height, colPx * width) * 4), b(a.size());
    for (int y = 0; y < height; ++y) {
        const uint32_t* src = pixels + static_cast<size_t>(y) * stride;
        Channel* dst = &a[y * rowPx * 4];
        for (int x = 0; x < width; ++x) {
            const uint32_t p = src[x];
            dst[4 * x] = toFixed(p >> 24);
            dst[4 * x + 1] = toFixed((p >> 16) & 0xff);
            dst[4 * x + 2] = toFixed((p >> 8) & 0xff);
            dst[4 * x + 3] = toFixed(p & 0xff);
        }
    }
    blurLoaded<4>(a, b, width, height, rowPx, colPx, widths);
    for (int y = 0; y < height; ++y) {
        uint32_t* dst = pixels + static_cast<size_t>(y) * stride;
        const Channel* src = &a[y * rowPx * 4];
        for (int x = 0; x < width; ++x) {
            // Keep premultiplied colour within alpha after rounding.
            const uint32_t al = fromFixed(src[4 * x]);
            const uint32_t r = std::min(fromFixed(src[4 * x + 1]), al);
            const uint32_t g = std::min(fromFixed(src[4 * x + 2]), al);
            const uint32_t bl = std::min(fromFixed(src[4 * x + 3]), al);
            dst[x] = (al << 24) | (r << 16) | (g << 8) | bl;
        }
    }
}

void gaussianBlurA8(uint8_t* pixels, int width, int height, int stride, double sigma) {
    if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) return;
    if (!(sigma >= 0.5)) return;
    const auto widths = boxWidths(std::min(sigma, 1000.0));
    const size_t rowPx = paddedPixels<1>(width), colPx = paddedPixels<1>(height);
    std::vector<Channel> a(std::max(rowPx * height, colPx * width)), b(a.size());
    for (int y = 0; y < height; ++y) {
        const uint8_t* src = pixels + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) a[y * rowPx + x] = toFixed(src[x]);
    }
    blurLoaded<1>(a, b, width, height, rowPx, colPx, widths);
    for (int y = 0; y < height; ++y) {
        uint8_t* dst = pixels + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) dst[x] = static_cast<uint8_t>(fromFixed(a[y * rowPx + x]));
    }
}

}  // namespace platform
