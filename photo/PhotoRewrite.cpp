#include "photo/PhotoRewrite.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "photo/StampDrawing.h"
#include "platform/media/DateFormat.h"
#include "platform/media/ExifOrientation.h"
#include "platform/media/JpegRegionEdit.h"
#include "platform/media/JpegTransform.h"

namespace lumora {

namespace {

void flipRows(platform::DecodedImage& image) {
    std::uint8_t* top = image.pixels.get();
    std::uint8_t* bottom = top + static_cast<std::size_t>(image.height - 1) * image.stride;
    for (; top < bottom; top += image.stride, bottom -= image.stride) {
        std::swap_ranges(top, top + image.width * 4, bottom);
    }
}

void flipColumns(platform::DecodedImage& image) {
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.pixels.get() +
                                                     static_cast<std::size_t>(y) * image.stride);
        std::reverse(row, row + image.width);
    }
}

// Re-encodes decoded pixels at the highest quality, in the original's chroma subsampling, with
// the original's metadata in front.
std::optional<Bytes> reencode(ByteSpan original, const platform::DecodedImage& image,
                              platform::JpegSubsampling subsampling) {
    auto encoded = platform::encodeJpeg(image, 100, subsampling);
    if (!encoded) return std::nullopt;
    return platform::spliceMetadata(original, *encoded);
}

}  // namespace

std::optional<Bytes> unmirrorPhoto(ByteSpan jpeg, int exifOrientation,
                                   const platform::JpegLimits& limits) {
    auto header = platform::readJpegHeader(jpeg, limits);
    if (!header) return std::nullopt;
    const auto flip = platform::isSidewaysExifOrientation(exifOrientation)
                          ? platform::JpegFlip::Vertical
                          : platform::JpegFlip::Horizontal;
    if (platform::canFlipLosslessly(*header, flip)) {
        if (auto flipped = platform::flipJpegLossless(jpeg, flip, limits)) return flipped;
    }
    auto image = platform::decodeJpeg(jpeg, limits);
    if (!image) return std::nullopt;
    if (flip == platform::JpegFlip::Vertical) {
        flipRows(*image);
    } else {
        flipColumns(*image);
    }
    return reencode(jpeg, *image, header->subsampling);
}

std::string timeStampText(std::chrono::system_clock::time_point now,
                          const TimeStampSettings& settings) {
    return platform::formatShortDate(now,
                                     {settings.includeTime, settings.locale, settings.timeZone});
}

std::optional<Bytes> stampPhoto(ByteSpan jpeg, int exifOrientation, std::string_view text,
                                const platform::JpegLimits& limits) {
    if (text.empty()) return std::nullopt;
    auto header = platform::readJpegHeader(jpeg, limits);
    if (!header) return std::nullopt;
    const StampLayout layout = stampLayout(exifOrientation, header->width, header->height);
    auto bounds = stampBounds(text, layout);
    if (!bounds) return std::nullopt;
    return stampPhoto(jpeg, text, layout, *bounds, limits);
}

std::optional<Bytes> stampPhoto(ByteSpan jpeg, std::string_view text, const StampLayout& layout,
                                platform::PixelRect bounds, const platform::JpegLimits& limits) {
    if (text.empty()) return std::nullopt;
    // Only the blocks under the text are decoded and encoded again; the rest of the photo
    // keeps its coefficients, so it loses nothing and costs little.
    return platform::editJpegRegion(
        jpeg, bounds,
        [&](std::uint8_t* bgrx, int width, int height, int stride, int x, int y) {
            return drawStamp(bgrx, width, height, stride, text, layout, x, y);
        },
        limits);
}

}  // namespace lumora
