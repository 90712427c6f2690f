#include "sim/scenario/PhotoPixels.h"

#include "platform/media/Exif.h"
#include "platform/media/ExifOrientation.h"

namespace sim {

std::optional<PhotoCorner> parsePhotoCorner(std::string_view text) {
    if (text == "upper-left") return PhotoCorner::UpperLeft;
    if (text == "upper-right") return PhotoCorner::UpperRight;
    if (text == "lower-left") return PhotoCorner::LowerLeft;
    if (text == "lower-right") return PhotoCorner::LowerRight;
    return std::nullopt;
}

std::optional<long> countRedPixels(platform::ByteSpan jpeg, PhotoCorner corner) {
    const auto image = platform::decodeJpeg(jpeg);
    if (!image || image->width <= 0 || image->height <= 0) return std::nullopt;
    int tag = platform::readExifOrientation(jpeg).value_or(1);
    if (!platform::isValidExifOrientation(tag)) tag = 1;
    const bool sideways = platform::isSidewaysExifOrientation(tag);
    const int width = sideways ? image->height : image->width;
    const int height = sideways ? image->width : image->height;
    const bool left = corner == PhotoCorner::UpperLeft || corner == PhotoCorner::LowerLeft;
    const bool upper = corner == PhotoCorner::UpperLeft || corner == PhotoCorner::UpperRight;
    const int x0 = left ? 0 : width - width / 4, x1 = left ? width / 4 : width;
    const int y0 = upper ? 0 : height - height / 8, y1 = upper ? height / 8 : height;
    long count = 0;
    for (int uy = y0; uy < y1; ++uy) {
        for (int ux = x0; ux < x1; ++ux) {
            const auto p =
                platform::storedPixelForUpright(tag, image->width, image->height, ux, uy);
            // Decoded pixels are stored blue, green, red, alpha.
            const std::uint8_t* px =
                image->pixels.get() + static_cast<std::size_t>(p.y) * image->stride + p.x * 4;
            if (px[2] > 170 && px[1] < 110 && px[0] < 110) ++count;
        }
    }
    return count;
}

std::optional<double> meanBrightness(platform::ByteSpan jpeg) {
    const auto image = platform::decodeJpeg(jpeg);
    if (!image || image->width <= 0 || image->height <= 0) return std::nullopt;
    double sum = 0;
    for (int y = 0; y < image->height; ++y) {
        const std::uint8_t* row = image->pixels.get() + static_cast<std::size_t>(y) * image->stride;
        for (int x = 0; x < image->width; ++x) {
            sum += (row[x * 4] + row[x * 4 + 1] + row[x * 4 + 2]) / 3.0;
        }
    }
    return sum / (static_cast<double>(image->width) * image->height);
}

}  // namespace sim
