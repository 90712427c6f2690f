// Rendering a phone screen of about 100 views (750 x 1334 pixels): the cost of one screenshot.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>

#include "platform/graphics/Image.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIImage.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIVisualEffectView.h"
#include "platform/ui/UIWindow.h"

namespace {

// A camera-like screen: a preview image, a blurred bar with a paging scroll view of buttons and
// captions, rounded badges, rotated indicators and translucent overlays.
std::shared_ptr<UIWindow> buildScreen(bool withBlur) {
    auto window = std::make_shared<UIWindow>(CGRectMake(0, 0, 375, 667));
    window->setBackgroundColor(UIColor::blackColor());
    std::vector<uint8_t> rgba(200 * 300 * 4);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        rgba[i] = static_cast<uint8_t>(i % 251);
        rgba[i + 1] = static_cast<uint8_t>((i / 800) % 256);
        rgba[i + 2] = 90;
        rgba[i + 3] = 255;
    }
    auto preview = std::make_shared<UIImageView>(
        UIImage::imageWithImage(platform::Image::fromRGBA(200, 300, 1, rgba)));
    preview->setFrame(CGRectMake(0, 40, 375, 500));
    window->addSubview(preview);
    int views = 2;

    auto bar = std::make_shared<UIView>(CGRectMake(0, 475, 375, 65));
    window->addSubview(bar);
    ++views;
    if (withBlur) {
        auto blur = std::make_shared<UIVisualEffectView>(
            UIBlurEffect::effectWithStyle(UIBlurEffectStyleDark), bar->bounds());
        bar->addSubview(blur);
        views += 2;
    }
    auto scroll = std::make_shared<UIScrollView>(bar->bounds());
    scroll->setContentSize({750, 65});
    bar->addSubview(scroll);
    ++views;
    for (int i = 0; i < 10; ++i) {
        auto b = UIButton::buttonWithType(UIButtonTypeCustom);
        b->setFrame(CGRectMake(20 + i * 72, 5, 40, 36));
        b->setTitle(std::to_string(i), UIControlStateNormal);
        b->setBackgroundColor(UIColor::colorWithWhite(0.2, 0.6));
        b->layer().setCornerRadius(8);
        b->layer().setMasksToBounds(true);
        scroll->addSubview(b);
        auto caption = std::make_shared<UILabel>(CGRectMake(10 + i * 72, 43, 67, 15));
        caption->setText("CAPTION");
        caption->setFont(UIFont::fontWithName("DINAlternate-Bold", 13));
        caption->setTextColor(UIColor::colorWithRed(1, 0.8, 0, 1));
        caption->setTextAlignment(NSTextAlignmentCenter);
        caption->setAdjustsFontSizeToFitWidth(true);
        caption->setMinimumScaleFactor(9.0 / 13);
        scroll->addSubview(caption);
        views += 3;  // button, its title label, caption
    }
    // Grid-like overlay lines and badges until about 100 views.
    for (int i = 0; views < 100; ++i) {
        auto v = std::make_shared<UIView>(CGRectMake(10 + (i % 8) * 45, 60 + (i / 8) * 45, 30, 20));
        v->setBackgroundColor(UIColor::colorWithRed(1, 0.8, 0, 0.6));
        v->layer().setCornerRadius(4);
        if (i % 5 == 0) v->setTransform(CGAffineTransformMakeRotation(0.3 * i));
        if (i % 7 == 0) v->setAlpha(0.5);
        window->addSubview(v);
        ++views;
    }
    return window;
}

void BM_RenderScreen(benchmark::State& state) {
    auto window = buildScreen(state.range(0) != 0);
    platform::RenderOptions options;
    options.size = {375, 667};
    options.scale = 2;
    for (auto _ : state) {
        auto ctx = platform::ScreenRenderer::render(*window, options);
        benchmark::DoNotOptimize(ctx->argb32(10, 10));
    }
}
BENCHMARK(BM_RenderScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
