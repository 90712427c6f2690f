#pragma once
// An immutable bitmap image with a scale (pixels per point), like UIImage over a CGImage.
// Pixels are stored in cairo's ARGB32 layout: one native-endian 32-bit word per pixel, alpha in
// the top byte, colour premultiplied by alpha. Images are shared by std::shared_ptr<const Image>.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/graphics/Color.h"

namespace platform {

class Image {
public:
    // imageWithContentsOfFile: a PNG or JPEG (detected by content) at a host file path. Null when
    // the file is missing, unreadable or not a decodable image. A name ending in "@2x" or "@3x"
    // (before the extension) gives the image that scale, else 1.
    static std::shared_ptr<const Image> imageWithContentsOfFile(const std::string& path);
    // Decodes PNG or JPEG bytes; null when they are neither.
    static std::shared_ptr<const Image> imageWithData(const std::vector<uint8_t>& bytes,
                                                      double scale = 1);
    // From straight RGBA bytes, 4 per pixel, row after row (no padding). Null on a size mismatch
    // or a zero / oversized dimension.
    static std::shared_ptr<const Image> fromRGBA(int width, int height, double scale,
                                                 const std::vector<uint8_t>& rgba);
    // From premultiplied ARGB32 words (the internal layout), width * height of them.
    static std::shared_ptr<const Image> fromARGB32(int width, int height, double scale,
                                                   std::vector<uint32_t> argb);

    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int pixelWidth() const { return width_; }
    int pixelHeight() const { return height_; }
    double scale() const { return scale_; }
    // The size in points (pixels / scale).
    CGSize size() const { return {width_ / scale_, height_ / scale_}; }

    // Straight colour of one pixel; clear outside the image.
    Color pixel(int x, int y) const;
    const std::vector<uint32_t>& argb32() const { return argb_; }
    // Straight RGBA bytes, 4 per pixel, row after row.
    std::vector<uint8_t> rgbaBytes() const;
    // Writes a PNG file; false when it cannot be written.
    bool writePng(const std::string& path) const;

    // Largest width or height accepted (cairo's own limit).
    static constexpr int kMaxDimension = 32767;

private:
    Image(int width, int height, double scale, std::vector<uint32_t> argb);

    int width_;
    int height_;
    double scale_;
    std::vector<uint32_t> argb_;
};

using ImageRef = std::shared_ptr<const Image>;

}  // namespace platform
