#include "platform/graphics/Blur.h"

#include <algorithm>
#include <array>
#include <cmath>
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

// One box pass over n pixels of 4 interleaved channels, edges clamped.
void boxPass(const uint32_t* in, uint32_t* out, int n, int radius) {
    if (radius <= 0) {
        std::copy(in, in + 4 * n, out);
        return;
    }
    const uint64_t width = 2 * static_cast<uint64_t>(radius) + 1;
    const uint64_t inv = (uint64_t{1} << 32) / width;  // fixed-point reciprocal
    std::array<uint64_t, 4> sum{};
    for (int c = 0; c < 4; ++c) {
        sum[c] = static_cast<uint64_t>(radius + 1) * in[c];
        for (int k = 1; k <= radius; ++k) sum[c] += in[4 * std::min(k, n - 1) + c];
    }
    for (int i = 0; i < n; ++i) {
        for (int c = 0; c < 4; ++c) {
            out[4 * i + c] = static_cast<uint32_t>((sum[c] * inv + (uint64_t{1} << 31)) >> 32);
        }
        const int add = std::min(i + radius + 1, n - 1);
        const int sub = std::max(i - radius, 0);
        for (int c = 0; c < 4; ++c) sum[c] += in[4 * add + c] - uint64_t{in[4 * sub + c]};
    }
}

void blurLine(std::vector<uint32_t>& a, std::vector<uint32_t>& b, int n,
              const std::array<int, 3>& widths) {
    for (int w : widths) {
        boxPass(a.data(), b.data(), n, (w - 1) / 2);
        std::swap(a, b);
    }
}

// The horizontal passes keep 8 extra bits of precision for the vertical ones, so rounding
// does not favour one axis (a blurred point stays round) and gradients do not band.
constexpr int kFraction = 8;

void unpackScaled(uint32_t px, uint32_t* ch) {
    ch[0] = (px >> 24) << kFraction;
    ch[1] = ((px >> 16) & 0xff) << kFraction;
    ch[2] = ((px >> 8) & 0xff) << kFraction;
    ch[3] = (px & 0xff) << kFraction;
}

uint32_t packScaled(const uint32_t* ch) {
    auto down = [](uint32_t v) {
        return std::min<uint32_t>((v + (1u << (kFraction - 1))) >> kFraction, 255);
    };
    // Keep premultiplied colour within alpha after rounding.
    const uint32_t a = down(ch[0]);
    const uint32_t r = std::min(down(ch[1]), a), g = std::min(down(ch[2]), a),
                   b = std::min(down(ch[3]), a);
    return (a << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace

void gaussianBlurARGB32(uint32_t* pixels, int width, int height, int stride, double sigma) {
    if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) return;
    if (!(sigma >= 0.5)) return;
    sigma = std::min(sigma, 1000.0);
    const auto widths = boxWidths(sigma);
    const int longest = std::max(width, height);
    std::vector<uint32_t> a(4 * static_cast<size_t>(longest)), b(a.size());

    // Horizontal passes into a fixed-point buffer, then vertical passes back into the pixels.
    std::vector<uint16_t> mid(static_cast<size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + static_cast<size_t>(y) * stride;
        for (int x = 0; x < width; ++x) unpackScaled(row[x], &a[4 * x]);
        blurLine(a, b, width, widths);
        uint16_t* out = &mid[static_cast<size_t>(y) * width * 4];
        for (int i = 0; i < 4 * width; ++i)
            out[i] = static_cast<uint16_t>(std::min<uint32_t>(a[i], 0xffff));
    }
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            const uint16_t* in = &mid[(static_cast<size_t>(y) * width + x) * 4];
            std::copy(in, in + 4, &a[4 * y]);
        }
        blurLine(a, b, height, widths);
        for (int y = 0; y < height; ++y) {
            pixels[static_cast<size_t>(y) * stride + x] = packScaled(&a[4 * y]);
        }
    }
}

}  // namespace platform
