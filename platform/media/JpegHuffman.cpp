#include "platform/media/JpegHuffman.h"

#include <bit>
#include <cstdlib>

namespace platform::baseline {

namespace {

// The canonical codes of a table (the JPEG standard's Annex C): calls emit(symbol, code,
// length, index) for each in order. False, before any call, when the codes overflow their
// lengths; the all-ones code of a length is not allowed either, as libjpeg has it.
template <typename Emit>
bool forEachCode(const HuffmanTable& table, Emit emit) {
    std::uint32_t code = 0;
    for (int len = 1; len <= 16; ++len) {
        code += table.counts[len];
        if (code >= (std::uint32_t{1} << len)) return false;
        code <<= 1;
    }
    code = 0;
    int k = 0;
    for (int len = 1; len <= 16; ++len, code <<= 1)
        for (int i = 0; i < table.counts[len]; ++i, ++k, ++code)
            emit(table.symbols[k], code, len, k);
    return true;
}

// A value of `size` extra bits as JPEG codes it: the negative half is offset by one.
int extend(std::uint32_t bits, int size) {
    const int v = static_cast<int>(bits);
    return v < (1 << (size - 1)) ? v - (1 << size) + 1 : v;
}

int magnitudeBits(int v) {
    return static_cast<int>(std::bit_width(static_cast<unsigned>(std::abs(v))));
}

// Decodes one block, storing it when kStore.
template <bool kStore>
bool codeBlock(BitReader& r, const HuffmanDecoder& dc, const HuffmanDecoder& ac, int& pred,
               std::int16_t* block) {
    if constexpr (kStore) std::memset(block, 0, sizeof(Block));
    r.refill();
    const int s = dc.decode(r);
    if (s < 0 || s > 15) return false;
    pred += s ? extend(r.take(s), s) : 0;
    if (pred < -32768 || pred > 32767) return false;
    for (int k = 1; k < 64;) {
        r.refill();  // a code and its extra bits: at most 31
        if (const auto& fast = ac.fastAc(r); fast.length) {
            r.skip(fast.length);
            if (fast.run == HuffmanDecoder::kEndOfBlock) break;
            if (fast.run == HuffmanDecoder::kZeroRun) {
                k += 16;
                if (k > 64) return false;
                continue;
            }
            k += fast.run;
            if (k > 63) return false;
            if constexpr (kStore) block[k] = fast.value;
            ++k;
            continue;
        }
        const int rs = ac.decode(r);
        if (rs < 0) return false;
        const int run = rs >> 4, size = rs & 15;
        if (size) {
            k += run;
            if (k > 63) return false;
            if constexpr (kStore) {
                block[k] = static_cast<std::int16_t>(extend(r.take(size), size));
            } else {
                r.skip(size);
            }
            ++k;
        } else if (run == 15) {
            k += 16;
            if (k > 64) return false;
        } else {
            break;  // end of block
        }
    }
    if constexpr (kStore) block[0] = static_cast<std::int16_t>(pred);
    return true;
}

}  // namespace

void BitWriter::flushStuffed(std::uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8) emit(static_cast<std::uint8_t>(word >> shift));
}

void BitWriter::copy(const Bytes& data, std::uint64_t from, std::uint64_t to) {
    if (from >= to) return;
    BitReader r(data);
    r.seek(from);
    for (; to - from >= 32; from += 32) {
        r.refill();
        put(r.take(32), 32);
    }
    r.refill();
    if (const auto rest = static_cast<int>(to - from)) put(r.take(rest), rest);
}

void BitWriter::appendStuffed(ByteSpan bytes) {
    padToByte();  // nothing to pad: only whole bytes were written
    out_->insert(out_->end(), bytes.begin(), bytes.end());
}

void BitWriter::padToByte() {
    if (const int pad = (8 - bits_ % 8) % 8) put((1u << pad) - 1, pad);
    while (bits_ >= 8) {
        bits_ -= 8;
        emit(static_cast<std::uint8_t>(acc_ >> bits_));
    }
}

void BitWriter::marker(std::uint8_t code) {
    padToByte();
    out_->push_back(0xFF);
    out_->push_back(code);
}

bool HuffmanDecoder::build(const HuffmanTable& table) {
    lookup_.fill(0);
    maxCode_.fill(-1);
    fastAc_.fill({});
    std::copy(table.symbols.begin(), table.symbols.end(), symbols_.begin());
    return forEachCode(table, [&](std::uint8_t symbol, std::uint32_t code, int len, int k) {
        if (maxCode_[len] < 0) valueOffset_[len] = k - static_cast<int>(code);
        maxCode_[len] = static_cast<std::int32_t>(code);
        if (len <= kLookBits) {
            const std::uint32_t first = code << (kLookBits - len), count = 1u << (kLookBits - len);
            for (std::uint32_t i = 0; i < count; ++i)
                lookup_[first + i] = static_cast<std::uint16_t>((len << 8) | symbol);
        }
        // As an AC code: every kFastBits-bit prefix starting with the code and holding its
        // extra bits.
        const int run = symbol >> 4, size = symbol & 15;
        if (len + size > kFastBits || (size == 0 && run != 0 && run != 15)) return;
        const int spare = kFastBits - len;
        for (std::uint32_t rest = 0; rest < (1u << spare); ++rest) {
            FastAc& e = fastAc_[(code << spare) | rest];
            e.length = static_cast<std::uint8_t>(len + size);
            if (size == 0) {
                e.run = run == 0 ? kEndOfBlock : kZeroRun;
                continue;
            }
            e.run = static_cast<std::uint8_t>(run);
            e.size = static_cast<std::uint8_t>(size);
            e.value = static_cast<std::int16_t>(extend(rest >> (spare - size), size));
        }
    });
}

bool HuffmanEncoder::build(const HuffmanTable& table) {
    entry_.fill(0);
    return forEachCode(table, [&](std::uint8_t symbol, std::uint32_t code, int len, int) {
        if (entry_[symbol]) return;  // a symbol listed twice keeps its first code
        entry_[symbol] = (code << 8) | static_cast<std::uint32_t>(len);
    });
}

McuCodec::McuCodec(const Picture& pic) {
    for (std::size_t c = 0; c < pic.components.size(); ++c) {
        const Component& comp = pic.components[c];
        Tables& t = tables_[c];
        valid_ = valid_ && t.dcDecoder.build(pic.dc[comp.dcTable]) &&
                 t.acDecoder.build(pic.ac[comp.acTable]) &&
                 t.dcEncoder.build(pic.dc[comp.dcTable]) && t.acEncoder.build(pic.ac[comp.acTable]);
        for (int i = 0; i < comp.h * comp.v; ++i) blockComponent_.push_back(static_cast<int>(c));
    }
}

// The coders work on local copies of the reader and writer, which the compiler can keep in
// registers, and store them back once per MCU.
bool McuCodec::decode(BitReader& reader, Predictors& pred, Block* blocks,
                      std::uint64_t limit) const {
    BitReader r = reader;
    const auto done = [&](bool ok) { return reader = r, ok; };
    for (std::size_t b = 0; b < blockComponent_.size(); ++b) {
        const int c = blockComponent_[b];
        const Tables& t = tables_[c];
        if (!codeBlock<true>(r, t.dcDecoder, t.acDecoder, pred[c], blocks[b].data()) ||
            r.position() > limit)
            return done(false);
    }
    return done(true);
}

bool McuCodec::skip(BitReader& reader, Predictors& pred, std::uint64_t limit) const {
    BitReader r = reader;
    const auto done = [&](bool ok) { return reader = r, ok; };
    for (const int c : blockComponent_) {
        const Tables& t = tables_[c];
        if (!codeBlock<false>(r, t.dcDecoder, t.acDecoder, pred[c], nullptr) ||
            r.position() > limit)
            return done(false);
    }
    return done(true);
}

bool McuCodec::encode(BitWriter& writer, Predictors& pred, const Block* blocks) const {
    BitWriter w = writer;
    const bool ok = encodeBlocks(w, pred, blocks);
    writer = w;
    return ok;
}

bool McuCodec::encodeBlocks(BitWriter& w, Predictors& pred, const Block* blocks) const {
    for (std::size_t b = 0; b < blockComponent_.size(); ++b) {
        const int c = blockComponent_[b];
        const Tables& t = tables_[c];
        const Block& block = blocks[b];
        const int diff = block[0] - pred[c];
        pred[c] = block[0];
        int size = diff ? magnitudeBits(diff) : 0;
        if (!t.dcEncoder.has(size)) return false;
        t.dcEncoder.put(w, size, static_cast<std::uint32_t>(diff < 0 ? diff - 1 : diff), size);
        // The non-zero coefficients, visited in order through their mask.
        std::uint64_t mask = 0;
        for (int k = 1; k < 64; ++k) mask |= std::uint64_t{block[k] != 0} << k;
        int last = 0;
        while (mask) {
            const int k = std::countr_zero(mask);
            mask &= mask - 1;
            int run = k - last - 1;
            last = k;
            for (; run > 15; run -= 16) {
                if (!t.acEncoder.has(0xF0)) return false;
                t.acEncoder.put(w, 0xF0, 0, 0);
            }
            const int v = block[k];
            size = magnitudeBits(v);
            const int symbol = (run << 4) | size;
            if (size > 15 || !t.acEncoder.has(symbol)) return false;
            t.acEncoder.put(w, symbol, static_cast<std::uint32_t>(v < 0 ? v - 1 : v), size);
        }
        if (last < 63) {
            if (!t.acEncoder.has(0x00)) return false;
            t.acEncoder.put(w, 0x00, 0, 0);
        }
    }
    return true;
}

bool McuCodec::transcode(BitReader& reader, Predictors& pred, std::uint64_t negate,
                         BitWriter& acOut, std::uint32_t* begins, std::int16_t* dc,
                         std::uint64_t limit) const {
    BitReader r = reader;
    BitWriter out = acOut;
    const auto done = [&](bool ok) { return reader = r, acOut = out, ok; };
    for (std::size_t b = 0; b < blockComponent_.size(); ++b) {
        const int c = blockComponent_[b];
        const Tables& t = tables_[c];
        begins[b] = static_cast<std::uint32_t>(out.position());
        r.refill();
        const int s = t.dcDecoder.decode(r);
        if (s < 0 || s > 15) return done(false);
        int& p = pred[c];
        p += s ? extend(r.take(s), s) : 0;
        if (p < -32768 || p > 32767) return done(false);
        dc[b] = static_cast<std::int16_t>(p);
        for (int k = 1; k < 64;) {
            r.refill();
            if (const auto& fast = t.acDecoder.fastAc(r); fast.length) {
                std::uint32_t bits = r.take(fast.length);
                if (fast.run == HuffmanDecoder::kEndOfBlock) {
                    out.put(bits, fast.length);
                    break;
                }
                if (fast.run == HuffmanDecoder::kZeroRun) {
                    out.put(bits, fast.length);
                    if ((k += 16) > 64) return done(false);
                    continue;
                }
                if ((k += fast.run) > 63) return done(false);
                if ((negate >> k) & 1) bits ^= (1u << fast.size) - 1;
                out.put(bits, fast.length);
                ++k;
                continue;
            }
            const std::uint32_t ahead = r.peek(16);
            const std::uint64_t before = r.position();
            const int rs = t.acDecoder.decode(r);
            if (rs < 0) return done(false);
            const auto length = static_cast<int>(r.position() - before);
            out.put(ahead >> (16 - length), length);
            const int run = rs >> 4, size = rs & 15;
            if (size) {
                if ((k += run) > 63) return done(false);
                std::uint32_t extra = r.take(size);
                if ((negate >> k) & 1) extra ^= (1u << size) - 1;
                out.put(extra, size);
                ++k;
            } else if (run == 15) {
                if ((k += 16) > 64) return done(false);
            } else {
                break;  // end of block
            }
        }
        if (r.position() > limit) return done(false);
    }
    begins[blockComponent_.size()] = static_cast<std::uint32_t>(out.position());
    return done(true);
}

bool McuCodec::encodeTranscoded(BitWriter& writer, Predictors& pred, const Bytes& ac,
                                const std::uint32_t* begins, const std::int16_t* dc,
                                const int* order) const {
    BitWriter w = writer;
    const auto done = [&](bool ok) { return writer = w, ok; };
    for (std::size_t b = 0; b < blockComponent_.size(); ++b) {
        const int c = blockComponent_[b];
        const HuffmanEncoder& dcEncoder = tables_[c].dcEncoder;
        const int from = order[b];
        const int diff = dc[from] - pred[c];
        pred[c] = dc[from];
        const int size = diff ? magnitudeBits(diff) : 0;
        if (!dcEncoder.has(size)) return done(false);
        dcEncoder.put(w, size, static_cast<std::uint32_t>(diff < 0 ? diff - 1 : diff), size);
        w.copy(ac, begins[from], begins[from + 1]);
    }
    return done(true);
}

}  // namespace platform::baseline
