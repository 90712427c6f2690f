#pragma once
// Reading the headers of AIFF, AIFF-C and WAV sound files, to tell a playable sound from
// anything else, and writing small PCM files (generated sounds, tests).
//
// The check walks every chunk: sizes must stay inside the file and the container's own size,
// the format chunk must describe a sound (channels, rate, sample size, a known encoding), and the
// sample data must hold the frames the header promises.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct AudioFileInfo {
    std::string container;  // "AIFF", "AIFC" or "WAVE"
    std::string encoding;   // "pcm", "float", "ulaw", "alaw", "ima4"
    int channels = 0;
    double sampleRate = 0;
    int bitsPerSample = 0;
    std::uint64_t frames = 0;
    double duration() const {
        return sampleRate > 0 ? static_cast<double>(frames) / sampleRate : 0;
    }
};

// The description of a valid sound file, or nullopt with the reason in `error`.
std::optional<AudioFileInfo> inspectAudioFile(const std::uint8_t* data, std::size_t size,
                                              std::string* error = nullptr);
inline std::optional<AudioFileInfo> inspectAudioFile(const std::vector<std::uint8_t>& bytes,
                                                     std::string* error = nullptr) {
    return inspectAudioFile(bytes.data(), bytes.size(), error);
}

// 16-bit PCM files from interleaved samples (channels >= 1, a positive rate).
std::vector<std::uint8_t> encodeAiffPcm16(const std::vector<std::int16_t>& samples, int channels,
                                          double sampleRate);
std::vector<std::uint8_t> encodeWavPcm16(const std::vector<std::int16_t>& samples, int channels,
                                         std::uint32_t sampleRate);

}  // namespace platform
