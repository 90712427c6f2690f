#include "overlays/OverlayDrawView.h"

#include "core/TweakState.h"
#include "overlays/GuideGeometry.h"
#include "platform/graphics/GraphicsContext.h"

namespace lumora {

OverlayDrawView::OverlayDrawView(CGRect frame) : UIView(frame) {
    setBackgroundColor(UIColor::clearColor());
    // The guide lies over the preview; focus taps go through it.
    setUserInteractionEnabled(false);
}

void OverlayDrawView::drawRect(platform::GraphicsContext& ctx, CGRect) {
    const std::vector<GuideStroke> strokes = guideStrokes(static_cast<int>(tag()));
    if (strokes.empty()) return;
    // Points are design units divided by the screen's scale; the line width stays 2 points.
    const CGFloat s = guideDesignScale(state().screensize, state().screenIsZoomed);
    auto at = [s](CGPoint p) { return CGPointMake(p.x / s, p.y / s); };
    ctx.saveGState();
    ctx.setStrokeColor(platform::Color{220.0 / 255, 220.0 / 255, 220.0 / 255, 0.6});
    ctx.setLineWidth(2);
    for (const GuideStroke& stroke : strokes) {
        ctx.beginPath();
        ctx.moveTo(at(stroke.points.front()));
        if (stroke.cubic) {
            for (std::size_t i = 1; i + 2 < stroke.points.size(); i += 3) {
                ctx.curveTo(at(stroke.points[i]), at(stroke.points[i + 1]),
                            at(stroke.points[i + 2]));
            }
        } else {
            for (std::size_t i = 1; i < stroke.points.size(); ++i) ctx.lineTo(at(stroke.points[i]));
        }
        if (stroke.closed) ctx.closePath();
        ctx.strokePath();
    }
    ctx.restoreGState();
}

}  // namespace lumora
