#include "sim/Gallery.h"

#include <functional>
#include <vector>

#include "artwork/CustomDrawButton.h"
#include "artwork/ModeButtons.h"
#include "artwork/resources/ResourceArtwork.h"
#include "manual/DialScrollViewGraphicsView.h"
#include "overlays/CustomSlalomIndicatorView.h"
#include "overlays/CustomTransparentFilledLabel.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/UILabel.h"
#include "tools/CAM_Tools.h"
#include "tools/CKBlurView.h"

namespace sim {
namespace {

using lumora::artwork::GlyphButton;
using View = std::shared_ptr<UIView>;

constexpr UIColor kBackground = UIColor::colorWithRed(0.10, 0.10, 0.12, 1);
constexpr UIColor kBar = UIColor::blackColor();

void addLabel(UIView& parent, const std::string& text, CGRect frame, UIFont font, UIColor colour,
              NSTextAlignment alignment) {
    auto label = std::make_shared<UILabel>(frame);
    label->setText(text);
    label->setFont(std::move(font));
    label->setTextColor(colour);
    label->setTextAlignment(alignment);
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(0.6);
    parent.addSubview(label);
}

void caption(UIView& parent, const std::string& text, CGRect frame) {
    addLabel(parent, text, frame, UIFont::fontWithName("HelveticaNeue-Light", 9),
             UIColor::colorWithWhite(1, 0.7), NSTextAlignmentCenter);
}

void title(UIView& parent, const std::string& text, CGFloat y) {
    addLabel(parent, text, CGRectMake(20, y, 560, 16),
             UIFont::fontWithName("DINAlternate-Bold", 13), UIColor::colorWithWhite(1, 0.9),
             NSTextAlignmentLeft);
}

View box(CGRect frame, UIColor colour) {
    auto v = std::make_shared<UIView>(frame);
    v->setBackgroundColor(colour);
    return v;
}

// --- Glyph buttons ---

struct GlyphVariant {
    std::string name;
    std::function<std::shared_ptr<GlyphButton>(CGRect)> make;
};

template <class Button>
GlyphVariant modeButton(std::string name) {
    return {std::move(name), [](CGRect f) { return std::make_shared<Button>(f); }};
}

GlyphVariant drawButton(std::string name, long tag, int drawFlow = 0) {
    return {std::move(name), [tag, drawFlow](CGRect f) {
                auto b = std::make_shared<lumora::CustomDrawButton>(f);
                b->setTag(tag);
                b->setDrawFlow(drawFlow);
                return b;
            }};
}

std::vector<GlyphVariant> glyphVariants() {
    std::vector<GlyphVariant> v = {
        modeButton<lumora::CameraButton>("CameraButton"),
        modeButton<lumora::TimerButton>("TimerButton"),
        modeButton<lumora::TimeLapseButton>("TimeLapseButton"),
        modeButton<lumora::MovieButton>("MovieButton"),
        modeButton<lumora::WBLockButton>("WBLockButton"),
        drawButton("1 thirds", 1),
        drawButton("2 golden section", 2),
        drawButton("3 trisection", 3),
        drawButton("4 square", 4),
        drawButton("5 wrench", 5),
        drawButton("8 page arrow", 8),
    };
    const char* tabFlows[] = {"auto", "manual", "", "auto, open", "manual, open"};
    for (int flow : {0, 1, 3, 4}) {
        v.push_back(drawButton(std::string("6 focus, ") + tabFlows[flow], 6, flow));
    }
    for (int flow : {0, 1, 3, 4}) {
        v.push_back(drawButton(std::string("7 exposure, ") + tabFlows[flow], 7, flow));
    }
    const std::pair<int, const char*> stabilization[] = {
        {-1, "auto"}, {0, "off"}, {1, "standard"}, {2, "cinematic"}};
    for (const auto& [flow, name] : stabilization) {
        v.push_back(drawButton(std::string("9 stabilization, ") + name, 9, flow));
    }
    return v;
}

// Three columns of variants; each variant is three cells: unselected, selected, disabled.
CGFloat addGlyphButtons(UIView& root, CGFloat y) {
    constexpr CGFloat kCell = 52, kGroup = 3 * kCell, kGap = 30, kRow = 72, kLeft = 21;
    title(root, "Glyph buttons", y);
    y += 20;
    const char* states[] = {"unselected", "selected", "disabled"};
    for (int col = 0; col < 3; ++col) {
        for (int s = 0; s < 3; ++s) {
            caption(root, states[s],
                    CGRectMake(kLeft + col * (kGroup + kGap) + s * kCell, y, kCell, 12));
        }
    }
    y += 14;
    const auto variants = glyphVariants();
    for (std::size_t i = 0; i < variants.size(); ++i) {
        const CGFloat x0 = kLeft + static_cast<CGFloat>(i % 3) * (kGroup + kGap);
        const CGFloat y0 = y + static_cast<CGFloat>(i / 3) * kRow;
        for (int s = 0; s < 3; ++s) {
            auto button = variants[i].make(CGRectMake(x0 + s * kCell + 2.5, y0, 47, 47));
            button->setSelected(s == 1);
            button->setEnabled(s != 2);
            root.addSubview(button);
        }
        caption(root, variants[i].name, CGRectMake(x0, y0 + 49, kGroup, 12));
    }
    return y + static_cast<CGFloat>((variants.size() + 2) / 3) * kRow;
}

// --- Badges ---

CGFloat addBadges(UIView& root, CGFloat y) {
    title(root, "Badges", y);
    y += 20;
    root.addSubview(box(CGRectMake(0, y, kGallerySize.width, 58), kBar));
    CGFloat x = 20;
    for (int rate : {30, 60, 120, 240}) {
        auto badge = std::make_shared<lumora::CustomSlalomIndicatorView>(
            CGRectMake(x, y + 8, 44, 42), nullptr, nullptr);
        badge->setFramesPerSecond(rate);
        root.addSubview(badge);
        caption(root, "frame rate " + std::to_string(rate), CGRectMake(x - 13, y + 60, 70, 12));
        x += 70;
    }
    struct Resolution {
        int height;
        const char* icon;
        CGRect iconFrame;
    };
    const Resolution resolutions[] = {
        {360, "Dimensions/indicatorBT@2x.png", CGRectMake(19, 2, 13.5, 19.5)},
        {480, "Dimensions/indicatorWifi@2x.png", CGRectMake(15, 5, 22.5, 14.5)},
        {720, "Dimensions/indicatorHD@2x.png", CGRectMake(15, 5, 22.5, 16.5)},
        {1080, "Dimensions/indicatorHD@2x.png", CGRectMake(15, 5, 22.5, 16.5)},
    };
    for (const auto& r : resolutions) {
        auto badge = std::make_shared<lumora::CustomSlalomIndicatorView>(
            CGRectMake(x, y + 8, 55, 42), nullptr, nullptr);
        badge->setIndicatorType(lumora::CustomSlalomIndicatorView::kResolution);
        badge->setLabelText(std::to_string(r.height) + "p");
        badge->setResolutionImgFrame(r.iconFrame);
        badge->setResolutionImg(
            UIImage::imageWithImage(lumora::artwork::renderResourceImage(r.icon)));
        root.addSubview(badge);
        caption(root, "resolution " + std::to_string(r.height), CGRectMake(x - 8, y + 60, 70, 12));
        x += 70;
    }
    return y + 80;
}

// --- Cut-out labels ---

// Vertical stripes of bright colours, so blur and holes have something to show, with a dark
// band across for a sharp horizontal edge when asked.
View testPattern(CGRect frame, bool band) {
    auto pattern = box(frame, UIColor::whiteColor());
    pattern->setClipsToBounds(true);
    const UIColor colours[] = {UIColor::redColor(),
                               UIColor::colorWithRed(1, 0.5, 0, 1),
                               UIColor::yellowColor(),
                               UIColor::greenColor(),
                               UIColor::colorWithRed(0, 0.8, 1, 1),
                               UIColor::blueColor(),
                               UIColor::colorWithRed(0.8, 0, 0.9, 1),
                               UIColor::whiteColor()};
    constexpr CGFloat kStripe = 16;
    for (int i = 0; i * kStripe < frame.size.width; ++i) {
        pattern->addSubview(
            box(CGRectMake(i * kStripe, 0, kStripe, frame.size.height), colours[i % 8]));
    }
    if (!band) return pattern;
    pattern->addSubview(
        box(CGRectMake(0, frame.size.height * 0.4, frame.size.width, frame.size.height * 0.2),
            UIColor::colorWithWhite(0.05, 1)));
    return pattern;
}

CGFloat addCutOutLabels(UIView& root, CGFloat y) {
    title(root, "Cut-out label", y);
    y += 22;
    const std::pair<const char*, const char*> onDark[] = {
        {"", "empty"}, {"WB LOCK", "\"WB LOCK\""}, {"TIMER", "\"TIMER\""}};
    CGFloat x = 20;
    for (const auto& [text, name] : onDark) {
        auto label =
            std::make_shared<lumora::CustomTransparentFilledLabel>(CGRectMake(x, y + 4, 80, 22));
        label->setTextEx(text);
        root.addSubview(label);
        caption(root, name, CGRectMake(x, y + 30, 80, 12));
        x += 90;
    }
    auto pattern = testPattern(CGRectMake(300, y, 280, 30), false);
    root.addSubview(pattern);
    for (const char* text : {"", "ADV MODE", "LAPSE"}) {
        auto label =
            std::make_shared<lumora::CustomTransparentFilledLabel>(CGRectMake(x - 290, 4, 80, 22));
        label->setTextEx(text);
        pattern->addSubview(label);
        x += 90;
    }
    caption(root, "over a pattern: the letters are holes", CGRectMake(300, y + 30, 280, 12));
    return y + 52;
}

// --- Blur backdrop ---

CGFloat addBlur(UIView& root, CGFloat y) {
    title(root, "Blur backdrop", y);
    y += 22;
    constexpr CGFloat kThird = 560.0 / 3, kHeight = 100;
    auto pattern = testPattern(CGRectMake(20, y, 560, kHeight), true);
    root.addSubview(pattern);

    auto bar = lumora::CAM_Tools::CreateAndConfigureBlurView(CGRectMake(0, 0, kThird, kHeight));
    bar->setFrame(CGRectMake(kThird, 0, kThird, kHeight));
    pattern->addSubview(bar);

    // The resolution picker's stronger, lighter version.
    auto picker = lumora::CAM_Tools::CreateAndConfigureBlurView(CGRectMake(0, 0, kThird, kHeight));
    picker->setFrame(CGRectMake(2 * kThird, 0, kThird, kHeight));
    picker->setBlurRadius(20);
    auto tint = CAFilter::filterWithName(kCAFilterColorAdd);
    tint->setValue("inputColor", std::vector<double>{0.35, 0.35, 0.35, 1.0});
    picker->setTintColorFilter(tint);
    pattern->addSubview(picker);

    caption(root, "test pattern", CGRectMake(20, y + kHeight + 2, kThird, 12));
    caption(root, "camera bar: radius 10, +0.1 tint",
            CGRectMake(20 + kThird, y + kHeight + 2, kThird, 12));
    caption(root, "resolution picker: radius 20, +0.35 tint",
            CGRectMake(20 + 2 * kThird, y + kHeight + 2, kThird, 12));
    return y + kHeight + 24;
}

// --- Dial marks ---

View dialMark(CGRect frame, long tag, int subTag) {
    auto mark = std::make_shared<lumora::DialScrollViewGraphicsView>(frame);
    mark->setTag(tag);
    mark->setSubTag(subTag);
    return mark;
}

CGFloat addDialMarks(UIView& root, CGFloat y) {
    title(root, "Dial marks", y);
    y += 22;
    constexpr CGFloat kH = 50, kSlot = 20;
    // The lens-position ruler: the flower at slot 3, ticks at slots 4 to 10, the mountains at
    // slot 11, on a strip like the camera bar's.
    auto lens = box(CGRectMake(20, y, 300, kH), kBar);
    lens->addSubview(dialMark(CGRectMake(60, kH / 2 - 5, 31, 20), 2, 99));
    for (int i = 4; i <= 10; ++i) {
        lens->addSubview(dialMark(CGRectMake(i * kSlot, kH / 2 - 16, kSlot + 3, 34), 1, 99));
    }
    lens->addSubview(dialMark(CGRectMake(220, kH / 2 - 5, 25, 20), 3, 99));
    root.addSubview(lens);
    caption(root, "lens position ruler (near focus, ticks, far focus)",
            CGRectMake(20, y + kH + 2, 300, 12));

    // The marks one by one.
    struct Mark {
        long tag;
        CGRect frame;  // centred in a 70-point cell
        const char* name;
    };
    const Mark marks[] = {{1, CGRectMake(24, 8, 23, 34), "tick (tag 1)"},
                          {2, CGRectMake(25, 19, 31, 20), "near focus (tag 2)"},
                          {3, CGRectMake(25, 19, 25, 20), "far focus (tag 3)"}};
    CGFloat x = 350;
    for (const auto& [tag, frame, name] : marks) {
        auto cell = box(CGRectMake(x, y, 70, kH), kBar);
        cell->addSubview(dialMark(frame, tag, 99));
        root.addSubview(cell);
        caption(root, name, CGRectMake(x - 5, y + kH + 2, 80, 12));
        x += 80;
    }
    return y + kH + 20;
}

}  // namespace

std::shared_ptr<UIView> makeGalleryView() {
    auto root = box(CGRect{{0, 0}, kGallerySize}, kBackground);
    CGFloat y = 12;
    y = addGlyphButtons(*root, y);
    y = addBadges(*root, y + 6);
    y = addCutOutLabels(*root, y + 6);
    y = addBlur(*root, y + 6);
    addDialMarks(*root, y + 6);
    return root;
}

std::unique_ptr<platform::BitmapContext> renderGallery() {
    auto root = makeGalleryView();
    platform::RenderOptions options;
    options.size = kGallerySize;
    options.scale = kGalleryScale;
    options.background = kBackground;
    return platform::ScreenRenderer::render(*root, options);
}

bool writeGalleryPng(const std::string& path, std::string& error) {
    auto bitmap = renderGallery();
    if (bitmap == nullptr || !bitmap->isValid()) {
        error = "the gallery could not be rendered";
        return false;
    }
    if (!bitmap->writePng(path)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace sim
