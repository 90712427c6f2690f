#include "platform/media/AudioFile.h"

#include <cmath>
#include <cstring>

namespace platform {

namespace {

std::uint32_t be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}
std::uint16_t be16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
std::uint32_t le32(const std::uint8_t* p) {
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) |
           p[0];
}
std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>((p[1] << 8) | p[0]);
}
bool tag(const std::uint8_t* p, const char* four) {
    return std::memcmp(p, four, 4) == 0;
}

// The 80-bit IEEE extended number AIFF stores its sample rate in; NaN when not a finite
// positive number.
double extended80(const std::uint8_t* p) {
    const int sign = p[0] & 0x80;
    const int exponent = ((p[0] & 0x7f) << 8) | p[1];
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i) mantissa = (mantissa << 8) | p[2 + i];
    if (sign != 0 || exponent == 0x7fff || mantissa == 0) return NAN;
    return std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
}

std::optional<AudioFileInfo> failWith(std::string* error, const std::string& why) {
    if (error != nullptr) *error = why;
    return std::nullopt;
}

std::optional<AudioFileInfo> inspectAiff(const std::uint8_t* d, std::size_t size,
                                         std::string* error) {
    const std::uint64_t formSize = be32(d + 4);
    if (formSize < 4 || formSize + 8 > size) return failWith(error, "FORM size exceeds the file");
    const bool aifc = tag(d + 8, "AIFC");
    AudioFileInfo info;
    info.container = aifc ? "AIFC" : "AIFF";
    const std::uint64_t end = formSize + 8;
    bool haveComm = false;
    std::optional<std::uint64_t> soundBytes;
    double bytesPerFrame = 0;
    for (std::uint64_t at = 12; at < end;) {
        if (end - at < 8) return failWith(error, "truncated chunk header");
        const std::uint8_t* c = d + at;
        const std::uint64_t len = be32(c + 4);
        if (len > end - at - 8) return failWith(error, "chunk exceeds the FORM");
        const std::uint8_t* body = c + 8;
        if (tag(c, "COMM")) {
            if (haveComm) return failWith(error, "two COMM chunks");
            if (len < (aifc ? 22u : 18u)) return failWith(error, "COMM chunk too short");
            haveComm = true;
            info.channels = static_cast<std::int16_t>(be16(body));
            info.frames = be32(body + 2);
            info.bitsPerSample = static_cast<std::int16_t>(be16(body + 6));
            info.sampleRate = extended80(body + 8);
            if (info.channels < 1) return failWith(error, "no channels");
            if (info.bitsPerSample < 1 || info.bitsPerSample > 32) {
                return failWith(error, "sample size outside 1-32 bits");
            }
            if (!(info.sampleRate > 0) || info.sampleRate > 1e6) {
                return failWith(error, "sample rate not a positive rate");
            }
            const double bytes = std::ceil(info.bitsPerSample / 8.0);
            info.encoding = "pcm";
            bytesPerFrame = bytes * info.channels;
            if (aifc) {
                const std::uint8_t* type = body + 18;
                if (tag(type, "NONE") || tag(type, "sowt") || tag(type, "twos") ||
                    tag(type, "raw ")) {
                } else if (tag(type, "fl32") || tag(type, "FL32")) {
                    info.encoding = "float";
                    bytesPerFrame = 4.0 * info.channels;
                } else if (tag(type, "fl64") || tag(type, "FL64")) {
                    info.encoding = "float";
                    bytesPerFrame = 8.0 * info.channels;
                } else if (tag(type, "ulaw") || tag(type, "ULAW") || tag(type, "alaw") ||
                           tag(type, "ALAW")) {
                    info.encoding = (type[0] == 'u' || type[0] == 'U') ? "ulaw" : "alaw";
                    bytesPerFrame = 1.0 * info.channels;
                } else if (tag(type, "ima4")) {
                    // 34-byte packets of 64 frames per channel; COMM counts packets.
                    info.encoding = "ima4";
                    info.frames *= 64;
                    bytesPerFrame = 34.0 / 64.0 * info.channels;
                } else {
                    return failWith(error, "unknown AIFF-C compression");
                }
            }
        } else if (tag(c, "SSND")) {
            if (soundBytes) return failWith(error, "two SSND chunks");
            if (len < 8) return failWith(error, "SSND chunk too short");
            const std::uint64_t offset = be32(body);
            if (offset > len - 8) return failWith(error, "SSND offset past its data");
            soundBytes = len - 8 - offset;
        }
        at += 8 + len + (len & 1);  // chunks are padded to an even length
    }
    if (!haveComm) return failWith(error, "no COMM chunk");
    const double needed = static_cast<double>(info.frames) * bytesPerFrame;
    if (info.frames > 0 && !soundBytes) return failWith(error, "no SSND chunk");
    if (soundBytes && static_cast<double>(*soundBytes) < std::floor(needed)) {
        return failWith(error, "SSND holds fewer frames than COMM promises");
    }
    return info;
}

std::optional<AudioFileInfo> inspectWav(const std::uint8_t* d, std::size_t size,
                                        std::string* error) {
    const std::uint64_t riffSize = le32(d + 4);
    if (riffSize < 4 || riffSize + 8 > size) return failWith(error, "RIFF size exceeds the file");
    AudioFileInfo info;
    info.container = "WAVE";
    const std::uint64_t end = riffSize + 8;
    bool haveFmt = false;
    std::optional<std::uint64_t> dataBytes;
    int blockAlign = 0;
    for (std::uint64_t at = 12; at < end;) {
        if (end - at < 8) return failWith(error, "truncated chunk header");
        const std::uint8_t* c = d + at;
        const std::uint64_t len = le32(c + 4);
        if (len > end - at - 8) return failWith(error, "chunk exceeds the RIFF");
        const std::uint8_t* body = c + 8;
        if (tag(c, "fmt ")) {
            if (haveFmt) return failWith(error, "two fmt chunks");
            if (len < 16) return failWith(error, "fmt chunk too short");
            haveFmt = true;
            int formatTag = le16(body);
            info.channels = le16(body + 2);
            info.sampleRate = le32(body + 4);
            blockAlign = le16(body + 12);
            info.bitsPerSample = le16(body + 14);
            if (formatTag == 0xfffe) {
                if (len < 40) return failWith(error, "extensible fmt chunk too short");
                formatTag = le16(body + 24);  // the sub-format GUID starts with the tag
            }
            if (info.channels < 1) return failWith(error, "no channels");
            if (info.sampleRate <= 0) return failWith(error, "sample rate zero");
            const int bits = info.bitsPerSample;
            bool ok = false;
            if (formatTag == 1) {
                info.encoding = "pcm";
                ok = bits == 8 || bits == 16 || bits == 24 || bits == 32;
            } else if (formatTag == 3) {
                info.encoding = "float";
                ok = bits == 32 || bits == 64;
            } else if (formatTag == 6 || formatTag == 7) {
                info.encoding = formatTag == 6 ? "alaw" : "ulaw";
                ok = bits == 8;
            } else {
                return failWith(error, "unsupported WAV encoding");
            }
            if (!ok) return failWith(error, "sample size does not fit the encoding");
            if (blockAlign != info.channels * bits / 8) {
                return failWith(error, "block alignment does not match the channels");
            }
        } else if (tag(c, "data")) {
            if (dataBytes) return failWith(error, "two data chunks");
            dataBytes = len;
        }
        at += 8 + len + (len & 1);
    }
    if (!haveFmt) return failWith(error, "no fmt chunk");
    if (!dataBytes) return failWith(error, "no data chunk");
    info.frames = *dataBytes / static_cast<std::uint64_t>(blockAlign);
    return info;
}

void putBe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}
void putBe16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}
void putLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int s = 0; s <= 24; s += 8) out.push_back(static_cast<std::uint8_t>(v >> s));
}
void putLe16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
// A four-character chunk identifier (a string literal such as "FORM"). Pushed byte by byte:
// GCC 12 misreads a ranged insert here as an overflow under -fsanitize=thread.
void putTag(std::vector<std::uint8_t>& out, const char (&four)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(four[i]));
}

void putExtended80(std::vector<std::uint8_t>& out, double value) {
    int exponent = 0;
    const double fraction = std::frexp(value, &exponent);  // value = fraction * 2^exponent
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    putBe16(out, static_cast<std::uint16_t>(exponent - 1 + 16383));
    for (int s = 56; s >= 0; s -= 8) out.push_back(static_cast<std::uint8_t>(mantissa >> s));
}

}  // namespace

std::optional<AudioFileInfo> inspectAudioFile(const std::uint8_t* data, std::size_t size,
                                              std::string* error) {
    if (data == nullptr || size < 12) return failWith(error, "too short for a sound file");
    if (tag(data, "FORM") && (tag(data + 8, "AIFF") || tag(data + 8, "AIFC"))) {
        return inspectAiff(data, size, error);
    }
    if (tag(data, "RIFF") && tag(data + 8, "WAVE")) return inspectWav(data, size, error);
    return failWith(error, "neither AIFF nor WAV");
}

std::vector<std::uint8_t> encodeAiffPcm16(const std::vector<std::int16_t>& samples, int channels,
                                          double sampleRate) {
    if (channels < 1 || !(sampleRate > 0)) return {};
    const auto frames = static_cast<std::uint32_t>(samples.size() / channels);
    const std::uint32_t soundBytes = frames * channels * 2;
    std::vector<std::uint8_t> out;
    putTag(out, "FORM");
    putBe32(out, 4 + (8 + 18) + (8 + 8 + soundBytes));
    putTag(out, "AIFF");
    putTag(out, "COMM");
    putBe32(out, 18);
    putBe16(out, static_cast<std::uint16_t>(channels));
    putBe32(out, frames);
    putBe16(out, 16);
    putExtended80(out, sampleRate);
    putTag(out, "SSND");
    putBe32(out, 8 + soundBytes);
    putBe32(out, 0);
    putBe32(out, 0);
    for (std::size_t i = 0; i < std::size_t{frames} * channels; ++i) {
        putBe16(out, static_cast<std::uint16_t>(samples[i]));
    }
    return out;
}

std::vector<std::uint8_t> encodeWavPcm16(const std::vector<std::int16_t>& samples, int channels,
                                         std::uint32_t sampleRate) {
    if (channels < 1 || sampleRate == 0) return {};
    const auto frames = static_cast<std::uint32_t>(samples.size() / channels);
    const std::uint32_t dataBytes = frames * channels * 2;
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    putLe32(out, 4 + (8 + 16) + (8 + dataBytes + (dataBytes & 1)));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    putLe32(out, 16);
    putLe16(out, 1);
    putLe16(out, static_cast<std::uint16_t>(channels));
    putLe32(out, sampleRate);
    putLe32(out, sampleRate * channels * 2);
    putLe16(out, static_cast<std::uint16_t>(channels * 2));
    putLe16(out, 16);
    putTag(out, "data");
    putLe32(out, dataBytes);
    for (std::size_t i = 0; i < std::size_t{frames} * channels; ++i) {
        putLe16(out, static_cast<std::uint16_t>(samples[i]));
    }
    return out;
}

}  // namespace platform
