// The stored picture of a still: the scene rendered upright at a modest size, turned into the
// sensor's orientation at that size, then scaled up to the still size with one bilinear pass.
// Scaling is separable: each source row is scaled horizontally once, and an output row blends
// the two scaled rows around it, so an 8-megapixel still costs a few multiplications a pixel.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "host/Scene.h"

namespace host {
namespace {

// A destination position's two source neighbours and the second one's weight (0-255).
struct Tap {
    int i0 = 0;
    int i1 = 0;
    std::uint32_t w = 0;
};

// Pixel centres line up: destination centre d + 0.5 sits at source (d + 0.5) * src / dst.
std::vector<Tap> tapsFor(int src, int dst) {
    std::vector<Tap> taps(static_cast<std::size_t>(dst));
    const double ratio = static_cast<double>(src) / dst;
    for (int d = 0; d < dst; ++d) {
        const double c = std::clamp((d + 0.5) * ratio - 0.5, 0.0, src - 1.0);
        const int i0 = static_cast<int>(c);
        taps[static_cast<std::size_t>(d)] = {i0, std::min(i0 + 1, src - 1),
                                             static_cast<std::uint32_t>((c - i0) * 256)};
    }
    return taps;
}

// Blends two opaque ARGB32 words, two channels per multiplication; with w < 256 no channel can
// carry into the next (255 * 256 fits in 16 bits).
inline std::uint32_t lerp(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
    const std::uint32_t iw = 256 - w;
    const std::uint32_t rb = (((a & 0xFF00FFu) * iw + (b & 0xFF00FFu) * w) >> 8) & 0xFF00FFu;
    const std::uint32_t ag =
        (((a >> 8) & 0xFF00FFu) * iw + ((b >> 8) & 0xFF00FFu) * w) & 0xFF00FF00u;
    return rb | ag;
}

void scaleRow(const std::uint32_t* src, const std::vector<Tap>& taps, std::uint32_t* out) {
    for (std::size_t x = 0; x < taps.size(); ++x) {
        const Tap& t = taps[x];
        out[x] = t.w == 0 ? src[t.i0] : lerp(src[t.i0], src[t.i1], t.w);
    }
}

// `src` (sw x sh) scaled to dw x dh.
Picture upscale(Picture src, int dw, int dh) {
    if (src.width == dw && src.height == dh) return src;
    Picture out;
    out.width = dw;
    out.height = dh;
    out.pixels.resize(static_cast<std::size_t>(dw) * dh);
    const std::vector<Tap> columns = tapsFor(src.width, dw);
    const std::vector<Tap> rows = tapsFor(src.height, dh);
    // The horizontally scaled source rows the current output row lies between.
    std::vector<std::uint32_t> upper(static_cast<std::size_t>(dw)), lower(upper.size());
    int upperRow = -1, lowerRow = -1;
    auto sourceRow = [&](int y) {
        return src.pixels.data() + static_cast<std::size_t>(y) * src.width;
    };
    for (int y = 0; y < dh; ++y) {
        const Tap& t = rows[static_cast<std::size_t>(y)];
        if (upperRow != t.i0) {
            if (lowerRow == t.i0) {
                std::swap(upper, lower);
                std::swap(upperRow, lowerRow);
            } else {
                scaleRow(sourceRow(t.i0), columns, upper.data());
                upperRow = t.i0;
            }
        }
        if (lowerRow != t.i1) {
            scaleRow(sourceRow(t.i1), columns, lower.data());
            lowerRow = t.i1;
        }
        std::uint32_t* row = out.pixels.data() + static_cast<std::size_t>(y) * dw;
        if (t.w == 0) {
            std::copy(upper.begin(), upper.end(), row);
        } else {
            for (int x = 0; x < dw; ++x) row[x] = lerp(upper[x], lower[x], t.w);
        }
    }
    return out;
}

}  // namespace

Picture renderStored(const SceneShot& shot, int sw, int sh, int tag, int renderLongSide) {
    if (sw <= 0 || sh <= 0 || sw > 16384 || sh > 16384) return {};
    if (tag != 3 && tag != 6 && tag != 8) tag = 1;
    const bool sideways = tag == 6 || tag == 8;
    const int uw = sideways ? sh : sw;
    const int uh = sideways ? sw : sh;
    const double scale =
        std::min(1.0, std::max(16, renderLongSide) / static_cast<double>(std::max(uw, uh)));
    const int rw = std::max(1, static_cast<int>(std::lround(uw * scale)));
    const int rh = std::max(1, static_cast<int>(std::lround(uh * scale)));
    const Picture upright = renderUpright(shot, rw, rh);
    if (upright.pixels.empty()) return {};
    // Turned into the stored orientation at the rendered size.
    Picture turned;
    turned.width = sideways ? rh : rw;
    turned.height = sideways ? rw : rh;
    turned.pixels.resize(upright.pixels.size());
    for (int y = 0; y < turned.height; ++y) {
        std::uint32_t* row = turned.pixels.data() + static_cast<std::size_t>(y) * turned.width;
        for (int x = 0; x < turned.width; ++x) {
            const UprightPoint p =
                uprightForStored(tag, turned.width, turned.height, x + 0.5, y + 0.5);
            row[x] = upright.at(static_cast<int>(p.x), static_cast<int>(p.y));
        }
    }
    return upscale(std::move(turned), sw, sh);
}

}  // namespace host
