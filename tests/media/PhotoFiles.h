#pragma once
// Sample photos of tests/data/photos and small generated JPEG files for the media tests.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/media/Exif.h"
#include "platform/media/JpegCodec.h"

namespace testphotos {

inline std::filesystem::path dir() {
    return std::filesystem::path(LUMORA_SOURCE_DIR) / "tests" / "data" / "photos";
}

inline platform::Bytes readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return platform::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline platform::Bytes load(const std::string& relative) {
    return readFile(dir() / relative);
}

inline std::vector<std::filesystem::path> invalidFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir() / "invalid")) {
        files.push_back(e.path());
    }
    return files;
}

// A width x height picture of smooth colour ramps (distinct in every corner), encoded at
// quality 95, carrying an EXIF block with the given orientation tag (none for tag 0).
inline platform::Bytes generated(int width, int height, int tag,
                                 platform::JpegSubsampling sub = platform::JpegSubsampling::S420) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * height * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &px[(static_cast<std::size_t>(y) * width + x) * 4];
            p[0] = static_cast<std::uint8_t>(40 + 160 * x / width);   // blue grows rightwards
            p[1] = static_cast<std::uint8_t>(40 + 160 * y / height);  // green grows downwards
            p[2] = 60;
            p[3] = 255;
        }
    }
    auto jpeg = platform::encodeJpeg(px.data(), width, height, width * 4, 95, sub);
    if (!jpeg || tag == 0) return jpeg.value_or(platform::Bytes{});
    return platform::writeExifOrientation(*jpeg, tag).value_or(platform::Bytes{});
}

// A flat grey picture (for finding drawn pixels).
inline platform::Bytes grey(int width, int height, int tag) {
    std::vector<std::uint8_t> px(static_cast<std::size_t>(width) * height * 4, 128);
    auto jpeg = platform::encodeJpeg(px.data(), width, height, width * 4, 95,
                                     platform::JpegSubsampling::S420);
    if (!jpeg) return {};
    return platform::writeExifOrientation(*jpeg, tag).value_or(platform::Bytes{});
}

// Channel value (0 = B, 1 = G, 2 = R) of a decoded pixel.
inline int channel(const platform::DecodedImage& img, int x, int y, int c) {
    return img.pixels[static_cast<std::size_t>(y) * img.stride + x * 4 + c];
}

}  // namespace testphotos
