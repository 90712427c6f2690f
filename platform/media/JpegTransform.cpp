#include "platform/media/JpegTransform.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/media/JpegCodedTransform.h"
#include "platform/media/JpegCoefficientRewrite.h"

namespace platform {

namespace {

// Mirrors one component's blocks in place. A block row at a time is copied out, so it works
// whether or not the memory manager keeps the whole array in memory. In the DCT domain a mirror
// reverses the blocks and negates the odd frequencies along the mirrored axis.
void flipComponent(j_decompress_ptr src, jvirt_barray_ptr array, JDIMENSION widthInBlocks,
                   JDIMENSION heightInBlocks, JpegFlip flip) {
    auto* common = reinterpret_cast<j_common_ptr>(src);
    auto access = [&](JDIMENSION row) {
        return (*src->mem->access_virt_barray)(common, array, row, 1, TRUE)[0];
    };
    // +1 or -1 per coefficient: a multiply the compiler turns into a few vector operations.
    std::array<JCOEF, DCTSIZE2> sign{};
    for (int k = 0; k < DCTSIZE2; ++k) {
        const int frequency = flip == JpegFlip::Horizontal ? k % DCTSIZE : k / DCTSIZE;
        sign[k] = static_cast<JCOEF>(frequency % 2 ? -1 : 1);
    }
    auto mirrorBlock = [&sign](JCOEF* block) {
        for (int k = 0; k < DCTSIZE2; ++k) block[k] = static_cast<JCOEF>(block[k] * sign[k]);
    };
    if (flip == JpegFlip::Horizontal) {
        for (JDIMENSION y = 0; y < heightInBlocks; ++y) {
            JBLOCKROW row = access(y);
            std::reverse(row, row + widthInBlocks);
            for (JDIMENSION x = 0; x < widthInBlocks; ++x) mirrorBlock(row[x]);
        }
        return;
    }
    std::vector<JBLOCK> top(widthInBlocks), bottom(widthInBlocks);
    const std::size_t rowBytes = widthInBlocks * sizeof(JBLOCK);
    for (JDIMENSION y = 0, z = heightInBlocks - 1; y <= z && z < heightInBlocks; ++y, --z) {
        std::memcpy(top.data(), access(y), rowBytes);
        JBLOCKROW lower = access(z);
        std::memcpy(bottom.data(), lower, rowBytes);
        for (JDIMENSION x = 0; x < widthInBlocks; ++x) mirrorBlock(top[x]);
        std::memcpy(lower, top.data(), rowBytes);
        if (y == z) continue;
        for (JDIMENSION x = 0; x < widthInBlocks; ++x) mirrorBlock(bottom[x]);
        std::memcpy(access(y), bottom.data(), rowBytes);
    }
}

}  // namespace

bool canFlipLosslessly(const JpegHeader& header, JpegFlip flip) {
    if (header.subsampling == JpegSubsampling::Unknown) return false;
    return flip == JpegFlip::Horizontal ? header.width % header.mcuWidth == 0
                                        : header.height % header.mcuHeight == 0;
}

std::optional<Bytes> flipJpegLossless(ByteSpan jpeg, JpegFlip flip, const JpegLimits& limits) {
    if (auto flipped = baseline::flipCoded(jpeg, flip, limits)) return flipped;
    return flipJpegByCoefficients(jpeg, flip, limits);
}

// The coefficients are read once, mirrored where they lie and written out again: one copy of
// the picture's coefficients in memory (a transform into a second array would need two).
std::optional<Bytes> flipJpegByCoefficients(ByteSpan jpeg, JpegFlip flip,
                                            const JpegLimits& limits) {
    auto header = readJpegHeader(jpeg, limits);
    if (!header || !canFlipLosslessly(*header, flip)) return std::nullopt;
    return libjpeg::rewriteCoefficients(
        jpeg, *header, [flip](j_decompress_ptr src, jvirt_barray_ptr* coefs) {
            const JDIMENSION mcuCols = src->image_width / (src->max_h_samp_factor * DCTSIZE);
            const JDIMENSION mcuRows = src->image_height / (src->max_v_samp_factor * DCTSIZE);
            for (int c = 0; c < src->num_components; ++c) {
                const jpeg_component_info& comp = src->comp_info[c];
                // Whole MCUs along the flipped edge (checked above); along the other edge the
                // partial MCU's blocks stay where they are, as they do in any lossless flip.
                const JDIMENSION w = flip == JpegFlip::Horizontal ? mcuCols * comp.h_samp_factor
                                                                  : comp.width_in_blocks;
                const JDIMENSION h = flip == JpegFlip::Vertical ? mcuRows * comp.v_samp_factor
                                                                : comp.height_in_blocks;
                flipComponent(src, coefs[c], std::min(w, comp.width_in_blocks),
                              std::min(h, comp.height_in_blocks), flip);
            }
            return true;
        });
}

}  // namespace platform
