#pragma once
// A libjpeg destination that compresses straight into a byte vector, sized up front and doubled
// when full, so the finished file needs no copy. Include after <jpeglib.h>.

#include <type_traits>

#include "platform/media/JpegSegments.h"

namespace platform::libjpeg {

class VectorDestination {
public:
    // `initial` bytes are reserved when compression starts; `out` holds exactly the file after
    // jpeg_finish_compress.
    VectorDestination(Bytes& out, std::size_t initial) : out_(&out), initial_(initial) {
        pub_.init_destination = init;
        pub_.empty_output_buffer = grow;
        pub_.term_destination = term;
    }
    VectorDestination(const VectorDestination&) = delete;
    VectorDestination& operator=(const VectorDestination&) = delete;

    void attach(j_compress_ptr cinfo) { cinfo->dest = &pub_; }

private:
    static VectorDestination& of(j_compress_ptr cinfo) {
        static_assert(std::is_standard_layout_v<VectorDestination>);
        // pub_ is the first member of a standard-layout class: its address is the object's.
        return *reinterpret_cast<VectorDestination*>(cinfo->dest);
    }
    static void init(j_compress_ptr cinfo) {
        VectorDestination& d = of(cinfo);
        d.out_->resize(d.initial_ > 0 ? d.initial_ : 65536);
        d.pub_.next_output_byte = d.out_->data();
        d.pub_.free_in_buffer = d.out_->size();
    }
    static boolean grow(j_compress_ptr cinfo) {
        VectorDestination& d = of(cinfo);
        const std::size_t used = d.out_->size();
        d.out_->resize(used * 2);
        d.pub_.next_output_byte = d.out_->data() + used;
        d.pub_.free_in_buffer = d.out_->size() - used;
        return TRUE;
    }
    static void term(j_compress_ptr cinfo) {
        VectorDestination& d = of(cinfo);
        d.out_->resize(d.out_->size() - d.pub_.free_in_buffer);
    }

    jpeg_destination_mgr pub_{};
    Bytes* out_;
    std::size_t initial_;
};

}  // namespace platform::libjpeg
