#pragma once
// A JPEG rewritten through libjpeg's whole-picture DCT coefficient arrays: they are read once,
// changed where they lie, and written out again with every metadata segment of the original.
// Works for any JPEG libjpeg reads (progressive, arithmetic coding, several scans). Include
// after <jpeglib.h>.

#include <functional>
#include <optional>

#include "platform/media/JpegCodec.h"

namespace platform::libjpeg {

// Changes the arrays of a picture whose header libjpeg has read; false abandons the rewrite.
// It may call libjpeg only for access_virt_barray on rows the arrays hold, which cannot fail:
// an error would jump over it.
using CoefficientChange = std::function<bool(j_decompress_ptr src, jvirt_barray_ptr* coefs)>;

// The rewritten file; nullopt for bytes libjpeg cannot read within the limits (warnings about
// corrupt data count), a picture other than `expected` says, or a change that gave up.
std::optional<Bytes> rewriteCoefficients(ByteSpan jpeg, const JpegHeader& expected,
                                         const CoefficientChange& change);

}  // namespace platform::libjpeg
