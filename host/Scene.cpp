#include "host/Scene.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/graphics/Blur.h"

namespace host {
namespace {

struct Rgb {
    double r, g, b;
};

enum class ShapeType { Rect, Circle, Ellipse, Triangle };

// In world units (frame-centred, y down); colours run top to bottom over the shape's extent.
struct Shape {
    ShapeType type;
    std::array<double, 6> a;
    Rgb top;
    Rgb bottom;
};

struct Layer {
    double distance;  // metres
    std::vector<Shape> shapes;
};

constexpr double kInfinity = 1e6;

Shape rect(double x0, double y0, double x1, double y1, Rgb top, Rgb bottom) {
    return {ShapeType::Rect, {x0, y0, x1, y1, 0, 0}, top, bottom};
}
Shape rect(double x0, double y0, double x1, double y1, Rgb c) {
    return rect(x0, y0, x1, y1, c, c);
}
Shape circle(double cx, double cy, double r, Rgb top, Rgb bottom) {
    return {ShapeType::Circle, {cx, cy, r, 0, 0, 0}, top, bottom};
}
Shape ellipse(double cx, double cy, double rx, double ry, Rgb top, Rgb bottom) {
    return {ShapeType::Ellipse, {cx, cy, rx, ry, 0, 0}, top, bottom};
}
Shape triangle(double x0, double y0, double x1, double y1, double x2, double y2, Rgb top,
               Rgb bottom) {
    return {ShapeType::Triangle, {x0, y0, x1, y1, x2, y2}, top, bottom};
}

// Far to near.
const std::vector<Layer>& layersOf(SceneKind kind) {
    static const std::vector<Layer> landscape = {
        {kInfinity,
         {rect(-2, -2, 2, 0.15, {0.16, 0.36, 0.72}, {0.62, 0.80, 0.95}),
          circle(-0.6, -0.5, 0.1, {1.0, 0.97, 0.75}, {1.0, 0.93, 0.6}),
          triangle(-1.2, 0.15, -0.6, -0.12, 0.0, 0.15, {0.45, 0.52, 0.62}, {0.55, 0.6, 0.68}),
          triangle(-0.2, 0.15, 0.35, -0.05, 1.1, 0.15, {0.42, 0.48, 0.6}, {0.55, 0.6, 0.68})}},
        {30, {rect(-2, 0.15, 2, 2, {0.35, 0.6, 0.25}, {0.2, 0.45, 0.12})}},
        {8,
         {rect(0.35, -0.02, 0.8, 0.3, {0.85, 0.8, 0.7}),
          triangle(0.3, -0.02, 0.575, -0.22, 0.85, -0.02, {0.6, 0.15, 0.1}, {0.5, 0.12, 0.08}),
          rect(0.52, 0.12, 0.62, 0.3, {0.35, 0.22, 0.12}),
          rect(0.4, 0.04, 0.48, 0.12, {0.3, 0.5, 0.8})}},
        {4,
         {rect(-0.5, 0.0, -0.44, 0.4, {0.4, 0.26, 0.13}),
          circle(-0.47, -0.08, 0.17, {0.15, 0.45, 0.15}, {0.1, 0.35, 0.1})}},
        {0.6, {circle(0.05, 0.62, 0.16, {0.95, 0.2, 0.15}, {0.7, 0.08, 0.05})}},
    };
    static const std::vector<Layer> selfie = {
        {3.5,
         {rect(-2, -2, 2, 2, {0.86, 0.8, 0.7}, {0.7, 0.63, 0.52}),
          rect(-0.7, -0.85, -0.25, -0.3, {0.85, 0.93, 1.0}, {0.7, 0.85, 0.98}),
          rect(-0.48, -0.85, -0.46, -0.3, {0.5, 0.4, 0.3}),
          rect(-0.7, -0.58, -0.25, -0.56, {0.5, 0.4, 0.3})}},
        {0.6, {ellipse(0, 1.0, 0.6, 0.45, {0.2, 0.28, 0.5}, {0.15, 0.2, 0.4})}},
        {0.45,
         {ellipse(0, -0.22, 0.31, 0.22, {0.25, 0.15, 0.08}, {0.2, 0.12, 0.06}),
          ellipse(0.0, 0.05, 0.3, 0.4, {0.96, 0.8, 0.68}, {0.88, 0.68, 0.56}),
          circle(-0.11, -0.02, 0.035, {0.15, 0.1, 0.08}, {0.15, 0.1, 0.08}),
          circle(0.11, -0.02, 0.035, {0.15, 0.1, 0.08}, {0.15, 0.1, 0.08}),
          ellipse(0, 0.2, 0.1, 0.03, {0.7, 0.3, 0.3}, {0.7, 0.3, 0.3})}},
    };
    return kind == SceneKind::Selfie ? selfie : landscape;
}

// Signed distance (negative inside), in world units; the triangle's is an approximation that is
// exact along the edges, which is all the anti-aliasing needs.
double signedDistance(const Shape& s, double x, double y) {
    const auto& a = s.a;
    switch (s.type) {
        case ShapeType::Rect: {
            const double dx = std::max(a[0] - x, x - a[2]);
            const double dy = std::max(a[1] - y, y - a[3]);
            if (dx < 0 && dy < 0) return std::max(dx, dy);
            return std::hypot(std::max(dx, 0.0), std::max(dy, 0.0));
        }
        case ShapeType::Circle:
            return std::hypot(x - a[0], y - a[1]) - a[2];
        case ShapeType::Ellipse:
            return (std::hypot((x - a[0]) / a[2], (y - a[1]) / a[3]) - 1.0) * std::min(a[2], a[3]);
        case ShapeType::Triangle: {
            const double px[3] = {a[0], a[2], a[4]};
            const double py[3] = {a[1], a[3], a[5]};
            const double area =
                (px[1] - px[0]) * (py[2] - py[0]) - (py[1] - py[0]) * (px[2] - px[0]);
            const double sign = area >= 0 ? 1.0 : -1.0;
            double d = -1e9;
            for (int i = 0; i < 3; ++i) {
                const int j = (i + 1) % 3;
                const double ex = px[j] - px[i], ey = py[j] - py[i];
                const double len = std::hypot(ex, ey);
                if (len <= 0) continue;
                // Outward distance from edge i->j.
                d = std::max(d, -sign * (ex * (y - py[i]) - ey * (x - px[i])) / len);
            }
            return d;
        }
    }
    return 1e9;
}

void extent(const Shape& s, double* x0, double* y0, double* x1, double* y1) {
    const auto& a = s.a;
    switch (s.type) {
        case ShapeType::Rect:
            *x0 = a[0], *y0 = a[1], *x1 = a[2], *y1 = a[3];
            return;
        case ShapeType::Circle:
            *x0 = a[0] - a[2], *y0 = a[1] - a[2], *x1 = a[0] + a[2], *y1 = a[1] + a[2];
            return;
        case ShapeType::Ellipse:
            *x0 = a[0] - a[2], *y0 = a[1] - a[3], *x1 = a[0] + a[2], *y1 = a[1] + a[3];
            return;
        case ShapeType::Triangle:
            *x0 = std::min({a[0], a[2], a[4]}), *x1 = std::max({a[0], a[2], a[4]});
            *y0 = std::min({a[1], a[3], a[5]}), *y1 = std::max({a[1], a[3], a[5]});
            return;
    }
}

double dioptres(double metres) {
    return metres >= kInfinity ? 0.0 : 1.0 / metres;
}

// Blur standard deviation in pixels for a layer at `distance`.
double blurSigma(const SceneShot& shot, double distance, int longSide) {
    double focusDioptres = 0;
    double scale = 0.003;
    if (shot.fixedFocus) {
        focusDioptres = 1.0 / 1.2;  // fixed at about arm's length, deep depth of field
        scale *= 0.25;
    } else {
        focusDioptres = dioptres(focusDistance(shot.lensPosition, shot.nearestFocusMetres));
    }
    const double sigma = longSide * scale * std::fabs(dioptres(distance) - focusDioptres);
    return std::min(sigma, longSide * 0.04);
}

struct Frame {
    int w, h;
    double unit;  // world units per pixel
    bool mirrored;
    double worldX(double px) const {
        const double x = (px + 0.5 - w / 2.0) * unit;
        return mirrored ? -x : x;
    }
    double worldY(double py) const { return (py + 0.5 - h / 2.0) * unit; }
    // Pixel range [lo, hi) covering world x range (either order when mirrored).
    void columns(double x0, double x1, int* lo, int* hi) const {
        if (mirrored) {
            const double left = -x1;
            x1 = -x0;
            x0 = left;
        }
        *lo = std::clamp(static_cast<int>(std::floor(x0 / unit + w / 2.0 - 1)), 0, w);
        *hi = std::clamp(static_cast<int>(std::ceil(x1 / unit + w / 2.0 + 1)), 0, w);
    }
    void rows(double y0, double y1, int* lo, int* hi) const {
        *lo = std::clamp(static_cast<int>(std::floor(y0 / unit + h / 2.0 - 1)), 0, h);
        *hi = std::clamp(static_cast<int>(std::ceil(y1 / unit + h / 2.0 + 1)), 0, h);
    }
};

std::uint32_t premultiplied(Rgb c, double alpha) {
    auto ch = [alpha](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * alpha * 255.0));
    };
    const auto a = static_cast<std::uint32_t>(std::lround(alpha * 255.0));
    return a << 24 | ch(c.r) << 16 | ch(c.g) << 8 | ch(c.b);
}

// Source-over of premultiplied ARGB32 words.
std::uint32_t over(std::uint32_t src, std::uint32_t dst) {
    const std::uint32_t inv = 255 - (src >> 24);
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t s = (src >> shift) & 0xFF;
        const std::uint32_t d = (dst >> shift) & 0xFF;
        out |= std::min<std::uint32_t>(255, s + (d * inv + 127) / 255) << shift;
    }
    return out;
}

struct Box {
    int x0, y0, x1, y1;  // painted pixels, [x0, x1) x [y0, y1)
    bool empty() const { return x1 <= x0 || y1 <= y0; }
};

Box paintLayer(const Layer& layer, const Frame& f, std::vector<std::uint32_t>& buf) {
    Box box{f.w, f.h, 0, 0};
    for (const Shape& s : layer.shapes) {
        double ex0 = 0, ey0 = 0, ex1 = 0, ey1 = 0;
        extent(s, &ex0, &ey0, &ex1, &ey1);
        int cx0, cx1, ry0, ry1;
        f.columns(ex0, ex1, &cx0, &cx1);
        f.rows(ey0, ey1, &ry0, &ry1);
        if (cx1 <= cx0 || ry1 <= ry0) continue;
        box = {std::min(box.x0, cx0), std::min(box.y0, ry0), std::max(box.x1, cx1),
               std::max(box.y1, ry1)};
        const double span = std::max(ey1 - ey0, 1e-9);
        for (int py = ry0; py < ry1; ++py) {
            const double y = f.worldY(py);
            const double t = std::clamp((y - ey0) / span, 0.0, 1.0);
            const Rgb c{s.top.r + (s.bottom.r - s.top.r) * t, s.top.g + (s.bottom.g - s.top.g) * t,
                        s.top.b + (s.bottom.b - s.top.b) * t};
            const std::uint32_t solid = premultiplied(c, 1.0);
            std::uint32_t* row = buf.data() + static_cast<std::size_t>(py) * f.w;
            for (int px = cx0; px < cx1; ++px) {
                const double d = signedDistance(s, f.worldX(px), y) / f.unit;
                const double coverage = std::clamp(0.5 - d, 0.0, 1.0);
                if (coverage <= 0) continue;
                row[px] = over(coverage >= 1 ? solid : premultiplied(c, coverage), row[px]);
            }
        }
    }
    return box;
}

}  // namespace

double sceneBrightnessEV(SceneKind kind) {
    return kind == SceneKind::Selfie ? 8.0 : 12.0;
}

SceneOverride SceneOverride::sanitised() const {
    SceneOverride s = *this;
    if (s.brightnessEV && !std::isfinite(*s.brightnessEV)) s.brightnessEV.reset();
    if (s.distanceMetres && !(std::isfinite(*s.distanceMetres) && *s.distanceMetres > 0)) {
        s.distanceMetres.reset();
    }
    return s;
}

double sceneBrightnessEV(const SceneShot& shot) {
    return shot.brightnessEV.value_or(sceneBrightnessEV(shot.kind));
}

double exposureFactor(const SceneShot& shot) {
    // Exposure equation: t * S / 100 = N^2 / 2^EV at a correct exposure.
    const double correct =
        shot.aperture * shot.aperture * 100.0 / std::exp2(sceneBrightnessEV(shot));
    if (!(correct > 0) || !(shot.iso > 0) || !(shot.exposureSeconds > 0)) return 1.0;
    return shot.exposureSeconds * shot.iso / correct * std::exp2(shot.biasEV);
}

double focusDistance(float lensPosition, double nearestFocusMetres) {
    const double nearest = std::max(0.01, nearestFocusMetres);
    const double lens = std::clamp(static_cast<double>(lensPosition), 0.0, 1.0);
    if (lens >= 1.0) return kInfinity;
    return nearest / (1.0 - lens);
}

double depthAt(SceneKind kind, CGPoint n, bool landscapeFrame, bool mirrored) {
    double x = n.x * 2 - 1, y = n.y * 2 - 1;
    if (landscapeFrame) {
        y *= 0.75;
    } else {
        x *= 0.75;
    }
    if (mirrored) x = -x;
    const auto& layers = layersOf(kind);
    for (auto it = layers.rbegin(); it != layers.rend(); ++it) {
        for (const Shape& s : it->shapes) {
            if (signedDistance(s, x, y) <= 0) return std::min(it->distance, 1000.0);
        }
    }
    return 1000.0;
}

Picture renderUpright(const SceneShot& shot, int width, int height) {
    Picture pic;
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096) return pic;
    pic.width = width;
    pic.height = height;
    const Frame f{width, height, 2.0 / std::max(width, height), shot.mirrored};
    const std::size_t n = static_cast<std::size_t>(width) * height;
    std::vector<float> acc(n * 3, 0.0f);
    std::vector<std::uint32_t> layerBuf(n);
    for (const Layer& layer : layersOf(shot.kind)) {
        std::fill(layerBuf.begin(), layerBuf.end(), 0u);
        Box box = paintLayer(layer, f, layerBuf);
        if (box.empty()) continue;
        const double sigma = blurSigma(shot, layer.distance, std::max(width, height));
        if (sigma >= 0.5) {
            const int grow = static_cast<int>(std::ceil(sigma * 3));
            box = {std::max(0, box.x0 - grow), std::max(0, box.y0 - grow),
                   std::min(width, box.x1 + grow), std::min(height, box.y1 + grow)};
            platform::gaussianBlurARGB32(
                layerBuf.data() + static_cast<std::size_t>(box.y0) * width + box.x0,
                box.x1 - box.x0, box.y1 - box.y0, width, sigma);
        }
        for (int y = box.y0; y < box.y1; ++y) {
            for (int x = box.x0; x < box.x1; ++x) {
                const std::size_t i = static_cast<std::size_t>(y) * width + x;
                const std::uint32_t p = layerBuf[i];
                const float inv = 1.0f - static_cast<float>(p >> 24) / 255.0f;
                acc[i * 3 + 0] = static_cast<float>((p >> 16) & 0xFF) + acc[i * 3 + 0] * inv;
                acc[i * 3 + 1] = static_cast<float>((p >> 8) & 0xFF) + acc[i * 3 + 1] * inv;
                acc[i * 3 + 2] = static_cast<float>(p & 0xFF) + acc[i * 3 + 2] * inv;
            }
        }
    }
    // Exposure on linear light (display gamma 2.2), then clipped as a sensor clips.
    const float gain =
        static_cast<float>(std::pow(std::clamp(exposureFactor(shot), 1e-4, 1e4), 1 / 2.2));
    pic.pixels.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        auto ch = [&](int k) {
            return static_cast<std::uint32_t>(std::clamp(acc[i * 3 + k] * gain, 0.0f, 255.0f) +
                                              0.5f);
        };
        pic.pixels[i] = 0xFF000000u | ch(0) << 16 | ch(1) << 8 | ch(2);
    }
    return pic;
}

UprightPoint uprightForStored(int tag, int sw, int sh, double x, double y) {
    switch (tag) {
        case 3:
            return {sw - x, sh - y};
        case 6:
            return {sh - y, x};
        case 8:
            return {y, sw - x};
        default:
            return {x, y};
    }
}

}  // namespace host
