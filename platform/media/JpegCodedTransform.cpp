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

    bool read(Block* blocks) {
        enter();
        return codec_.decode(bits_, pred_, blocks, limit_) && finish(next_++);
    }
    bool transcode(std::uint64_t negate, BitWriter& ac, std::uint32_t* begins, std::int16_t* dc) {
        enter();
        return codec_.transcode(bits_, pred_, negate, ac, begins, dc, limit_) && finish(next_++);
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

// The mirror of one MCU: which of its blocks each output block comes from, and the zig-zag
// positions whose coefficients change sign (odd frequencies along the mirrored axis); the masks
// of non-zero coefficients stay as they are.
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
            if ((horizontal ? n % 8 : n / 8) % 2) negate_ |= std::uint64_t{1} << k;
        }
    }
    const int* order() const { return from_.data(); }
    std::uint64_t negate() const { return negate_; }

private:
    std::vector<int> from_;
    std::uint64_t negate_ = 0;
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

}  // namespace

std::optional<Bytes> flipCoded(ByteSpan jpeg, JpegFlip flip, const JpegLimits& limits) {
    const auto parsed = parse(jpeg, limits);
    if (!parsed) return std::nullopt;
    const Picture& pic = *parsed;
    const bool horizontal = flip == JpegFlip::Horizontal;
    if (horizontal ? pic.width % (8 * pic.maxH) : pic.height % (8 * pic.maxV)) return std::nullopt;
    const McuCodec codec(pic);
    if (!codec.valid()) return std::nullopt;
    // Every block is read once, in file order, its AC data kept with the mirrored signs;
    // then the MCUs are written in their new order, coding only the DC differences.
    const McuMirror mirror(pic, flip);
    const int cols = pic.mcuCols, rows = pic.mcuRows, perMcu = codec.blocksPerMcu();
    const std::size_t blocks = static_cast<std::size_t>(pic.mcuCount()) * perMcu;
    std::vector<std::uint32_t> begins(blocks + 1);
    std::vector<std::int16_t> dc(blocks);
    Bytes ac;
    ac.reserve(pic.data.size() + kDataPadding);
    BitWriter acOut(ac, false);
    McuReader reader(pic, codec);
    reader.start(0);
    for (std::size_t at = 0; at < blocks; at += static_cast<std::size_t>(perMcu))
        if (!reader.transcode(mirror.negate(), acOut, &begins[at], &dc[at])) return std::nullopt;
    acOut.padToByte();
    ac.resize(ac.size() + kDataPadding, 0);

    ScanWriter out(jpeg, pic);
    for (int j = 0; j < rows; ++j) {
        for (int c = 0; c < cols; ++c) {
            const int from = horizontal ? j * cols + cols - 1 - c : (rows - 1 - j) * cols + c;
            const auto at = static_cast<std::size_t>(from) * perMcu;
            if (!codec.encodeTranscoded(out.at(j * cols + c), out.pred, ac, &begins[at], &dc[at],
                                        mirror.order()))
                return std::nullopt;
        }
    }
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
    std::vector<std::uint64_t> intervalEnd(static_cast<std::size_t>(pic.intervalCount()));
    McuReader reader(pic, codec);
    for (std::size_t i = 0; i < recoded.size();) {
        const int k = pic.intervalOf(recoded[i]);
        reader.start(k);
        for (int m = intervalBegin(pic, k); m < intervalEndMcu(pic, k); ++m) {
            if (i < recoded.size() && recoded[i] == m) {
                startBit[i] = reader.position();
                startPred[i] = reader.predictors();
                if (!reader.read(&blocks[i * perMcu])) return std::nullopt;
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
