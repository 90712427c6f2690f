#include "platform/media/JpegBlockEdit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

namespace platform {

namespace {

// The cosine basis of the 8x8 forward DCT, scaled as JPEG defines it.
const std::array<std::array<float, 8>, 8>& dctBasis() {
    static const auto basis = [] {
        std::array<std::array<float, 8>, 8> b{};
        for (int u = 0; u < 8; ++u) {
            const double c = u == 0 ? std::sqrt(0.5) : 1.0;
            for (int x = 0; x < 8; ++x)
                b[u][x] =
                    static_cast<float>(0.5 * c * std::cos((2 * x + 1) * u * std::numbers::pi / 16));
        }
        return b;
    }();
    return basis;
}

// Forward DCT of level-shifted samples, quantised with the table (natural order).
void quantiseBlock(const float (&samples)[8][8], const std::uint16_t* quant, std::int16_t* out) {
    const auto& b = dctBasis();
    float rows[8][8];
    for (int y = 0; y < 8; ++y) {
        for (int u = 0; u < 8; ++u) {
            float s = 0;
            for (int x = 0; x < 8; ++x) s += b[u][x] * samples[y][x];
            rows[y][u] = s;
        }
    }
    for (int v = 0; v < 8; ++v) {
        for (int u = 0; u < 8; ++u) {
            float s = 0;
            for (int y = 0; y < 8; ++y) s += b[v][y] * rows[y][u];
            const int q = std::max<int>(1, quant[v * 8 + u]);
            out[v * 8 + u] =
                static_cast<std::int16_t>(std::clamp(std::lround(s / q), -32767L, 32767L));
        }
    }
}

// JFIF colour conversion of one BGRX pixel to component c (0 Y, 1 Cb, 2 Cr), level-shifted.
float componentValue(const std::uint8_t* p, int c) {
    const float b = p[0], g = p[1], r = p[2];
    switch (c) {
        case 0:
            return 0.299f * r + 0.587f * g + 0.114f * b - 128.0f;
        case 1:
            return -0.168736f * r - 0.331264f * g + 0.5f * b;
        default:
            return 0.5f * r - 0.418688f * g - 0.081312f * b;
    }
}

std::uint8_t clampByte(float v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

// Inverse DCT of one dequantised block into level-shifted samples (not clamped, so that an
// untouched block transforms back to its own coefficients).
void inverseBlock(const std::int16_t* coef, const std::uint16_t* quant, float (&out)[8][8]) {
    const auto& b = dctBasis();
    float f[8][8];
    for (int k = 0; k < 64; ++k) f[k / 8][k % 8] = static_cast<float>(coef[k]) * quant[k];
    float cols[8][8];  // [y][u]
    for (int y = 0; y < 8; ++y) {
        for (int u = 0; u < 8; ++u) {
            float s = 0;
            for (int v = 0; v < 8; ++v) s += b[v][y] * f[v][u];
            cols[y][u] = s;
        }
    }
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            float s = 0;
            for (int u = 0; u < 8; ++u) s += b[u][x] * cols[y][u];
            out[y][x] = s;
        }
    }
}

// One component's samples over the edited area, in whole blocks.
struct Plane {
    int fx = 1, fy = 1;    // picture pixels per sample
    int bx0 = 0, by0 = 0;  // first block
    int blocksW = 0, blocksH = 0;
    std::vector<float> samples;  // level-shifted, blocksW*8 per row
    float& at(int sx, int sy) { return samples[static_cast<std::size_t>(sy) * blocksW * 8 + sx]; }
};

}  // namespace

bool editBlocks(const BlockPlanes& picture, int x0, int y0, int x1, int y1,
                const RegionPainter& paint) {
    const int width = picture.width, height = picture.height;
    const int areaW = std::min(x1, width) - x0, areaH = std::min(y1, height) - y0;
    if (areaW <= 0 || areaH <= 0) return false;
    const int components = static_cast<int>(picture.planes.size());
    std::vector<Plane> planes(picture.planes.size());
    for (int c = 0; c < components; ++c) {
        const BlockPlanes::Plane& comp = picture.planes[c];
        Plane& p = planes[c];
        p.fx = picture.maxH / comp.h;
        p.fy = picture.maxV / comp.v;
        p.bx0 = x0 / (8 * p.fx);
        p.by0 = y0 / (8 * p.fy);
        p.blocksW = std::min<int>((x1 + 8 * p.fx - 1) / (8 * p.fx), comp.widthInBlocks) - p.bx0;
        p.blocksH = std::min<int>((y1 + 8 * p.fy - 1) / (8 * p.fy), comp.heightInBlocks) - p.by0;
        if (p.blocksW <= 0 || p.blocksH <= 0 || !comp.quant) return false;
        p.samples.assign(static_cast<std::size_t>(p.blocksW) * p.blocksH * 64, 0.0f);
        for (int by = 0; by < p.blocksH; ++by) {
            for (int bx = 0; bx < p.blocksW; ++bx) {
                float block[8][8];
                inverseBlock(picture.block(c, p.bx0 + bx, p.by0 + by), comp.quant, block);
                for (int j = 0; j < 8; ++j)
                    for (int i = 0; i < 8; ++i) p.at(bx * 8 + i, by * 8 + j) = block[j][i];
            }
        }
    }

    // The area's pixels, and a copy to find what the painter changed.
    DecodedImage area;
    area.width = areaW;
    area.height = areaH;
    area.stride = areaW * 4;
    area.pixels = std::make_unique<std::uint8_t[]>(area.byteSize());
    const bool grey = components == 1;
    for (int y = 0; y < areaH; ++y) {
        for (int x = 0; x < areaW; ++x) {
            auto sample = [&](int c) {
                Plane& p = planes[c];
                return p.at((x0 + x) / p.fx - p.bx0 * 8, (y0 + y) / p.fy - p.by0 * 8);
            };
            std::uint8_t* px =
                area.pixels.get() + static_cast<std::size_t>(y) * area.stride + x * 4;
            const float luma = sample(0) + 128.0f;
            if (grey) {
                px[0] = px[1] = px[2] = clampByte(luma);
            } else {
                const float cb = sample(1), cr = sample(2);
                px[2] = clampByte(luma + 1.402f * cr);
                px[1] = clampByte(luma - 0.344136f * cb - 0.714136f * cr);
                px[0] = clampByte(luma + 1.772f * cb);
            }
            px[3] = 255;
        }
    }
    const std::vector<std::uint8_t> before(area.pixels.get(), area.pixels.get() + area.byteSize());
    if (!paint(area.pixels.get(), areaW, areaH, area.stride, x0, y0)) return false;

    auto changedPixel = [&](int x, int y) {  // picture coordinates inside the area
        const std::size_t at = static_cast<std::size_t>(y - y0) * area.stride + (x - x0) * 4;
        return std::memcmp(&before[at], area.pixels.get() + at, 3) != 0;
    };
    for (int c = 0; c < components; ++c) {
        const BlockPlanes::Plane& comp = picture.planes[c];
        Plane& p = planes[c];
        for (int by = 0; by < p.blocksH; ++by) {
            for (int bx = 0; bx < p.blocksW; ++bx) {
                bool blockChanged = false;
                for (int j = 0; j < 8; ++j) {
                    for (int i = 0; i < 8; ++i) {
                        const int sx = (p.bx0 + bx) * 8 + i, sy = (p.by0 + by) * 8 + j;
                        const int px0 = sx * p.fx, py0 = sy * p.fy;
                        if (px0 >= x0 + areaW || py0 >= y0 + areaH) continue;  // padding
                        bool changed = false;
                        float sum = 0;
                        int n = 0;
                        for (int dy = 0; dy < p.fy; ++dy) {
                            for (int dx = 0; dx < p.fx; ++dx) {
                                const int x = std::min(px0 + dx, x0 + areaW - 1);
                                const int y = std::min(py0 + dy, y0 + areaH - 1);
                                changed = changed || changedPixel(x, y);
                                sum += componentValue(
                                    area.pixels.get() +
                                        static_cast<std::size_t>(y - y0) * area.stride +
                                        (x - x0) * 4,
                                    grey ? 0 : c);
                                ++n;
                            }
                        }
                        if (!changed) continue;
                        p.at(bx * 8 + i, by * 8 + j) = sum / static_cast<float>(n);
                        blockChanged = true;
                    }
                }
                if (!blockChanged) continue;
                float block[8][8];
                for (int j = 0; j < 8; ++j)
                    for (int i = 0; i < 8; ++i) block[j][i] = p.at(bx * 8 + i, by * 8 + j);
                quantiseBlock(block, comp.quant, picture.block(c, p.bx0 + bx, p.by0 + by));
            }
        }
    }
    return true;
}

}  // namespace platform
