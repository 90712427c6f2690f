#include "artwork/resources/CountSound.h"

#include <cmath>
#include <string_view>

namespace lumora::artwork {

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void putId(std::vector<uint8_t>& out, std::string_view id) {
    out.insert(out.end(), id.begin(), id.end());
}

// AIFF stores the sample rate as an 80-bit IEEE extended float: sign and 15-bit exponent
// (bias 16383), then a 64-bit mantissa with an explicit leading 1.
void putExtended(std::vector<uint8_t>& out, uint32_t value) {
    int exponent = 31;
    while (exponent > 0 && (value & (1u << exponent)) == 0) --exponent;
    put16(out, static_cast<uint16_t>(16383 + exponent));
    const uint64_t mantissa = static_cast<uint64_t>(value) << (63 - exponent);
    put32(out, static_cast<uint32_t>(mantissa >> 32));
    put32(out, static_cast<uint32_t>(mantissa));
}

}  // namespace

std::vector<uint8_t> makeCountSoundAiff() {
    constexpr uint32_t kCommSize = 18;
    constexpr uint32_t kSsndSize = 8 + 2 * kCountSoundFrames;
    std::vector<uint8_t> out;
    out.reserve(12 + 8 + kCommSize + 8 + kSsndSize);
    putId(out, "FORM");
    put32(out, 4 + (8 + kCommSize) + (8 + kSsndSize));
    putId(out, "AIFF");

    putId(out, "COMM");
    put32(out, kCommSize);
    put16(out, 1);  // channels
    put32(out, kCountSoundFrames);
    put16(out, 16);  // bits per sample
    putExtended(out, kCountSoundSampleRate);

    putId(out, "SSND");
    put32(out, kSsndSize);
    put32(out, 0);  // offset
    put32(out, 0);  // block size
    // A short click: a 2 kHz tone with a 1 ms attack and a fast exponential decay.
    for (int i = 0; i < kCountSoundFrames; ++i) {
        const double t = static_cast<double>(i) / kCountSoundSampleRate;
        const double attack = std::min(1.0, t / 0.001);
        const double envelope = attack * std::exp(-t / 0.008);
        const double s = 0.7 * envelope * std::sin(2 * M_PI * 2000 * t);
        put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(s * 32767))));
    }
    return out;
}

}  // namespace lumora::artwork
