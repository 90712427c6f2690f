#pragma once
// Small helpers for pixel tests on bitmap contexts.

#include <cmath>

#include "platform/graphics/BitmapContext.h"

namespace gfxtest {

inline bool near(double a, double b, double eps = 0.02) {
    return std::fabs(a - b) <= eps;
}

inline bool colourIs(const platform::Color& c, const platform::Color& want, double eps = 0.02) {
    return near(c.r, want.r, eps) && near(c.g, want.g, eps) && near(c.b, want.b, eps) &&
           near(c.a, want.a, eps);
}

inline int countOpaque(const platform::BitmapContext& ctx, double minAlpha = 0.5) {
    int n = 0;
    for (int y = 0; y < ctx.pixelHeight(); ++y) {
        for (int x = 0; x < ctx.pixelWidth(); ++x) n += ctx.pixel(x, y).a >= minAlpha ? 1 : 0;
    }
    return n;
}

inline int countTransparent(const platform::BitmapContext& ctx, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) n += ctx.pixel(x, y).a < 0.1 ? 1 : 0;
    }
    return n;
}

}  // namespace gfxtest
