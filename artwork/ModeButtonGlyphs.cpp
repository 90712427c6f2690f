// The camera bar's mode button glyphs, each in a 44 x 44 design box.

#include <cmath>

#include "artwork/GlyphCanvas.h"

namespace lumora::artwork {

using platform::BlendMode;
using platform::GraphicsContext;
using platform::GStateGuard;

namespace {
constexpr CGSize kBox{44, 44};
}

void drawCameraButton(GraphicsContext& ctx, CGRect bounds, const GlyphState& state) {
    drawInGlyphBox(ctx, bounds, kBox, state, [](GraphicsContext& c) {
        // Body with the viewfinder hump, the lens, and a small flash window.
        c.moveTo({8, 16});
        c.lineTo({15, 16});
        c.lineTo({18, 11});
        c.lineTo({26, 11});
        c.lineTo({29, 16});
        c.lineTo({36, 16});
        c.addArc({36, 18}, 2, -M_PI / 2, 0, true);
        c.lineTo({38, 32});
        c.addArc({36, 32}, 2, 0, M_PI / 2, true);
        c.lineTo({8, 34});
        c.addArc({8, 32}, 2, M_PI / 2, M_PI, true);
        c.lineTo({6, 18});
        c.addArc({8, 18}, 2, M_PI, 1.5 * M_PI, true);
        c.closePath();
        c.strokePath();
        c.strokeEllipse({{16, 19}, {12, 12}});
        c.fillEllipse({{31, 19}, {3, 3}});
    });
}

void drawTimerButton(GraphicsContext& ctx, CGRect bounds, const GlyphState& state) {
    drawInGlyphBox(ctx, bounds, kBox, state, [](GraphicsContext& c) {
        // A stopwatch: dial, crown and one hand.
        c.strokeEllipse({{10, 12}, {24, 24}});
        c.fillRect({{19, 6}, {6, 3}});
        c.moveTo({22, 9});
        c.lineTo({22, 12});
        c.moveTo({31, 12});
        c.lineTo({33, 10});
        c.moveTo({22, 24});
        c.lineTo({22, 16});
        c.moveTo({22, 24});
        c.lineTo({27, 27});
        c.strokePath();
    });
}

void drawTimeLapseButton(GraphicsContext& ctx, CGRect bounds, const GlyphState& state) {
    drawInGlyphBox(ctx, bounds, kBox, state, [](GraphicsContext& c) {
        // A dial of interval ticks with a hand and a small arrow head: repeated shots.
        for (int k = 0; k < 12; ++k) {
            const double t = k * M_PI / 6;
            const double r0 = k % 3 == 0 ? 10 : 12;
            c.moveTo({22 + std::cos(t) * r0, 22 + std::sin(t) * r0});
            c.lineTo({22 + std::cos(t) * 15, 22 + std::sin(t) * 15});
        }
        c.setLineWidth(1.6);
        c.strokePath();
        c.setLineWidth(2);
        c.moveTo({22, 22});
        c.lineTo({22, 13});
        c.moveTo({22, 22});
        c.lineTo({28, 22});
        c.strokePath();
        c.fillEllipse({{20, 20}, {4, 4}});
    });
}

void drawMovieButton(GraphicsContext& ctx, CGRect bounds, const GlyphState& state) {
    drawInGlyphBox(ctx, bounds, kBox, state, [](GraphicsContext& c) {
        // A video camera: body and the lens cone.
        c.addRoundedRect({{5, 14}, {24, 17}}, 3);
        c.strokePath();
        c.moveTo({29, 20});
        c.lineTo({39, 14.5});
        c.lineTo({39, 30.5});
        c.lineTo({29, 25});
        c.closePath();
        c.strokePath();
        c.fillEllipse({{9, 18}, {4, 4}});
    });
}

void drawWBLockButton(GraphicsContext& ctx, CGRect bounds, const GlyphState& state) {
    drawInGlyphBox(ctx, bounds, kBox, state, [](GraphicsContext& c) {
        // A padlock whose body carries "WB" cut out.
        c.addArc({22, 18}, 7, M_PI, 2 * M_PI, true);
        c.moveTo({15, 18});
        c.lineTo({15, 21});
        c.moveTo({29, 18});
        c.lineTo({29, 21});
        c.strokePath();
        c.addRoundedRect({{10, 20}, {24, 17}}, 3);
        c.fillPath();
        GStateGuard cut(c);
        c.setBlendMode(BlendMode::Clear);
        c.drawText("WB", {{10, 20}, {24, 17}},
                   {"DINAlternate-Bold", 11, 0.5, platform::Color::black(),
                    platform::TextAlignment::Center});
    });
}

}  // namespace lumora::artwork
