#pragma once
// libjpeg's error handling for code that drives it directly: errors and warnings (corrupt or
// truncated data) jump back to the caller's setjmp, and hostile progressive files are cut off
// after as many scans as TurboJPEG allows. Include after <jpeglib.h>.

#include <csetjmp>

namespace platform::libjpeg {

inline constexpr int kMaxScans = 500;

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] inline void errorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

inline void emitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

inline void outputMessage(j_common_ptr) {}

inline void limitScans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->is_decompressor && d->input_scan_number > kMaxScans) errorExit(cinfo);
}

// Points the error manager's handlers at the ones above.
inline jpeg_error_mgr* install(ErrorManager& errors) {
    jpeg_error_mgr* err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = errorExit;
    errors.pub.emit_message = emitMessage;
    errors.pub.output_message = outputMessage;
    return err;
}

}  // namespace platform::libjpeg
