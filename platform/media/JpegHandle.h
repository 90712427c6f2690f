#pragma once
// Owns a TurboJPEG handle. Handles are not shared between threads: each call makes its own,
// which is cheap next to a full-size decode.

#include <turbojpeg.h>

namespace platform {

class JpegHandle {
public:
    enum class Kind { Compress, Decompress, Transform };
    explicit JpegHandle(Kind kind)
        : handle_(kind == Kind::Compress     ? tjInitCompress()
                  : kind == Kind::Decompress ? tjInitDecompress()
                                             : tjInitTransform()) {}
    ~JpegHandle() {
        if (handle_) tjDestroy(handle_);
    }
    JpegHandle(const JpegHandle&) = delete;
    JpegHandle& operator=(const JpegHandle&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    tjhandle get() const { return handle_; }

private:
    tjhandle handle_;
};

}  // namespace platform
