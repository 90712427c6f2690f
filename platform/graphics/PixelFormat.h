#pragma once
// Conversions between straight RGBA and cairo's premultiplied ARGB32 words (internal).

#include <cstdint>

#include "platform/graphics/Color.h"

namespace platform::pixel {

inline uint32_t premultiply(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    auto mul = [a](uint8_t c) { return static_cast<uint32_t>((c * a + 127) / 255); };
    return (uint32_t{a} << 24) | (mul(r) << 16) | (mul(g) << 8) | mul(b);
}

// Straight 8-bit components of a premultiplied word, in r, g, b, a order.
inline void unpremultiply(uint32_t px, uint8_t out[4]) {
    const uint32_t a = px >> 24;
    out[3] = static_cast<uint8_t>(a);
    if (a == 0) {
        out[0] = out[1] = out[2] = 0;
        return;
    }
    auto div = [a](uint32_t c) {
        const uint32_t v = (c * 255 + a / 2) / a;
        return static_cast<uint8_t>(v > 255 ? 255 : v);
    };
    out[0] = div((px >> 16) & 0xff);
    out[1] = div((px >> 8) & 0xff);
    out[2] = div(px & 0xff);
}

inline Color toColor(uint32_t px) {
    uint8_t c[4];
    unpremultiply(px, c);
    return {c[0] / 255.0, c[1] / 255.0, c[2] / 255.0, c[3] / 255.0};
}

}  // namespace platform::pixel
