#pragma once
// Huffman decoding and encoding of the 8x8 blocks of a sequential JPEG, over the unstuffed
// entropy data of a baseline::Picture. Positions are bit offsets into that data, so a transform
// can note where an MCU starts, come back to it later, or copy a run of coded MCUs unchanged.

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/media/JpegBaseline.h"

namespace platform::baseline {

using Block = std::array<std::int16_t, 64>;  // quantised coefficients, zig-zag order
using Predictors = std::array<int, 4>;       // the last DC value of each component

// Reads bits, most significant first, from data padded as Picture::data is. The next bits wait
// left-aligned in a 64-bit word, refilled eight bytes at a time.
class BitReader {
public:
    explicit BitReader(const Bytes& data) : data_(data.data()) {}
    std::uint64_t position() const { return byte_ * 8 - static_cast<unsigned>(bits_); }
    void seek(std::uint64_t bit) {
        byte_ = bit >> 3;
        acc_ = 0;
        bits_ = 0;
        refill();
        skip(static_cast<int>(bit & 7));
    }
    // Makes at least 56 bits available.
    void refill() {
        std::uint64_t word;
        std::memcpy(&word, data_ + byte_, 8);
        acc_ |= __builtin_bswap64(word) >> bits_;
        byte_ += static_cast<unsigned>(63 - bits_) >> 3;
        bits_ |= 56;
    }
    // The next n bits (1-32); needs n available.
    std::uint32_t peek(int n) const { return static_cast<std::uint32_t>(acc_ >> (64 - n)); }
    void skip(int n) {
        acc_ <<= n;
        bits_ -= n;
    }
    std::uint32_t take(int n) {
        const std::uint32_t v = peek(n);
        skip(n);
        return v;
    }

private:
    const std::uint8_t* data_;
    std::uint64_t byte_ = 0;  // the next byte to load
    std::uint64_t acc_ = 0;
    int bits_ = 0;  // available in acc_
};

// Writes bits, most significant first, into a JPEG scan (stuffing a zero byte after every
// 0xFF) or, unstuffed, into a buffer a BitReader can read back.
class BitWriter {
public:
    explicit BitWriter(Bytes& out, bool stuff = true) : out_(&out), stuff_(stuff) {}
    // The low n bits of value, n 0-32.
    void put(std::uint32_t value, int n) {
        acc_ = (acc_ << n) | (value & ((std::uint64_t{1} << n) - 1));
        bits_ += n;
        if (bits_ >= 32) flushWord();
    }
    void flushWord() {
        bits_ -= 32;
        const auto w = static_cast<std::uint32_t>(acc_ >> bits_);
        // A word with no 0xFF byte (the usual case) goes out as it is.
        if (stuff_ && (((~w) - 0x01010101u) & w & 0x80808080u) != 0) return flushStuffed(w);
        out_->push_back(static_cast<std::uint8_t>(w >> 24));
        out_->push_back(static_cast<std::uint8_t>(w >> 16));
        out_->push_back(static_cast<std::uint8_t>(w >> 8));
        out_->push_back(static_cast<std::uint8_t>(w));
    }
    // Bits [from, to) of a reader's data, as they are.
    void copy(const Bytes& data, std::uint64_t from, std::uint64_t to);
    // Bytes of a scan as a file holds them, stuffing and all, after a whole number of bytes.
    void appendStuffed(ByteSpan bytes);
    // Bits written so far (unstuffed writers only).
    std::uint64_t position() const { return out_->size() * 8 + static_cast<unsigned>(bits_); }
    // Fills the last byte with one bits (as a decoder expects before a marker).
    void padToByte();
    // A marker after padding the bits so far.
    void marker(std::uint8_t code);

private:
    void flushStuffed(std::uint32_t word);
    void emit(std::uint8_t byte) {
        out_->push_back(byte);
        if (stuff_ && byte == 0xFF) out_->push_back(0);
    }
    Bytes* out_;
    bool stuff_;
    std::uint64_t acc_ = 0;
    int bits_ = 0;
};

class HuffmanDecoder {
public:
    // False for a table whose codes do not fit their lengths (as libjpeg rejects).
    bool build(const HuffmanTable& table);
    // The next symbol, or -1 for a code the table lacks; needs 16 bits available.
    int decode(BitReader& r) const {
        const std::uint32_t bits = r.peek(16);
        if (const std::uint16_t e = lookup_[bits >> (16 - kLookBits)]) {
            r.skip(e >> 8);
            return e & 0xFF;
        }
        for (int len = kLookBits + 1; len <= 16; ++len) {
            const auto code = static_cast<std::int32_t>(bits >> (16 - len));
            if (code <= maxCode_[len]) {
                r.skip(len);
                return symbols_[static_cast<std::size_t>(valueOffset_[len] + code)];
            }
        }
        return -1;
    }

    // An AC code and its extra bits decoded by one look at the next kFastBits bits: `length`
    // bits in all (0 when longer: use decode), then a coefficient `value` after `run` zeros,
    // or a run of 16 zeros (run kZeroRun) or the end of the block (run kEndOfBlock).
    struct FastAc {
        std::int16_t value = 0;
        std::uint8_t length = 0;
        std::uint8_t run = 0;
        std::uint8_t size = 0;  // of the extra bits
    };
    static constexpr int kFastBits = 10;
    static constexpr std::uint8_t kZeroRun = 16, kEndOfBlock = 17;
    const FastAc& fastAc(const BitReader& r) const { return fastAc_[r.peek(kFastBits)]; }

private:
    static constexpr int kLookBits = 9;
    std::array<FastAc, 1 << kFastBits> fastAc_{};
    std::array<std::uint16_t, 1 << kLookBits> lookup_{};  // (length << 8) | symbol; 0: longer
    std::array<std::int32_t, 17> maxCode_{};
    std::array<int, 17> valueOffset_{};
    std::array<std::uint8_t, 256> symbols_{};
};

class HuffmanEncoder {
public:
    bool build(const HuffmanTable& table);
    bool has(int symbol) const { return (entry_[symbol] & 0xFF) != 0; }
    // The symbol's code followed by `size` extra bits of value.
    void put(BitWriter& w, int symbol, std::uint32_t value, int size) const {
        const std::uint32_t e = entry_[symbol];
        w.put(((e >> 8) << size) | (value & ((1u << size) - 1)), static_cast<int>(e & 0xFF) + size);
    }

private:
    std::array<std::uint32_t, 256> entry_{};  // (code << 8) | length; 0: no code
};

// Decodes and encodes whole MCUs of one picture with its own tables.
class McuCodec {
public:
    // valid() is false when a table the scan uses is unsound.
    explicit McuCodec(const Picture& pic);
    bool valid() const { return valid_; }
    int blocksPerMcu() const { return static_cast<int>(blockComponent_.size()); }

    // One MCU into blocks[blocksPerMcu()]; false for corrupt data or reading past `limit`.
    bool decode(BitReader& r, Predictors& pred, Block* blocks, std::uint64_t limit) const;
    // The same, keeping only the DC predictors.
    bool skip(BitReader& r, Predictors& pred, std::uint64_t limit) const;
    // False when a value needs a code the file's tables lack.
    bool encode(BitWriter& w, Predictors& pred, const Block* blocks) const;

    // Mirroring blocks in the DCT domain changes the sign of some coefficients, and a sign
    // is all in a coefficient's extra bits: the codes stay. transcode() reads one MCU and
    // appends each block's AC data to `ac` (unstuffed) with the extra bits of the positions in
    // `negate` inverted, noting where each block's data begins and its DC value;
    // encodeTranscoded() writes an MCU made of such blocks (block b being the noted block
    // order[b]), coding only the DC differences anew. begins[] needs one entry past the last
    // block written (the end of `ac` so far).
    bool transcode(BitReader& r, Predictors& pred, std::uint64_t negate, BitWriter& ac,
                   std::uint32_t* begins, std::int16_t* dc, std::uint64_t limit) const;
    bool encodeTranscoded(BitWriter& w, Predictors& pred, const Bytes& ac,
                          const std::uint32_t* begins, const std::int16_t* dc,
                          const int* order) const;

private:
    bool encodeBlocks(BitWriter& w, Predictors& pred, const Block* blocks) const;
    struct Tables {
        HuffmanDecoder dcDecoder, acDecoder;
        HuffmanEncoder dcEncoder, acEncoder;
    };
    std::array<Tables, 4> tables_;     // per component
    std::vector<int> blockComponent_;  // the component of each block of an MCU
    bool valid_ = true;
};

}  // namespace platform::baseline
