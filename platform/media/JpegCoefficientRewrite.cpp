// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include "platform/media/JpegCoefficientRewrite.h"

#include <vector>

#include "platform/media/JpegVectorDestination.h"
#include "platform/media/LibjpegErrors.h"

namespace platform::libjpeg {

namespace {

// Whether every coefficient has a code in an 8-bit JPEG's Huffman tables: AC values up to 10
// bits, DC values within +-1024 (so that the difference of two fits in 11 bits). libjpeg
// decodes wider values that a corrupt file's tables code, but its encoder then writes codes no
// table holds, and the rewritten photo would not decode.
bool coefficientsFit(j_decompress_ptr src, jvirt_barray_ptr* coefs) {
    auto* common = reinterpret_cast<j_common_ptr>(src);
    for (int c = 0; c < src->num_components; ++c) {
        const jpeg_component_info& comp = src->comp_info[c];
        for (JDIMENSION y = 0; y < comp.height_in_blocks; ++y) {
            JBLOCKROW row = (*src->mem->access_virt_barray)(common, coefs[c], y, 1, FALSE)[0];
            for (JDIMENSION x = 0; x < comp.width_in_blocks; ++x) {
                if (row[x][0] < -1024 || row[x][0] > 1024) return false;
                for (int k = 1; k < DCTSIZE2; ++k)
                    if (row[x][k] < -1023 || row[x][k] > 1023) return false;
            }
        }
    }
    return true;
}

}  // namespace

std::optional<Bytes> rewriteCoefficients(ByteSpan jpeg, const JpegHeader& expected,
                                         const CoefficientChange& change) {
    const std::vector<ByteSpan> metadata = metadataSegments(jpeg);
    jpeg_decompress_struct src{};
    jpeg_compress_struct dst{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    // Room for the whole file up front: a rewrite changes its size very little, and growing
    // the buffer by doubling would copy it.
    Bytes out;
    VectorDestination dest(out, jpeg.size() + 65536);
    volatile bool srcMade = false, dstMade = false, done = false;

    // One error manager for both sides (as jpegtran does): any error jumps back here. Nothing
    // between setjmp and the end owns memory that a jump would leak (the vectors are declared
    // outside), and the change makes no libjpeg call that can fail.
    src.err = install(errors);
    dst.err = &errors.pub;
    if (setjmp(errors.jump) == 0) {
        jpeg_create_decompress(&src);
        srcMade = true;
        progress.progress_monitor = limitScans;
        src.progress = &progress;
        jpeg_mem_src(&src, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
        jpeg_read_header(&src, TRUE);
        if (static_cast<int>(src.image_width) == expected.width &&
            static_cast<int>(src.image_height) == expected.height) {
            jvirt_barray_ptr* coefs = jpeg_read_coefficients(&src);
            if (change(&src, coefs) && coefficientsFit(&src, coefs)) {
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

}  // namespace platform::libjpeg
