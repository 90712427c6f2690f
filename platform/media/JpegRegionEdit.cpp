#include "platform/media/JpegRegionEdit.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

#include "platform/media/JpegVectorDestination.h"
#include "platform/media/LibjpegErrors.h"

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
void quantiseBlock(const float (&samples)[8][8], const JQUANT_TBL* table, JCOEF* out) {
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
            const int q = std::max<int>(1, table->quantval[v * 8 + u]);
            out[v * 8 + u] = static_cast<JCOEF>(std::clamp(std::lround(s / q), -32767L, 32767L));
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
void inverseBlock(const JCOEF* coef, const JQUANT_TBL* table, float (&out)[8][8]) {
    const auto& b = dctBasis();
    float f[8][8];
    for (int k = 0; k < 64; ++k) f[k / 8][k % 8] = static_cast<float>(coef[k]) * table->quantval[k];
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

// Works on the coefficients of the MCU-aligned area [x0,x1) x [y0,y1): decodes it (box
// upsampling: each chroma sample covers its pixels, so unpainted pixels give back exactly
// the samples they came from), lets the painter draw, and re-quantises the blocks holding a
// sample whose pixels changed. Only valid rows are requested from the coefficient arrays, so
// libjpeg raises no error here.
bool editArea(j_decompress_ptr src, jvirt_barray_ptr* coefs, int x0, int y0, int x1, int y1,
              const RegionPainter& paint) {
    const int width = static_cast<int>(src->image_width);
    const int height = static_cast<int>(src->image_height);
    const int areaW = std::min(x1, width) - x0, areaH = std::min(y1, height) - y0;
    if (areaW <= 0 || areaH <= 0) return false;
    std::vector<Plane> planes(static_cast<std::size_t>(src->num_components));
    for (int c = 0; c < src->num_components; ++c) {
        const jpeg_component_info& comp = src->comp_info[c];
        Plane& p = planes[c];
        p.fx = src->max_h_samp_factor / comp.h_samp_factor;
        p.fy = src->max_v_samp_factor / comp.v_samp_factor;
        p.bx0 = x0 / (8 * p.fx);
        p.by0 = y0 / (8 * p.fy);
        p.blocksW = std::min<int>((x1 + 8 * p.fx - 1) / (8 * p.fx), comp.width_in_blocks) - p.bx0;
        p.blocksH = std::min<int>((y1 + 8 * p.fy - 1) / (8 * p.fy), comp.height_in_blocks) - p.by0;
        if (p.blocksW <= 0 || p.blocksH <= 0 || !comp.quant_table) return false;
        p.samples.assign(static_cast<std::size_t>(p.blocksW) * p.blocksH * 64, 0.0f);
        for (int by = 0; by < p.blocksH; ++by) {
            JBLOCKARRAY row =
                (*src->mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(src), coefs[c],
                                                static_cast<JDIMENSION>(p.by0 + by), 1, FALSE);
            for (int bx = 0; bx < p.blocksW; ++bx) {
                float block[8][8];
                inverseBlock(row[0][p.bx0 + bx], comp.quant_table, block);
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
    const bool grey = src->num_components == 1;
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
    for (int c = 0; c < src->num_components; ++c) {
        const jpeg_component_info& comp = src->comp_info[c];
        Plane& p = planes[c];
        for (int by = 0; by < p.blocksH; ++by) {
            JBLOCKARRAY row = nullptr;
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
                if (!row) {
                    row = (*src->mem->access_virt_barray)(
                        reinterpret_cast<j_common_ptr>(src), coefs[c],
                        static_cast<JDIMENSION>(p.by0 + by), 1, TRUE);
                }
                float block[8][8];
                for (int j = 0; j < 8; ++j)
                    for (int i = 0; i < 8; ++i) block[j][i] = p.at(bx * 8 + i, by * 8 + j);
                quantiseBlock(block, comp.quant_table, row[0][p.bx0 + bx]);
            }
        }
    }
    return true;
}

}  // namespace

std::optional<Bytes> editJpegRegion(ByteSpan jpeg, PixelRect region, const RegionPainter& paint,
                                    const JpegLimits& limits) {
    auto header = readJpegHeader(jpeg, limits);
    if (!header || !paint || header->subsampling == JpegSubsampling::Unknown || header->cmyk)
        return std::nullopt;
    const int width = header->width, height = header->height;
    const int rx = std::max(region.x, 0), ry = std::max(region.y, 0);
    const int rx1 = std::min(region.x + region.width, width);
    const int ry1 = std::min(region.y + region.height, height);
    if (rx1 <= rx || ry1 <= ry) return std::nullopt;

    const std::vector<ByteSpan> metadata = metadataSegments(jpeg);
    jpeg_decompress_struct src{};
    jpeg_compress_struct dst{};
    libjpeg::ErrorManager errors{};
    jpeg_progress_mgr progress{};
    // Room for the whole file up front: the edit changes its size very little, and growing
    // the buffer by doubling would copy it.
    Bytes out;
    libjpeg::VectorDestination dest(out, jpeg.size() + 65536);
    volatile bool srcMade = false, dstMade = false, done = false;

    // One error manager for both sides (as jpegtran does): any error jumps back here. The C++
    // helpers called below make no libjpeg call that can fail, so no jump crosses them.
    src.err = libjpeg::install(errors);
    dst.err = &errors.pub;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&src);
        srcMade = true;
        progress.progress_monitor = libjpeg::limitScans;
        src.progress = &progress;
        jpeg_mem_src(&src, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
        jpeg_read_header(&src, TRUE);
        const bool ycc = src.jpeg_color_space == JCS_YCbCr && src.num_components == 3;
        const bool grey = src.jpeg_color_space == JCS_GRAYSCALE && src.num_components == 1;
        if ((ycc || grey) && static_cast<int>(src.image_width) == width &&
            static_cast<int>(src.image_height) == height) {
            jvirt_barray_ptr* coefs = jpeg_read_coefficients(&src);
            // The region in whole MCUs.
            const int mcuW = src.max_h_samp_factor * DCTSIZE,
                      mcuH = src.max_v_samp_factor * DCTSIZE;
            const int x0 = rx / mcuW * mcuW, y0 = ry / mcuH * mcuH;
            const int x1 = (rx1 + mcuW - 1) / mcuW * mcuW, y1 = (ry1 + mcuH - 1) / mcuH * mcuH;
            if (editArea(&src, coefs, x0, y0, x1, y1, paint)) {
                jpeg_create_compress(&dst);
                dstMade = true;
                dest.attach(&dst);
                jpeg_copy_critical_parameters(&src, &dst);
                dst.write_JFIF_header = FALSE;  // the original's own segments follow
                dst.write_Adobe_marker = FALSE;
                jpeg_write_coefficients(&dst, coefs);
                for (ByteSpan s : metadata) {
                    jpeg_write_marker(&dst, s[1], s.data() + 4,
                                      static_cast<unsigned>(s.size() - 4));
                }
                jpeg_finish_compress(&dst);
                jpeg_finish_decompress(&src);
                done = true;
            }
        }
    }
    if (dstMade) jpeg_destroy_compress(&dst);
    if (srcMade) jpeg_destroy_decompress(&src);
    if (!done || out.empty()) return std::nullopt;
    return out;
}

}  // namespace platform
