#include "platform/graphics/Image.h"

#include <cairo.h>
#include <turbojpeg.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "platform/graphics/PixelFormat.h"

namespace platform {

namespace {

// Larger files are not images this system deals in.
constexpr uintmax_t kMaxFileBytes = uintmax_t{256} << 20;

bool validSize(int w, int h) {
    return w > 0 && h > 0 && w <= Image::kMaxDimension && h <= Image::kMaxDimension;
}

double sanitizeScale(double s) {
    return (s > 0 && std::isfinite(s)) ? s : 1.0;
}

// "name@2x.png" -> 2; anything else -> 1.
double scaleFromFileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    std::string stem = path.substr(slash == std::string::npos ? 0 : slash + 1);
    const auto dot = stem.find_last_of('.');
    if (dot != std::string::npos) stem.resize(dot);
    for (int s : {2, 3}) {
        const std::string suffix = "@" + std::to_string(s) + "x";
        if (stem.size() > suffix.size() &&
            stem.compare(stem.size() - suffix.size(), suffix.size(), suffix) == 0) {
            return s;
        }
    }
    return 1;
}

struct ByteReader {
    const std::vector<uint8_t>* bytes;
    size_t pos = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* data, unsigned int length) {
    auto* r = static_cast<ByteReader*>(closure);
    if (r->bytes->size() - r->pos < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, r->bytes->data() + r->pos, length);
    r->pos += length;
    return CAIRO_STATUS_SUCCESS;
}

ImageRef decodePng(const std::vector<uint8_t>& bytes, double scale) {
    ByteReader reader{&bytes};
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(readBytes, &reader);
    ImageRef result;
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(s);
        const int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        const int stride = cairo_image_surface_get_stride(s);
        const cairo_format_t fmt = cairo_image_surface_get_format(s);
        const unsigned char* data = cairo_image_surface_get_data(s);
        if (validSize(w, h) && data != nullptr &&
            (fmt == CAIRO_FORMAT_ARGB32 || fmt == CAIRO_FORMAT_RGB24)) {
            std::vector<uint32_t> argb(static_cast<size_t>(w) * h);
            for (int y = 0; y < h; ++y) {
                const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
                for (int x = 0; x < w; ++x) {
                    argb[static_cast<size_t>(y) * w + x] =
                        fmt == CAIRO_FORMAT_RGB24 ? (row[x] | 0xff000000u) : row[x];
                }
            }
            result = Image::fromARGB32(w, h, scale, std::move(argb));
        }
    }
    cairo_surface_destroy(s);
    return result;
}

ImageRef decodeJpeg(const std::vector<uint8_t>& bytes, double scale) {
    tjhandle tj = tjInitDecompress();
    if (tj == nullptr) return nullptr;
    ImageRef result;
    int w = 0, h = 0, subsamp = 0, colorspace = 0;
    auto* src = const_cast<unsigned char*>(bytes.data());
    const auto size = static_cast<unsigned long>(bytes.size());
    if (tjDecompressHeader3(tj, src, size, &w, &h, &subsamp, &colorspace) == 0 && validSize(w, h)) {
        std::vector<uint8_t> rgba(static_cast<size_t>(w) * h * 4);
        if (tjDecompress2(tj, src, size, rgba.data(), w, 0, h, TJPF_RGBA, 0) == 0) {
            result = Image::fromRGBA(w, h, scale, rgba);
        }
    }
    tjDestroy(tj);
    return result;
}

}  // namespace

Image::Image(int width, int height, double scale, std::vector<uint32_t> argb)
    : width_(width), height_(height), scale_(scale), argb_(std::move(argb)) {}

ImageRef Image::fromARGB32(int width, int height, double scale, std::vector<uint32_t> argb) {
    if (!validSize(width, height) || argb.size() != static_cast<size_t>(width) * height) {
        return nullptr;
    }
    return std::shared_ptr<const Image>(
        new Image(width, height, sanitizeScale(scale), std::move(argb)));
}

ImageRef Image::fromRGBA(int width, int height, double scale, const std::vector<uint8_t>& rgba) {
    if (!validSize(width, height) || rgba.size() != static_cast<size_t>(width) * height * 4) {
        return nullptr;
    }
    std::vector<uint32_t> argb(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < argb.size(); ++i) {
        const uint8_t* p = &rgba[4 * i];
        argb[i] = pixel::premultiply(p[0], p[1], p[2], p[3]);
    }
    return fromARGB32(width, height, scale, std::move(argb));
}

ImageRef Image::imageWithData(const std::vector<uint8_t>& bytes, double scale) {
    static constexpr uint8_t kPng[] = {0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a};
    if (bytes.size() >= sizeof kPng && std::memcmp(bytes.data(), kPng, sizeof kPng) == 0) {
        return decodePng(bytes, sanitizeScale(scale));
    }
    if (bytes.size() >= 3 && bytes[0] == 0xff && bytes[1] == 0xd8 && bytes[2] == 0xff) {
        return decodeJpeg(bytes, sanitizeScale(scale));
    }
    return nullptr;
}

ImageRef Image::imageWithContentsOfFile(const std::string& path) {
    // Only regular files: a directory or device would make the read fail or never end.
    std::error_code ec;
    if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return nullptr;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > kMaxFileBytes) return nullptr;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return nullptr;
    std::vector<uint8_t> bytes(size);
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    if (got != bytes.size()) return nullptr;
    return imageWithData(bytes, scaleFromFileName(path));
}

Color Image::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return Color::clear();
    return pixel::toColor(argb_[static_cast<size_t>(y) * width_ + x]);
}

std::vector<uint8_t> Image::rgbaBytes() const {
    std::vector<uint8_t> out(argb_.size() * 4);
    for (size_t i = 0; i < argb_.size(); ++i) pixel::unpremultiply(argb_[i], &out[4 * i]);
    return out;
}

bool Image::writePng(const std::string& path) const {
    auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(argb_.data()));
    cairo_surface_t* s =
        cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width_, height_, width_ * 4);
    const bool ok = cairo_surface_status(s) == CAIRO_STATUS_SUCCESS &&
                    cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

}  // namespace platform
