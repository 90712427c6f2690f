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

#include "platform/media/JpegBlockEdit.h"
#include "platform/media/JpegCodedTransform.h"
#include "platform/media/JpegCoefficientRewrite.h"

namespace platform {

namespace {

// libjpeg's coefficient arrays as the block editor sees them.
BlockPlanes planesOf(j_decompress_ptr src, jvirt_barray_ptr* coefs) {
    BlockPlanes planes;
    planes.width = static_cast<int>(src->image_width);
    planes.height = static_cast<int>(src->image_height);
    planes.maxH = src->max_h_samp_factor;
    planes.maxV = src->max_v_samp_factor;
    for (int c = 0; c < src->num_components; ++c) {
        const jpeg_component_info& comp = src->comp_info[c];
        planes.planes.push_back({comp.h_samp_factor, comp.v_samp_factor,
                                 static_cast<int>(comp.width_in_blocks),
                                 static_cast<int>(comp.height_in_blocks),
                                 comp.quant_table ? comp.quant_table->quantval : nullptr});
    }
    // Only rows the arrays hold are asked for, so libjpeg raises no error here.
    planes.block = [src, coefs](int c, int bx, int by) {
        JBLOCKARRAY row = (*src->mem->access_virt_barray)(
            reinterpret_cast<j_common_ptr>(src), coefs[c], static_cast<JDIMENSION>(by), 1, TRUE);
        return row[0][bx];
    };
    return planes;
}

}  // namespace

std::optional<Bytes> editJpegRegion(ByteSpan jpeg, PixelRect region, const RegionPainter& paint,
                                    const JpegLimits& limits) {
    if (auto edited = baseline::editRegionCoded(jpeg, region, paint, limits)) return edited;
    return editJpegRegionByCoefficients(jpeg, region, paint, limits);
}

std::optional<Bytes> editJpegRegionByCoefficients(ByteSpan jpeg, PixelRect region,
                                                  const RegionPainter& paint,
                                                  const JpegLimits& limits) {
    auto header = readJpegHeader(jpeg, limits);
    if (!header || !paint || header->subsampling == JpegSubsampling::Unknown || header->cmyk)
        return std::nullopt;
    const int width = header->width, height = header->height;
    const int rx = std::max(region.x, 0), ry = std::max(region.y, 0);
    const int rx1 = std::min(region.x + region.width, width);
    const int ry1 = std::min(region.y + region.height, height);
    if (rx1 <= rx || ry1 <= ry) return std::nullopt;

    return libjpeg::rewriteCoefficients(
        jpeg, *header, [&](j_decompress_ptr src, jvirt_barray_ptr* coefs) {
            const bool ycc = src->jpeg_color_space == JCS_YCbCr && src->num_components == 3;
            const bool grey = src->jpeg_color_space == JCS_GRAYSCALE && src->num_components == 1;
            if (!ycc && !grey) return false;
            // The region in whole MCUs.
            const int mcuW = src->max_h_samp_factor * DCTSIZE,
                      mcuH = src->max_v_samp_factor * DCTSIZE;
            const int x0 = rx / mcuW * mcuW, y0 = ry / mcuH * mcuH;
            const int x1 = (rx1 + mcuW - 1) / mcuW * mcuW, y1 = (ry1 + mcuH - 1) / mcuH * mcuH;
            return editBlocks(planesOf(src, coefs), x0, y0, x1, y1, paint);
        });
}

}  // namespace platform
