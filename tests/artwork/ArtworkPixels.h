#pragma once
// Pixel statistics of drawn artwork.

#include <algorithm>
#include <cmath>

#include "platform/graphics/BitmapContext.h"

namespace arttest {

struct Ink {
    int pixels = 0;       // pixels with any ink
    double maxAlpha = 0;  // strongest pixel
    platform::Color strongest;
};

inline Ink ink(const platform::BitmapContext& ctx) {
    Ink r;
    for (int y = 0; y < ctx.pixelHeight(); ++y) {
        for (int x = 0; x < ctx.pixelWidth(); ++x) {
            const platform::Color c = ctx.pixel(x, y);
            if (c.a <= 0) continue;
            ++r.pixels;
            if (c.a > r.maxAlpha) {
                r.maxAlpha = c.a;
                r.strongest = c;
            }
        }
    }
    return r;
}

// Whether every pixel is the same in both (for "draws differently" checks).
inline bool samePixels(const platform::BitmapContext& a, const platform::BitmapContext& b) {
    for (int y = 0; y < a.pixelHeight(); ++y) {
        for (int x = 0; x < a.pixelWidth(); ++x) {
            if (a.argb32(x, y) != b.argb32(x, y)) return false;
        }
    }
    return true;
}

inline bool near(double a, double b, double eps = 0.02) {
    return std::fabs(a - b) <= eps;
}

}  // namespace arttest
