#pragma once
// Decoded photos seen upright, for comparing what a person would see.

#include <cstdlib>
#include <optional>

#include "platform/media/Exif.h"
#include "platform/media/ExifOrientation.h"
#include "platform/media/JpegCodec.h"
#include "tests/media/PhotoFiles.h"

namespace testphotos {

struct Upright {
    platform::DecodedImage image;
    int tag = 1;
    int width() const {
        return platform::isSidewaysExifOrientation(tag) ? image.height : image.width;
    }
    int height() const {
        return platform::isSidewaysExifOrientation(tag) ? image.width : image.height;
    }
    int at(int ux, int uy, int c) const {
        auto s = platform::storedPixelForUpright(tag, image.width, image.height, ux, uy);
        return channel(image, s.x, s.y, c);
    }
};

inline std::optional<Upright> upright(platform::ByteSpan jpeg, int tag) {
    auto image = platform::decodeJpeg(jpeg);
    if (!image) return std::nullopt;
    return Upright{std::move(*image), tag};
}

// Mean and largest channel difference between `a` mirrored left-right and `b`, both upright.
struct Difference {
    double mean = 0;
    int max = 0;
};
inline Difference mirroredDifference(const Upright& a, const Upright& b) {
    Difference d;
    long total = 0, count = 0;
    const int w = a.width();
    for (int uy = 0; uy < a.height(); ++uy) {
        for (int ux = 0; ux < w; ++ux) {
            for (int c = 0; c < 3; ++c) {
                const int diff = std::abs(a.at(w - 1 - ux, uy, c) - b.at(ux, uy, c));
                total += diff;
                d.max = std::max(d.max, diff);
                ++count;
            }
        }
    }
    d.mean = count ? static_cast<double>(total) / count : 0;
    return d;
}

inline double meanDifference(const platform::DecodedImage& a, const platform::DecodedImage& b) {
    long total = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int c = 0; c < 3; ++c)
                total += std::abs(channel(a, x, y, c) - channel(b, x, y, c));
    return static_cast<double>(total) / (3.0 * a.width * a.height);
}

inline int maxDifference(const platform::DecodedImage& a, const platform::DecodedImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(channel(a, x, y, c) - channel(b, x, y, c)));
    return worst;
}

}  // namespace testphotos
