#include "platform/media/JpegBaseline.h"

#include <algorithm>
#include <cstring>

namespace platform::baseline {

namespace {

constexpr std::uint8_t kSOF0 = 0xC0, kSOF1 = 0xC1, kDHT = 0xC4, kRST0 = 0xD0, kRST7 = 0xD7;
constexpr std::uint8_t kEOI = 0xD9, kSOS = 0xDA, kDQT = 0xDB, kDRI = 0xDD, kAPP14 = 0xEE;

int divUp(int a, int b) {
    return (a + b - 1) / b;
}

struct SegmentReader {
    ByteSpan p;
    std::size_t at = 0;
    bool ok = true;
    bool has(std::size_t n) { return ok = ok && at + n <= p.size(); }
    int u8() { return has(1) ? p[at++] : 0; }
    int u16() { return has(2) ? (at += 2, (p[at - 2] << 8) | p[at - 1]) : 0; }
};

bool readFrame(SegmentReader r, Picture& pic) {
    if (r.u8() != 8) return false;  // 12-bit samples: libjpeg
    pic.height = r.u16();
    pic.width = r.u16();
    const int n = r.u8();
    if (!r.ok || pic.width <= 0 || pic.height <= 0 || n < 1 || n > 4) return false;
    for (int i = 0; i < n; ++i) {
        Component c;
        c.id = r.u8();
        const int sampling = r.u8();
        c.h = sampling >> 4;
        c.v = sampling & 15;
        c.quantTable = r.u8();
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quantTable > 3) return false;
        for (const Component& other : pic.components)
            if (other.id == c.id) return false;
        pic.components.push_back(c);
    }
    return r.ok;
}

bool readHuffman(SegmentReader r, Picture& pic) {
    while (r.ok && r.at < r.p.size()) {
        const int tc = r.u8() >> 4, th = r.p[r.at - 1] & 15;
        if (tc > 1 || th > 3) return false;
        HuffmanTable& table = tc == 0 ? pic.dc[th] : pic.ac[th];
        int total = 0;
        for (int len = 1; len <= 16; ++len)
            total += table.counts[len] = static_cast<std::uint8_t>(r.u8());
        if (total > 256 || !r.has(static_cast<std::size_t>(total))) return false;
        std::copy_n(r.p.begin() + r.at, total, table.symbols.begin());
        r.at += total;
        table.defined = true;
    }
    return r.ok;
}

bool readQuant(SegmentReader r, Picture& pic) {
    while (r.ok && r.at < r.p.size()) {
        const int pq = r.u8() >> 4, tq = r.p[r.at - 1] & 15;
        if (pq > 1 || tq > 3) return false;
        for (int k = 0; k < 64; ++k)
            pic.quant[tq][kZigZag[k]] = static_cast<std::uint16_t>(pq ? r.u16() : r.u8());
    }
    return r.ok;
}

// The scan header: every frame component, in frame order, coded sequentially.
bool readScan(SegmentReader r, Picture& pic) {
    const int n = r.u8();
    if (n != static_cast<int>(pic.components.size())) return false;
    for (Component& c : pic.components) {
        if (r.u8() != c.id) return false;
        const int tables = r.u8();
        c.dcTable = tables >> 4;
        c.acTable = tables & 15;
        if (c.dcTable > 3 || c.acTable > 3 || !pic.dc[c.dcTable].defined ||
            !pic.ac[c.acTable].defined || pic.quant[c.quantTable][0] == 0)
            return false;
    }
    const int ss = r.u8(), se = r.u8(), a = r.u8();
    return r.ok && ss == 0 && se == 63 && a == 0;
}

bool layOut(Picture& pic, const JpegLimits& limits) {
    if (static_cast<std::int64_t>(pic.width) * pic.height > limits.maxPixels) return false;
    for (const Component& c : pic.components) {
        pic.maxH = std::max(pic.maxH, c.h);
        pic.maxV = std::max(pic.maxV, c.v);
    }
    int blocks = 0;
    for (Component& c : pic.components) {
        if (pic.maxH % c.h || pic.maxV % c.v) return false;
        c.widthInBlocks = divUp(divUp(pic.width * c.h, pic.maxH), 8);
        c.heightInBlocks = divUp(divUp(pic.height * c.v, pic.maxV), 8);
        c.firstBlock = blocks;
        blocks += c.h * c.v;
    }
    if (pic.components.size() == 1) {
        // A scan of one component codes its blocks one at a time, whatever its sampling.
        Component& c = pic.components[0];
        c.h = c.v = pic.maxH = pic.maxV = 1;
        pic.mcuCols = c.widthInBlocks;
        pic.mcuRows = c.heightInBlocks;
        pic.blocksPerMcu = 1;
        return true;
    }
    if (blocks > 10) return false;
    pic.mcuCols = divUp(pic.width, 8 * pic.maxH);
    pic.mcuRows = divUp(pic.height, 8 * pic.maxV);
    pic.blocksPerMcu = blocks;
    return true;
}

// Copies the entropy-coded data from `at` into pic.data without stuffing, noting where each
// restart interval starts. Only restart markers in sequence and a final EOI are accepted.
bool unstuff(ByteSpan file, std::size_t at, Picture& pic) {
    pic.data.reserve(file.size() - at + kDataPadding);
    pic.intervalStart.assign(1, 0);
    pic.fileBegin.assign(1, at);
    const std::uint8_t* p = file.data();
    const std::size_t end = file.size();
    while (at < end) {
        const void* ff = std::memchr(p + at, 0xFF, end - at);
        const std::size_t stop =
            ff ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(ff) - p) : end;
        pic.data.insert(pic.data.end(), p + at, p + stop);
        if (!ff) return false;  // no EOI
        at = stop + 1;
        while (at < end && p[at] == 0xFF) ++at;  // fill bytes
        if (at >= end) return false;
        const std::uint8_t marker = p[at++];
        if (marker == 0x00) {
            pic.data.push_back(0xFF);
        } else if (marker >= kRST0 && marker <= kRST7) {
            const int expected = (pic.intervalCount()) % 8;
            if (!pic.restartInterval || marker - kRST0 != expected) return false;
            pic.intervalStart.push_back(pic.data.size());
            pic.fileEnd.push_back(stop);
            pic.fileBegin.push_back(at);
        } else if (marker == kEOI) {
            pic.intervalStart.push_back(pic.data.size());
            pic.fileEnd.push_back(stop);
            const int intervals =
                pic.restartInterval ? divUp(pic.mcuCount(), pic.restartInterval) : 1;
            pic.data.resize(pic.data.size() + kDataPadding, 0);
            return pic.intervalCount() == intervals;
        } else {
            return false;  // DNL, another scan or tables: libjpeg's business
        }
    }
    return false;
}

}  // namespace

std::size_t stuffedLength(ByteSpan file, std::size_t begin, std::size_t unstuffed) {
    std::size_t at = begin;
    while (unstuffed > 0) {
        const auto* from = file.data() + at;
        const void* ff = std::memchr(from, 0xFF, std::min(unstuffed, file.size() - at));
        if (!ff) return at + unstuffed - begin;
        const auto n = static_cast<std::size_t>(static_cast<const std::uint8_t*>(ff) - from);
        // 0xFF, any fill bytes 0xFF, then 0x00 is one byte of data, as unstuff() reads it.
        at += n + 1;
        while (at < file.size() && file[at] == 0xFF) ++at;
        ++at;
        unstuffed -= n + 1;
    }
    return at - begin;
}

std::optional<Picture> parse(ByteSpan file, const JpegLimits& limits) {
    if (file.size() < 4 || file[0] != 0xFF || file[1] != 0xD8) return std::nullopt;
    Picture pic;
    bool haveFrame = false;
    std::size_t pos = 2;
    while (pos + 4 <= file.size()) {
        if (file[pos] != 0xFF) return std::nullopt;
        while (pos + 1 < file.size() && file[pos + 1] == 0xFF) ++pos;
        if (pos + 4 > file.size()) return std::nullopt;
        const std::uint8_t marker = file[pos + 1];
        const std::size_t length = (std::size_t{file[pos + 2]} << 8) | file[pos + 3];
        if (length < 2 || pos + 2 + length > file.size()) return std::nullopt;
        const SegmentReader segment{file.subspan(pos + 4, length - 2)};
        bool ok = true;
        if (marker == kSOF0 || marker == kSOF1) {
            ok = !haveFrame && readFrame(segment, pic);
            haveFrame = true;
        } else if (marker >= 0xC2 && marker <= 0xCF && marker != kDHT) {
            return std::nullopt;  // progressive, lossless or arithmetic coding
        } else if (marker == kDHT) {
            ok = readHuffman(segment, pic);
        } else if (marker == kDQT) {
            ok = readQuant(segment, pic);
        } else if (marker == kDRI) {
            ok = length == 4;
            pic.restartInterval = (file[pos + 4] << 8) | file[pos + 5];
        } else if (marker == kAPP14) {
            pic.adobe = pic.adobe || (length >= 7 && std::memcmp(&file[pos + 4], "Adobe", 5) == 0);
        } else if (marker == kSOS) {
            if (!haveFrame || !readScan(segment, pic) || !layOut(pic, limits)) return std::nullopt;
            pic.scanDataStart = pos + 2 + length;
            if (!unstuff(file, pic.scanDataStart, pic)) return std::nullopt;
            return pic;
        } else if (marker == kEOI || (marker >= kRST0 && marker <= kRST7) || marker == 0xD8) {
            return std::nullopt;
        }
        if (!ok) return std::nullopt;
        pos += 2 + length;
    }
    return std::nullopt;
}

}  // namespace platform::baseline
