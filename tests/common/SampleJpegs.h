#pragma once
// Small JPEG files made on the spot with libjpeg, for the cases the sample photos do not cover:
// progressive and arithmetic-coded scans, CMYK and grey pictures, tiny and odd sizes, hostile
// headers and odd orientation entries.

#include <cstdint>
#include <optional>
#include <vector>

namespace lumora::test {

using JpegBytes = std::vector<std::uint8_t>;

struct SampleJpeg {
    int width = 16;
    int height = 16;
    int components = 3;  // 1 grey, 3 colour (YCbCr), 4 CMYK
    bool progressive = false;
    bool arithmetic = false;
    int quality = 90;
    int h = 2, v = 2;       // the luma sampling factors of a colour picture (chroma 1x1)
    int restartMcus = 0;    // MCUs per restart interval; -1 for one row of MCUs
    bool optimize = false;  // Huffman tables fitted to the picture
    bool noise = false;     // grain over the ramp, for entropy data with many codes
};

// A picture of a diagonal colour ramp, so flips and stamps change its pixels.
JpegBytes makeJpeg(const SampleJpeg& sample);

// The file with an EXIF block holding one orientation entry of type SHORT and value `value`
// (any 16-bit number, so 0 and 9 can be written) placed right after the start marker.
JpegBytes withExifOrientation(const JpegBytes& jpeg, std::uint16_t value);

// The file with an EXIF block whose orientation entry is garbage: a wrong type, a count of 1000
// and an offset pointing far outside the block.
JpegBytes withGarbageOrientation(const JpegBytes& jpeg);

// The file with its frame header claiming width x height pixels (the scan data is unchanged).
JpegBytes withClaimedSize(const JpegBytes& jpeg, std::uint16_t width, std::uint16_t height);

}  // namespace lumora::test
