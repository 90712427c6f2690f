#pragma once
// A sequential, Huffman-coded JPEG (baseline or extended, 8-bit samples, one scan holding every
// component) taken apart down to its entropy-coded data. Transforms that change a few blocks,
// or only reorder them, work on the coded blocks directly, a row of MCUs at a time, instead of
// holding the whole picture's coefficients in memory. Anything else (progressive or arithmetic
// coding, several scans, 12-bit samples, a DNL marker) is refused: callers use libjpeg then.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/media/JpegCodec.h"

namespace platform::baseline {

// Natural-order (row-major) index of the k-th coefficient in zig-zag order.
inline constexpr std::array<std::uint8_t, 64> kZigZag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// A DHT table as stored: how many codes of each length 1-16, then the symbols in code order.
struct HuffmanTable {
    std::array<std::uint8_t, 17> counts{};  // counts[0] unused
    std::array<std::uint8_t, 256> symbols{};
    bool defined = false;
};

struct Component {
    int id = 0;
    int h = 1, v = 1;  // sampling factors
    int quantTable = 0;
    int dcTable = 0, acTable = 0;
    int widthInBlocks = 0, heightInBlocks = 0;
    int firstBlock = 0;  // index of its first block within an MCU
};

struct Picture {
    int width = 0, height = 0;
    std::vector<Component> components;  // in scan order
    int maxH = 1, maxV = 1;
    int mcuCols = 0, mcuRows = 0;
    int blocksPerMcu = 0;
    // Quantisation tables in natural (row-major) order; only defined ones are non-zero.
    std::array<std::array<std::uint16_t, 64>, 4> quant{};
    std::array<HuffmanTable, 4> dc{}, ac{};
    int restartInterval = 0;        // MCUs per interval; 0 for none
    bool adobe = false;             // an Adobe APP14 segment says how the colours are stored
    std::size_t scanDataStart = 0;  // first byte after the SOS segment

    // The entropy-coded data with byte stuffing and restart markers taken out, followed by
    // zero bytes so that a reader may look a little past the end. Interval k starts at byte
    // intervalStart[k]; intervalStart.back() is the end of the data.
    Bytes data;
    std::vector<std::size_t> intervalStart;
    // The same intervals in the file, stuffing and all: [fileBegin[k], fileEnd[k]).
    std::vector<std::size_t> fileBegin, fileEnd;

    int mcuCount() const { return mcuCols * mcuRows; }
    int intervalCount() const { return static_cast<int>(intervalStart.size()) - 1; }
    int intervalOf(int mcu) const { return restartInterval ? mcu / restartInterval : 0; }
    bool startsInterval(int mcu) const { return restartInterval && mcu % restartInterval == 0; }
};

// Zero bytes after the entropy data: more than one block's longest possible code.
inline constexpr std::size_t kDataPadding = 512;

// How many file bytes, from `begin` inside an interval, hold its next `unstuffed` data bytes.
std::size_t stuffedLength(ByteSpan file, std::size_t begin, std::size_t unstuffed);

// The picture, or nullopt for anything not described above, a picture over the pixel limit,
// or a file whose structure is broken (the entropy data itself is only checked when decoded).
std::optional<Picture> parse(ByteSpan file, const JpegLimits& limits = {});

}  // namespace platform::baseline
