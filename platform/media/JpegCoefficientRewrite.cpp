// clang-format off
#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>
// clang-format on

#include "platform/media/JpegCoefficientRewrite.h"

#include <vector>

#include "platform/media/JpegVectorDestination.h"
#include "platform/media/LibjpegErrors.h"

namespace platform::libjpeg {

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
            if (change(&src, coefs)) {
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
