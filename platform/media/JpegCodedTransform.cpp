#include "platform/media/JpegCodedTransform.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/media/JpegBaseline.h"
#include "platform/media/JpegBlockEdit.h"
#include "platform/media/JpegHuffman.h"

namespace platform::baseline {

namespace {

constexpr std::uint8_t kRST0 = 0xD0, kEOI = 0xD9;

std::uint64_t bitAt(const Picture& pic, int interval) {
    return std::uint64_t{pic.intervalStart[static_cast<std::size_t>(interval)]} * 8;
}

int intervalBegin(const Picture& pic, int interval) {
    return pic.restartInterval ? interval * pic.restartInterval : 0;
}

int intervalEndMcu(const Picture& pic, int interval) {
    return pic.restartInterval ? std::min((interval + 1) * pic.restartInterval, pic.mcuCount())
                               : pic.mcuCount();
}

// Reads MCUs in order, moving to the start of each restart interval (with fresh predictors)
// when its first MCU comes.
class McuReader {
public:
    McuReader(const Picture& pic, const McuCodec& codec)
        : pic_(pic), codec_(codec), bits_(pic.data) {}

    void start(int interval) {
        next_ = intervalBegin(pic_, interval);
        enterInterval(interval);
    }
    // Continues at MCU `mcu` from a position and predictors noted with position().
    void resume(int mcu, std::uint64_t bit, const Predictors& pred) {
        next_ = mcu;
        enterInterval(pic_.intervalOf(mcu));
        bits_.seek(bit);
        pred_ = pred;
    }
    // Where the next MCU's bits start, and the predictors it is decoded with.
    std::uint64_t position() {
        enter();
        return bits_.position();
    }
    const Predictors& predictors() {
        enter();
        return pred_;
    }
    // Where the last MCU read ends.
    std::uint64_t consumed() const { return bits_.position(); }

    bool read(Block* blocks, std::uint64_t* nonZero) {
        enter();
        return codec_.decode(bits_, pred_, blocks, nonZero, limit_) && finish(next_++);
    }
    bool skip() {
        enter();
        return codec_.skip(bits_, pred_, limit_) && finish(next_++);
    }

private:
    // After the last MCU of an interval, only the padding of its last byte may be left, as
    // libjpeg has it (it reports extra bytes as corrupt data).
    bool finish(int mcu) const {
        if (mcu + 1 < pic_.mcuCount() && !pic_.startsInterval(mcu + 1)) return true;
        return (bits_.position() + 7) / 8 ==
               pic_.intervalStart[static_cast<std::size_t>(interval_) + 1];
    }
    void enter() {
        if (const int k = pic_.intervalOf(next_); k != interval_) enterInterval(k);
    }
    void enterInterval(int k) {
        interval_ = k;
        bits_.seek(bitAt(pic_, k));
        pred_ = {};
        limit_ = bitAt(pic_, k + 1);
    }

    const Picture& pic_;
    const McuCodec& codec_;
    BitReader bits_;
    Predictors pred_{};
    int next_ = 0, interval_ = -1;
    std::uint64_t limit_ = 0;
};

Bytes startOutput(ByteSpan jpeg, const Picture& pic) {
    Bytes out;
    out.reserve(jpeg.size() + 65536);
    out.assign(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(pic.scanDataStart));
    return out;
}

void restartMarker(BitWriter& w, int interval) {
    w.marker(static_cast<std::uint8_t>(kRST0 + (interval - 1) % 8));
}

bool isRgb(const Picture& pic) {
    const auto& c = pic.components;
    return c.size() == 3 && c[0].id == 'R' && c[1].id == 'G' && c[2].id == 'B';
}

// The mirror of one MCU: which of its blocks each output block comes from, and the sign of each
// coefficient (odd frequencies along the mirrored axis change sign; the masks of non-zero
// coefficients stay as they are).
class McuMirror {
public:
    McuMirror(const Picture& pic, JpegFlip flip) {
        const bool horizontal = flip == JpegFlip::Horizontal;
        for (const Component& c : pic.components) {
            for (int by = 0; by < c.v; ++by)
                for (int bx = 0; bx < c.h; ++bx)
                    from_.push_back(c.firstBlock + (horizontal ? by * c.h + (c.h - 1 - bx)
                                                               : (c.v - 1 - by) * c.h + bx));
        }
        for (int k = 0; k < 64; ++k) {
            const int n = kZigZag[k];
            sign_[k] = ((horizontal ? n % 8 : n / 8) % 2) ? -1 : 1;
        }
    }
    void apply(const Block* in, const std::uint64_t* inNonZero, Block* out,
               std::uint64_t* outNonZero) const {
        for (std::size_t b = 0; b < from_.size(); ++b) {
            const Block& block = in[from_[b]];
            for (int k = 0; k < 64; ++k) out[b][k] = static_cast<std::int16_t>(block[k] * sign_[k]);
            outNonZero[b] = inNonZero[from_[b]];
        }
    }

private:
    std::vector<int> from_;
    std::array<std::int16_t, 64> sign_{};
};

// One row of MCUs and the masks of their blocks.
struct McuRow {
    McuRow(int cols, int perMcu)
        : perMcu(static_cast<std::size_t>(perMcu)),
          blocks(static_cast<std::size_t>(cols) * this->perMcu),
          nonZero(blocks.size()) {}
    bool read(McuReader& reader) {
        for (std::size_t at = 0; at < blocks.size(); at += perMcu)
            if (!reader.read(&blocks[at], &nonZero[at])) return false;
        return true;
    }
    Block* mcu(int col) { return &blocks[static_cast<std::size_t>(col) * perMcu]; }
    std::uint64_t* mask(int col) { return &nonZero[static_cast<std::size_t>(col) * perMcu]; }
    std::size_t perMcu;
    std::vector<Block> blocks;
    std::vector<std::uint64_t> nonZero;
};

// Where a flip's output goes: the file's header, then the scan with a restart marker (and
// fresh predictors) wherever an interval begins.
class ScanWriter {
public:
    ScanWriter(ByteSpan jpeg, const Picture& pic)
        : pic_(pic), out_(startOutput(jpeg, pic)), w_(out_) {}
    // Starts output MCU m.
    BitWriter& at(int m) {
        if (m > 0 && pic_.startsInterval(m)) {
            restartMarker(w_, pic_.intervalOf(m));
            pred = {};
        }
        return w_;
    }
    Bytes finish() {
        w_.marker(kEOI);
        return std::move(out_);
    }
    Predictors pred{};

private:
    const Picture& pic_;
    Bytes out_;
    BitWriter w_;
};

// A horizontal flip: each row is read, then written backwards, MCU by mirrored MCU.
bool flipColumns(const Picture& pic, const McuCodec& codec, const McuMirror& mirror,
                 ScanWriter& out) {
    McuReader reader(pic, codec);
    reader.start(0);
    McuRow row(pic.mcuCols, codec.blocksPerMcu()), mcu(1, codec.blocksPerMcu());
    for (int r = 0; r < pic.mcuRows; ++r) {
        if (!row.read(reader)) return false;
        for (int c = 0; c < pic.mcuCols; ++c) {
            const int from = pic.mcuCols - 1 - c;
            mirror.apply(row.mcu(from), row.mask(from), mcu.mcu(0), mcu.mask(0));
            if (!codec.encode(out.at(r * pic.mcuCols + c), out.pred, mcu.mcu(0), mcu.mask(0)))
                return false;
        }
    }
    return true;
}

// A vertical flip in one pass, when every restart interval begins a row: each row is coded at
// once into a buffer, all but its first MCU, whose DC values depend on the row written before
// it (the next row read). The rows are then written backwards: the first MCU coded with the
// running predictors, the rest copied.
bool flipRowsBuffered(const Picture& pic, const McuCodec& codec, const McuMirror& mirror,
                      ScanWriter& out) {
    const int cols = pic.mcuCols, rows = pic.mcuRows, perMcu = codec.blocksPerMcu();
    McuReader reader(pic, codec);
    reader.start(0);
    McuRow row(cols, perMcu), mcu(1, perMcu), first(rows, perMcu);
    std::vector<std::uint64_t> start(static_cast<std::size_t>(rows)), end(start.size());
    std::vector<Predictors> endPred(start.size());
    Bytes bits;
    bits.reserve(pic.data.size());
    BitWriter buffer(bits, false);
    for (int r = 0; r < rows; ++r) {
        const int j = rows - 1 - r;  // its place in the output
        if (!row.read(reader)) return false;
        mirror.apply(row.mcu(0), row.mask(0), first.mcu(j), first.mask(j));
        Predictors pred{};
        for (const Component& c : pic.components)
            pred[static_cast<std::size_t>(&c - pic.components.data())] =
                first.mcu(j)[c.firstBlock + c.h * c.v - 1][0];
        start[j] = buffer.position();
        for (int c = 1; c < cols; ++c) {
            mirror.apply(row.mcu(c), row.mask(c), mcu.mcu(0), mcu.mask(0));
            if (!codec.encode(buffer, pred, mcu.mcu(0), mcu.mask(0))) return false;
        }
        end[j] = buffer.position();
        endPred[j] = pred;
    }
    buffer.padToByte();
    bits.resize(bits.size() + kDataPadding, 0);
    for (int j = 0; j < rows; ++j) {
        BitWriter& w = out.at(j * cols);
        if (!codec.encode(w, out.pred, first.mcu(j), first.mask(j))) return false;
        if (cols == 1) continue;
        w.copy(bits, start[j], end[j]);
        out.pred = endPred[j];
    }
    return true;
}

// A vertical flip whatever the restart interval: a first pass notes where each row starts,
// then the rows are decoded backwards.
bool flipRowsTwoPasses(const Picture& pic, const McuCodec& codec, const McuMirror& mirror,
                       ScanWriter& out) {
    const int cols = pic.mcuCols, rows = pic.mcuRows;
    McuReader reader(pic, codec);
    reader.start(0);
    std::vector<std::pair<std::uint64_t, Predictors>> rowStart(static_cast<std::size_t>(rows));
    for (int m = 0; m < pic.mcuCount(); ++m) {
        if (m % cols == 0) rowStart[m / cols] = {reader.position(), reader.predictors()};
        if (!reader.skip()) return false;
    }
    McuRow row(cols, codec.blocksPerMcu()), mcu(1, codec.blocksPerMcu());
    for (int j = 0; j < rows; ++j) {
        const int r = rows - 1 - j;
        reader.resume(r * cols, rowStart[r].first, rowStart[r].second);
        if (!row.read(reader)) return false;
        for (int c = 0; c < cols; ++c) {
            mirror.apply(row.mcu(c), row.mask(c), mcu.mcu(0), mcu.mask(0));
            if (!codec.encode(out.at(j * cols + c), out.pred, mcu.mcu(0), mcu.mask(0)))
                return false;
        }
    }
    return true;
}

}  // namespace

std::optional<Bytes> flipCoded(ByteSpan jpeg, JpegFlip flip, const JpegLimits& limits) {
    const auto parsed = parse(jpeg, limits);
    if (!parsed) return std::nullopt;
    const Picture& pic = *parsed;
    const bool horizontal = flip == JpegFlip::Horizontal;
    if (horizontal ? pic.width % (8 * pic.maxH) : pic.height % (8 * pic.maxV)) return std::nullopt;
    const McuCodec codec(pic);
    if (!codec.valid()) return std::nullopt;
    const McuMirror mirror(pic, flip);
    ScanWriter out(jpeg, pic);
    const bool done = horizontal ? flipColumns(pic, codec, mirror, out)
                      : pic.restartInterval % pic.mcuCols == 0
                          ? flipRowsBuffered(pic, codec, mirror, out)
                          : flipRowsTwoPasses(pic, codec, mirror, out);
    if (!done) return std::nullopt;
    return out.finish();
}

std::optional<Bytes> editRegionCoded(ByteSpan jpeg, PixelRect region, const RegionPainter& paint,
                                     const JpegLimits& limits) {
    if (!paint) return std::nullopt;
    const auto parsed = parse(jpeg, limits);
    if (!parsed) return std::nullopt;
    const Picture& pic = *parsed;
    const std::size_t components = pic.components.size();
    // libjpeg reads an Adobe segment or R, G, B component ids as other colour spaces.
    if ((components != 1 && components != 3) || pic.adobe || isRgb(pic)) return std::nullopt;
    const McuCodec codec(pic);
    if (!codec.valid()) return std::nullopt;

    const int rx = std::max(region.x, 0), ry = std::max(region.y, 0);
    const int rx1 = std::min(region.x + region.width, pic.width);
    const int ry1 = std::min(region.y + region.height, pic.height);
    if (rx1 <= rx || ry1 <= ry) return std::nullopt;
    const int mcuW = 8 * pic.maxH, mcuH = 8 * pic.maxV;
    const int mc0 = rx / mcuW, mc1 = std::min((rx1 + mcuW - 1) / mcuW, pic.mcuCols);
    const int mr0 = ry / mcuH, mr1 = std::min((ry1 + mcuH - 1) / mcuH, pic.mcuRows);

    // The MCUs coded again: those of the area, and the one after each, whose DC values are
    // coded as differences from the area's.
    std::vector<int> recoded;
    for (int mr = mr0; mr < mr1; ++mr) {
        for (int mc = mc0; mc < mc1; ++mc) {
            const int m = mr * pic.mcuCols + mc;
            recoded.push_back(m);
            if (m + 1 < pic.mcuCount() && !pic.startsInterval(m + 1)) recoded.push_back(m + 1);
        }
    }
    std::sort(recoded.begin(), recoded.end());
    recoded.erase(std::unique(recoded.begin(), recoded.end()), recoded.end());

    // One decode of the intervals holding them: their blocks, where their bits lie, and where
    // each of those intervals ends.
    const int perMcu = codec.blocksPerMcu();
    std::vector<Block> blocks(recoded.size() * static_cast<std::size_t>(perMcu));
    std::vector<std::uint64_t> startBit(recoded.size()), endBit(recoded.size());
    std::vector<Predictors> startPred(recoded.size());
    std::vector<std::uint64_t> nonZero(blocks.size());  // not kept: the edit changes blocks
    std::vector<std::uint64_t> intervalEnd(static_cast<std::size_t>(pic.intervalCount()));
    McuReader reader(pic, codec);
    for (std::size_t i = 0; i < recoded.size();) {
        const int k = pic.intervalOf(recoded[i]);
        reader.start(k);
        for (int m = intervalBegin(pic, k); m < intervalEndMcu(pic, k); ++m) {
            if (i < recoded.size() && recoded[i] == m) {
                startBit[i] = reader.position();
                startPred[i] = reader.predictors();
                if (!reader.read(&blocks[i * perMcu], &nonZero[i * perMcu])) return std::nullopt;
                endBit[i++] = reader.consumed();
            } else if (!reader.skip()) {
                return std::nullopt;
            }
        }
        intervalEnd[static_cast<std::size_t>(k)] = reader.consumed();
    }

    BlockPlanes planes;
    planes.width = pic.width;
    planes.height = pic.height;
    planes.maxH = pic.maxH;
    planes.maxV = pic.maxV;
    for (const Component& c : pic.components)
        planes.planes.push_back(
            {c.h, c.v, c.widthInBlocks, c.heightInBlocks, pic.quant[c.quantTable].data()});
    // The editor works in natural order; the coder in zig-zag order.
    std::vector<Block> natural(blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b)
        for (int k = 0; k < 64; ++k) natural[b][kZigZag[k]] = blocks[b][k];
    Block spare{};
    planes.block = [&](int plane, int bx, int by) -> std::int16_t* {
        const Component& c = pic.components[static_cast<std::size_t>(plane)];
        const int m = (by / c.v) * pic.mcuCols + bx / c.h;
        const auto it = std::lower_bound(recoded.begin(), recoded.end(), m);
        if (it == recoded.end() || *it != m) return spare.data();  // outside the area: not asked
        const auto i = static_cast<std::size_t>(it - recoded.begin());
        return natural[i * perMcu + c.firstBlock + (by % c.v) * c.h + bx % c.h].data();
    };
    if (!editBlocks(planes, mc0 * mcuW, mr0 * mcuH, mc1 * mcuW, mr1 * mcuH, paint))
        return std::nullopt;
    for (std::size_t b = 0; b < blocks.size(); ++b)
        for (int k = 0; k < 64; ++k) blocks[b][k] = natural[b][kZigZag[k]];

    // The coded bits of every other MCU are copied as they are.
    Bytes out = startOutput(jpeg, pic);
    BitWriter w(out);
    Predictors pred{};
    std::size_t i = 0;
    for (int k = 0; k < pic.intervalCount(); ++k) {
        if (k > 0) restartMarker(w, k);
        const std::size_t begin = pic.fileBegin[static_cast<std::size_t>(k)];
        if (i == recoded.size() || pic.intervalOf(recoded[i]) != k) {
            w.appendStuffed(jpeg.subspan(begin, pic.fileEnd[static_cast<std::size_t>(k)] - begin));
            continue;
        }
        // The whole bytes before the first MCU coded again, as the file has them.
        const std::uint64_t whole = (startBit[i] - bitAt(pic, k)) / 8;
        w.appendStuffed(jpeg.subspan(begin, stuffedLength(jpeg, begin, whole)));
        std::uint64_t pos = bitAt(pic, k) + whole * 8;
        int previous = -2;
        for (; i < recoded.size() && pic.intervalOf(recoded[i]) == k; ++i) {
            w.copy(pic.data, pos, startBit[i]);
            if (recoded[i] != previous + 1) pred = startPred[i];
            if (!codec.encode(w, pred, &blocks[i * perMcu])) return std::nullopt;
            pos = endBit[i];
            previous = recoded[i];
        }
        w.copy(pic.data, pos, intervalEnd[static_cast<std::size_t>(k)]);
        w.padToByte();
    }
    w.marker(kEOI);
    return out;
}

}  // namespace platform::baseline
