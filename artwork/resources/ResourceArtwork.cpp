#include "artwork/resources/ResourceArtwork.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "artwork/Palette.h"
#include "artwork/resources/CountSound.h"
#include "platform/graphics/BitmapContext.h"

namespace lumora::artwork {

using platform::BitmapContext;
using platform::Color;
using platform::GraphicsContext;
using platform::GStateGuard;

namespace {

constexpr double kScale = 2;
const Color kWhiteish = platform::Color::white(1, 0.85);

// --- Drawings, in points ---

// Top-bar button: a level with a bubble (45 x 45).
void horizonButton(GraphicsContext& c, Color colour) {
    c.setStrokeColor(colour);
    c.setFillColor(colour);
    c.setLineWidth(1.8);
    c.setLineCap(platform::LineCap::Round);
    c.addRoundedRect({{8, 17}, {29, 11}}, 5.5);
    c.strokePath();
    c.fillEllipse({{18.5, 19.5}, {8, 6}});
    c.moveTo({16.5, 18.5});
    c.lineTo({16.5, 26.5});
    c.moveTo({28.5, 18.5});
    c.lineTo({28.5, 26.5});
    c.strokePath();
}

// Low resolution: the Bluetooth rune (13.5 x 19.5).
void bluetooth(GraphicsContext& c) {
    c.setStrokeColor(kAmber);
    c.setLineWidth(1.6);
    c.setLineCap(platform::LineCap::Round);
    c.setLineJoin(platform::LineJoin::Round);
    c.moveTo({3, 5.5});
    c.lineTo({10.5, 13});
    c.lineTo({6.75, 17});
    c.lineTo({6.75, 2.5});
    c.lineTo({10.5, 6.5});
    c.lineTo({3, 14});
    c.strokePath();
}

// Middle resolution: Wi-Fi arcs (22.5 x 14.5).
void wifi(GraphicsContext& c) {
    c.setStrokeColor(kAmber);
    c.setFillColor(kAmber);
    c.setLineWidth(1.8);
    c.setLineCap(platform::LineCap::Round);
    const CGPoint o{11.25, 13};
    for (double r : {4.5, 8.0, 11.5}) {
        c.beginPath();
        c.addArc(o, r, -M_PI * 0.75, -M_PI * 0.25, true);
        c.strokePath();
    }
    c.fillEllipse({{o.x - 1.5, o.y - 1.5}, {3, 3}});
}

// High resolution: "HD" in an outline (22.5 x 16.5), or cut out of a filled plate.
void hd(GraphicsContext& c, bool filled) {
    const CGRect plate{{1, 1.5}, {20.5, 13.5}};
    const platform::TextStyle text{"DINAlternate-Bold", 10, 0.5, kAmber,
                                   platform::TextAlignment::Center};
    c.setStrokeColor(kAmber);
    c.setFillColor(kAmber);
    c.setLineWidth(1.4);
    c.addRoundedRect(plate, 2.5);
    if (filled) {
        c.fillPath();
        GStateGuard cut(c);
        c.setBlendMode(platform::BlendMode::Clear);
        c.drawText("HD", plate, text);
    } else {
        c.strokePath();
        c.drawText("HD", plate, text);
    }
}

// Vertical-tilt alert: a warning triangle over a phone held upright (22 x 22).
void verticalAlert(GraphicsContext& c) {
    c.setFillColor(kAmber);
    c.moveTo({11, 1.5});
    c.lineTo({21, 19.5});
    c.lineTo({1, 19.5});
    c.closePath();
    c.setLineJoin(platform::LineJoin::Round);
    c.setLineWidth(1.5);
    c.setStrokeColor(kAmber);
    c.fillAndStrokePath();
    GStateGuard cut(c);
    c.setBlendMode(platform::BlendMode::Clear);
    c.addRoundedRect({{8.5, 7}, {5, 10}}, 1);  // the upright phone
    c.fillPath();
    c.setBlendMode(platform::BlendMode::Normal);
    c.fillEllipse({{10.3, 14.8}, {1.4, 1.4}});
}

// Horizon base: a ring with a fine scale every 15 degrees and marks at the quarters (320 x 320).
void horizonBase(GraphicsContext& c, Color colour) {
    const CGPoint o{160, 160};
    c.setStrokeColor(colour);
    c.setLineWidth(2);
    c.strokeEllipse({{o.x - 120, o.y - 120}, {240, 240}});
    for (int k = 0; k < 24; ++k) {
        const double t = k * M_PI / 12;
        const bool quarter = k % 6 == 0;
        const double r0 = quarter ? 108 : 114, r1 = quarter ? 140 : 126;
        c.moveTo({o.x + std::cos(t) * r0, o.y + std::sin(t) * r0});
        c.lineTo({o.x + std::cos(t) * r1, o.y + std::sin(t) * r1});
    }
    c.setLineCap(platform::LineCap::Round);
    c.strokePath();
}

// Horizon needle: a level line across the ring with a centre mark; symmetric under a half turn
// so upright and upside-down read alike (320 x 320).
void horizonIndicator(GraphicsContext& c, Color colour) {
    const CGPoint o{160, 160};
    c.setStrokeColor(colour);
    c.setFillColor(colour);
    c.setLineCap(platform::LineCap::Round);
    c.setLineWidth(2.5);
    c.moveTo({o.x - 104, o.y});
    c.lineTo({o.x - 14, o.y});
    c.moveTo({o.x + 14, o.y});
    c.lineTo({o.x + 104, o.y});
    c.strokePath();
    c.setLineWidth(2);
    c.strokeEllipse({{o.x - 9, o.y - 9}, {18, 18}});
    c.fillEllipse({{o.x - 3, o.y - 3}, {6, 6}});
}

struct Entry {
    ResourceImage image;
    std::function<void(GraphicsContext&)> draw;
};

const std::vector<Entry>& entries() {
    static const std::vector<Entry> list = {
        {{"Buttons/overlayHorizonBtn@2x.png", 90, 90},
         [](GraphicsContext& c) { horizonButton(c, kWhiteish); }},
        {{"Buttons/overlayHorizonBtnActivated@2x.png", 90, 90},
         [](GraphicsContext& c) { horizonButton(c, kAmber); }},
        {{"Dimensions/indicatorBT@2x.png", 27, 39}, bluetooth},
        {{"Dimensions/indicatorWifi@2x.png", 45, 29}, wifi},
        {{"Dimensions/indicatorHD@2x.png", 45, 33}, [](GraphicsContext& c) { hd(c, false); }},
        {{"Dimensions/indicatorHD2@2x.png", 45, 33}, [](GraphicsContext& c) { hd(c, true); }},
        {{"Indicators/verticalAlert@2x.png", 44, 44}, verticalAlert},
        {{"HorizontalAlignment/horizonBase@2x.png", 640, 640},
         [](GraphicsContext& c) { horizonBase(c, kStrokeGrey); }},
        {{"HorizontalAlignment/horizonBaseActivated@2x.png", 640, 640},
         [](GraphicsContext& c) { horizonBase(c, kAmber); }},
        {{"HorizontalAlignment/horizonIndicator@2x.png", 640, 640},
         [](GraphicsContext& c) { horizonIndicator(c, kWhiteish); }},
        {{"HorizontalAlignment/horizonIndicatorActivated@2x.png", 640, 640},
         [](GraphicsContext& c) { horizonIndicator(c, kAmber); }},
    };
    return list;
}

}  // namespace

const std::vector<ResourceImage>& resourceImages() {
    static const std::vector<ResourceImage> list = [] {
        std::vector<ResourceImage> v;
        for (const auto& e : entries()) v.push_back(e.image);
        return v;
    }();
    return list;
}

platform::ImageRef renderResourceImage(const std::string& relativeName) {
    for (const auto& e : entries()) {
        if (e.image.relativeName != relativeName) continue;
        BitmapContext ctx(e.image.pixelWidth, e.image.pixelHeight, kScale);
        e.draw(ctx);
        return ctx.makeImage();
    }
    return nullptr;
}

bool writeResources(const std::string& folder, std::string* error) {
    namespace fs = std::filesystem;
    auto fail = [error](const std::string& what) {
        if (error != nullptr) *error = what;
        return false;
    };
    for (const auto& e : entries()) {
        const fs::path path = fs::path(folder) / e.image.relativeName;
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        platform::ImageRef img = renderResourceImage(e.image.relativeName);
        if (img == nullptr || !img->writePng(path.string())) {
            return fail("cannot write " + path.string());
        }
    }
    const fs::path sound = fs::path(folder) / "Sounds/count.aif";
    std::error_code ec;
    fs::create_directories(sound.parent_path(), ec);
    const std::vector<uint8_t> aiff = makeCountSoundAiff();
    std::FILE* f = std::fopen(sound.string().c_str(), "wb");
    if (f == nullptr) return fail("cannot write " + sound.string());
    const bool ok = std::fwrite(aiff.data(), 1, aiff.size(), f) == aiff.size();
    if (std::fclose(f) != 0 || !ok) return fail("cannot write " + sound.string());
    return true;
}

}  // namespace lumora::artwork
