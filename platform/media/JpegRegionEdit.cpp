#include "platform/media/JpegRegionEdit.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on
#include <turbojpeg.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numbers>
#include <vector>

#include "platform/media/JpegHandle.h"

namespace platform {

namespace {

constexpr int kMaxScans = 500;  // as TurboJPEG's scan limit: bounds work on hostile files

// libjpeg reports errors by calling error_exit, which must not return: jump back to the
// caller. Warnings (corrupt or truncated data) fail the edit too.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void emitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void outputMessage(j_common_ptr) {}

void limitScans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > kMaxScans) errorExit(cinfo);
}

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

// The decoded pixels around the region, and the picture coordinates they start at.
struct Area {
    DecodedImage pixels;
    int x = 0;
    int y = 0;
};

std::optional<Area> decodeArea(ByteSpan jpeg, int x, int y, int w, int h) {
    JpegHandle handle(JpegHandle::Kind::Transform);
    if (!handle) return std::nullopt;
    tjtransform crop{};
    crop.r = {x, y, w, h};
    crop.op = TJXOP_NONE;
    crop.options = TJXOPT_CROP | TJXOPT_COPYNONE;
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    const int rc = tjTransform(handle.get(), jpeg.data(), static_cast<unsigned long>(jpeg.size()),
                               1, &out, &outSize, &crop, TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS);
    std::unique_ptr<unsigned char, decltype(&tjFree)> owned(out, &tjFree);
    if (rc != 0 || !out) return std::nullopt;
    auto pixels = decodeJpeg(ByteSpan(out, outSize));
    if (!pixels || pixels->width != w || pixels->height != h) return std::nullopt;
    return Area{std::move(*pixels), x, y};
}

// Re-quantises every block of every component inside the MCU-aligned region [x0,x1)x[y0,y1)
// whose pixels differ between `before` (the region's pixels) and `after` (the painted area).
void writeChangedBlocks(j_decompress_ptr src, jvirt_barray_ptr* coefs, const Area& after,
                        const std::vector<std::uint8_t>& before, int x0, int y0, int x1, int y1) {
    const int width = static_cast<int>(src->image_width);
    const int height = static_cast<int>(src->image_height);
    const int regionW = x1 - x0;
    auto pixel = [&](int x, int y) {  // edge pixels repeat beyond the picture, as in the codec
        x = std::clamp(x, 0, width - 1) - after.x;
        y = std::clamp(y, 0, height - 1) - after.y;
        return after.pixels.pixels.get() + static_cast<std::size_t>(y) * after.pixels.stride +
               x * 4;
    };
    auto changed = [&](int bx0, int by0, int bx1, int by1) {
        bx1 = std::min(bx1, std::min(x1, width));
        by1 = std::min(by1, std::min(y1, height));
        for (int y = by0; y < by1; ++y) {
            const std::uint8_t* was =
                before.data() + (static_cast<std::size_t>(y - y0) * regionW + (bx0 - x0)) * 4;
            if (bx1 > bx0 &&
                std::memcmp(was, pixel(bx0, y), static_cast<std::size_t>(bx1 - bx0) * 4) != 0)
                return true;
        }
        return false;
    };

    for (int c = 0; c < src->num_components; ++c) {
        const jpeg_component_info& comp = src->comp_info[c];
        const int fx = src->max_h_samp_factor / comp.h_samp_factor;
        const int fy = src->max_v_samp_factor / comp.v_samp_factor;
        const int blockW = 8 * fx, blockH = 8 * fy;
        const int bx0 = x0 / blockW, by0 = y0 / blockH;
        const int bx1 = std::min<int>((x1 + blockW - 1) / blockW, comp.width_in_blocks);
        const int by1 = std::min<int>((y1 + blockH - 1) / blockH, comp.height_in_blocks);
        for (int by = by0; by < by1; ++by) {
            JBLOCKARRAY row = (*src->mem->access_virt_barray)(reinterpret_cast<j_common_ptr>(src),
                                                              coefs[c], by, 1, TRUE);
            for (int bx = bx0; bx < bx1; ++bx) {
                const int px = bx * blockW, py = by * blockH;
                if (!changed(px, py, px + blockW, py + blockH)) continue;
                float samples[8][8];
                for (int j = 0; j < 8; ++j) {
                    for (int i = 0; i < 8; ++i) {
                        float sum = 0;
                        for (int dy = 0; dy < fy; ++dy)
                            for (int dx = 0; dx < fx; ++dx)
                                sum += componentValue(pixel(px + i * fx + dx, py + j * fy + dy), c);
                        samples[j][i] = sum / static_cast<float>(fx * fy);
                    }
                }
                quantiseBlock(samples, comp.quant_table, row[0][bx]);
            }
        }
    }
}

struct Output {
    unsigned char* data = nullptr;
    unsigned long size = 0;
    ~Output() { std::free(data); }
};

}  // namespace

std::optional<Bytes> editJpegRegion(ByteSpan jpeg, PixelRect region, const RegionPainter& paint,
                                    const JpegLimits& limits) {
    auto header = readJpegHeader(jpeg, limits);
    if (!header || !paint || header->subsampling == JpegSubsampling::Unknown || header->cmyk)
        return std::nullopt;
    const int width = header->width, height = header->height;
    const int mcuW = header->mcuWidth, mcuH = header->mcuHeight;
    const int rx = std::max(region.x, 0), ry = std::max(region.y, 0);
    const int rx1 = std::min(region.x + region.width, width);
    const int ry1 = std::min(region.y + region.height, height);
    if (rx1 <= rx || ry1 <= ry) return std::nullopt;
    // The region in whole MCUs, and the decoded area one MCU larger on each side.
    const int x0 = rx / mcuW * mcuW, y0 = ry / mcuH * mcuH;
    const int x1 = std::min((rx1 + mcuW - 1) / mcuW * mcuW, width);
    const int y1 = std::min((ry1 + mcuH - 1) / mcuH * mcuH, height);
    const int ax = std::max(x0 - mcuW, 0), ay = std::max(y0 - mcuH, 0);
    const int ax1 = std::min(x1 + mcuW, width), ay1 = std::min(y1 + mcuH, height);
    auto area = decodeArea(jpeg, ax, ay, ax1 - ax, ay1 - ay);
    if (!area) return std::nullopt;

    std::vector<std::uint8_t> before(static_cast<std::size_t>(x1 - x0) * (y1 - y0) * 4);
    for (int y = y0; y < y1; ++y) {
        std::memcpy(before.data() + static_cast<std::size_t>(y - y0) * (x1 - x0) * 4,
                    area->pixels.pixels.get() +
                        static_cast<std::size_t>(y - ay) * area->pixels.stride + (x0 - ax) * 4,
                    static_cast<std::size_t>(x1 - x0) * 4);
    }
    if (!paint(area->pixels.pixels.get(), area->pixels.width, area->pixels.height,
               area->pixels.stride, ax, ay)) {
        return std::nullopt;
    }

    const std::vector<ByteSpan> metadata = metadataSegments(jpeg);
    jpeg_decompress_struct src{};
    jpeg_compress_struct dst{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    Output out;
    volatile bool srcMade = false, dstMade = false;
    std::optional<Bytes> result;

    // One error manager for both sides (as jpegtran does): any error jumps back here.
    src.err = jpeg_std_error(&errors.pub);
    dst.err = &errors.pub;
    errors.pub.error_exit = errorExit;
    errors.pub.emit_message = emitMessage;
    errors.pub.output_message = outputMessage;
    // Only C calls and objects made above run between here and a jump back.
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&src);
        srcMade = true;
        progress.progress_monitor = limitScans;
        src.progress = &progress;
        jpeg_mem_src(&src, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
        jpeg_read_header(&src, TRUE);
        const bool ycc = src.jpeg_color_space == JCS_YCbCr && src.num_components == 3;
        const bool grey = src.jpeg_color_space == JCS_GRAYSCALE && src.num_components == 1;
        if ((ycc || grey) && static_cast<int>(src.image_width) == width &&
            static_cast<int>(src.image_height) == height) {
            jvirt_barray_ptr* coefs = jpeg_read_coefficients(&src);
            writeChangedBlocks(&src, coefs, *area, before, x0, y0, x1, y1);

            jpeg_create_compress(&dst);
            dstMade = true;
            jpeg_mem_dest(&dst, &out.data, &out.size);
            jpeg_copy_critical_parameters(&src, &dst);
            dst.write_JFIF_header = FALSE;  // the original's own segments follow
            dst.write_Adobe_marker = FALSE;
            jpeg_write_coefficients(&dst, coefs);
            for (ByteSpan s : metadata) {
                jpeg_write_marker(&dst, s[1], s.data() + 4, static_cast<unsigned>(s.size() - 4));
            }
            jpeg_finish_compress(&dst);
            jpeg_finish_decompress(&src);
            if (out.data && out.size > 0) result.emplace(out.data, out.data + out.size);
        }
    }
    if (dstMade) jpeg_destroy_compress(&dst);
    if (srcMade) jpeg_destroy_decompress(&src);
    return result;
}

}  // namespace platform
