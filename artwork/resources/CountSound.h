#pragma once
// The self-timer's count-down tick: a short AIFF file (16-bit mono, 44.1 kHz, about 50 ms).

#include <cstdint>
#include <vector>

namespace lumora::artwork {

inline constexpr int kCountSoundSampleRate = 44100;
inline constexpr int kCountSoundFrames = 2205;  // 50 ms

// The complete file: FORM/AIFF with COMM and SSND chunks, big-endian as AIFF requires.
std::vector<uint8_t> makeCountSoundAiff();

}  // namespace lumora::artwork
