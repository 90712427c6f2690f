// Drawing a phone screen's worth of content: a 750 x 1334 pixel context (375 x 667 points at
// scale 2) with about 100 items, the load a rendered view tree puts on the drawing layer.

#include <benchmark/benchmark.h>

#include <string>

#include "artwork/CutOutLabel.h"
#include "artwork/Glyphs.h"
#include "platform/graphics/BitmapContext.h"

using namespace platform;

namespace {

// 60 filled or stroked rectangles, 30 text lines, 10 glyphs; every tenth item has a shadow.
void drawScreen(BitmapContext& ctx) {
    ctx.clearAll();
    ctx.setFillColor({0.1, 0.1, 0.1, 1});
    ctx.fillRect(CGRectMake(0, 0, 375, 667));
    for (int i = 0; i < 60; ++i) {
        GStateGuard guard(ctx);
        const double x = (i % 6) * 62, y = (i / 6) * 66;
        ctx.translate(x, y);
        if (i % 10 == 0) ctx.setShadow({1, 1}, 2, Color::black());
        ctx.setFillColor({0.2 + 0.01 * i, 0.3, 0.5, 0.8});
        if (i % 3 == 0) {
            ctx.addRoundedRect(CGRectMake(2, 2, 56, 60), 6);
            ctx.fillPath();
        } else {
            ctx.fillRect(CGRectMake(2, 2, 56, 60));
        }
        ctx.setStrokeColor({1, 1, 1, 0.5});
        ctx.strokeRect(CGRectMake(2, 2, 56, 60));
    }
    TextStyle caption{"DINAlternate-Bold", 13, 0, {1, 0.8, 0, 1}, TextAlignment::Center};
    for (int i = 0; i < 30; ++i) {
        ctx.drawText("Caption " + std::to_string(i),
                     CGRectMake((i % 3) * 125, 20 + (i / 3) * 64, 125, 15), caption);
    }
    for (int i = 0; i < 8; ++i) {
        lumora::artwork::drawGlyph(ctx, CGRectMake(5 + i * 46, 600, 44, 44), 1 + i,
                                   {i % 2 == 0, true, {}});
    }
    lumora::artwork::drawCutOutLabel(ctx, CGRectMake(20, 560, 75, 22), "WB LOCK");
    lumora::artwork::drawCameraButton(ctx, CGRectMake(300, 550, 47, 47), {true, true, {}});
}

void BM_ScreenOf100Items(benchmark::State& state) {
    BitmapContext ctx(750, 1334, 2);
    for (auto _ : state) {
        drawScreen(ctx);
        benchmark::DoNotOptimize(ctx.argb32(10, 10));
    }
}
BENCHMARK(BM_ScreenOf100Items)->Unit(benchmark::kMillisecond);

void BM_BlurBackdropStrip(benchmark::State& state) {
    // The camera bar's backdrop: a full-width strip 65 points high, radius 10.
    BitmapContext ctx(750, 1334, 2);
    drawScreen(ctx);
    for (auto _ : state) ctx.blurRegion(CGRectMake(0, 500, 375, 65), 10);
}
BENCHMARK(BM_BlurBackdropStrip)->Unit(benchmark::kMillisecond);

void BM_FullScreenBlur(benchmark::State& state) {
    BitmapContext ctx(750, 1334, 2);
    drawScreen(ctx);
    for (auto _ : state) ctx.blurRegion(CGRectMake(0, 0, 375, 667), 10);
}
BENCHMARK(BM_FullScreenBlur)->Unit(benchmark::kMillisecond);

void BM_GlyphButton(benchmark::State& state) {
    BitmapContext ctx(94, 94, 2);
    for (auto _ : state) {
        ctx.clearAll();
        lumora::artwork::drawGlyph(ctx, CGRectMake(0, 0, 47, 47), 7, {true, true, {}}, 4);
    }
}
BENCHMARK(BM_GlyphButton)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
