#include "tests/common/SampleJpegs.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

// After <cstdio>: jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

namespace lumora::test {
namespace {

void put16(JpegBytes& out, std::uint16_t v, bool bigEndian = true) {
    if (bigEndian) {
        out.push_back(static_cast<std::uint8_t>(v >> 8));
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    } else {
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
    }
}

void put32(JpegBytes& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v >> 16));
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
}

// An APP1 "Exif" segment with a big-endian TIFF header and IFD0 holding one entry.
JpegBytes exifSegment(std::uint16_t type, std::uint32_t count, std::uint32_t value) {
    JpegBytes tiff = {'M', 'M', 0, 42};
    put32(tiff, 8);  // IFD0 offset
    put16(tiff, 1);  // one entry
    put16(tiff, 0x0112);
    put16(tiff, type);
    put32(tiff, count);
    put32(tiff, value);
    put32(tiff, 0);  // no next IFD
    JpegBytes segment = {0xFF, 0xE1};
    put16(segment, static_cast<std::uint16_t>(2 + 6 + tiff.size()));
    for (char c : {'E', 'x', 'i', 'f', '\0', '\0'}) segment.push_back(static_cast<std::uint8_t>(c));
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    return segment;
}

JpegBytes insertAfterStart(const JpegBytes& jpeg, const JpegBytes& segment) {
    JpegBytes out(jpeg.begin(), jpeg.begin() + 2);
    out.insert(out.end(), segment.begin(), segment.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

}  // namespace

JpegBytes makeJpeg(const SampleJpeg& sample) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(sample.width);
    cinfo.image_height = static_cast<JDIMENSION>(sample.height);
    cinfo.input_components = sample.components;
    cinfo.in_color_space = sample.components == 1   ? JCS_GRAYSCALE
                           : sample.components == 4 ? JCS_CMYK
                                                    : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, sample.quality, TRUE);
    if (sample.components == 3) {
        cinfo.comp_info[0].h_samp_factor = sample.h;
        cinfo.comp_info[0].v_samp_factor = sample.v;
    }
    if (sample.restartMcus < 0) {
        cinfo.restart_in_rows = 1;
    } else {
        cinfo.restart_interval = static_cast<unsigned>(sample.restartMcus);
    }
    cinfo.optimize_coding = sample.optimize ? TRUE : FALSE;
    if (sample.progressive) jpeg_simple_progression(&cinfo);
    cinfo.arith_code = sample.arithmetic ? TRUE : FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(sample.width * sample.components));
    std::uint32_t seed = 7;
    for (int y = 0; y < sample.height; ++y) {
        for (int x = 0; x < sample.width; ++x) {
            for (int c = 0; c < sample.components; ++c) {
                seed = seed * 1664525u + 1013904223u;
                const int grain = sample.noise ? static_cast<int>(seed >> 27) : 0;
                const int v =
                    (x * 255 / std::max(1, sample.width - 1) + c * 80 + y * 3 + grain) % 256;
                row[static_cast<std::size_t>(x * sample.components + c)] = static_cast<JSAMPLE>(v);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    JpegBytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return out;
}

JpegBytes withExifOrientation(const JpegBytes& jpeg, std::uint16_t value) {
    // A SHORT in the entry's 4-byte value field sits in its first two bytes.
    return insertAfterStart(jpeg, exifSegment(3, 1, static_cast<std::uint32_t>(value) << 16));
}

JpegBytes withGarbageOrientation(const JpegBytes& jpeg) {
    return insertAfterStart(jpeg, exifSegment(7, 1000, 0x7FFFFFF0));
}

JpegBytes withClaimedSize(const JpegBytes& jpeg, std::uint16_t width, std::uint16_t height) {
    JpegBytes out = jpeg;
    // Walk the segments from the start marker to the frame header.
    std::size_t i = 2;
    while (i + 8 < out.size() && out[i] == 0xFF) {
        const std::uint8_t m = out[i + 1];
        if (m == 0xC0 || m == 0xC1 || m == 0xC2 || m == 0xC9 || m == 0xCA) {
            // FF Cn, length (2), precision (1), height (2), width (2)
            out[i + 5] = static_cast<std::uint8_t>(height >> 8);
            out[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
            out[i + 7] = static_cast<std::uint8_t>(width >> 8);
            out[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
            break;
        }
        i += 2 + ((static_cast<std::size_t>(out[i + 2]) << 8) | out[i + 3]);
    }
    return out;
}

}  // namespace lumora::test
