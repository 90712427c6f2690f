#include "platform/ui/ScreenRenderer.h"

#include <algorithm>
#include <cmath>

#include "platform/device/UIDevice.h"
#include "platform/ui/UIView.h"

namespace platform {
namespace {

void addBoundsPath(GraphicsContext& ctx, CGRect bounds, CGFloat radius) {
    if (radius > 0) {
        ctx.addRoundedRect(bounds,
                           std::min(radius, std::min(bounds.size.width, bounds.size.height) / 2));
    } else {
        ctx.addRect(bounds);
    }
}

// The backdrop filters, in list order: a blur of what is already drawn under the bounds
// (cropped to the filter's "inputBounds" when it has one; pixels outside are never read, so
// the edges stay hard), and the "colorAdd" tint, added to the pixels below.
void applyBackdrop(GraphicsContext& ctx, const CALayer& layer, CGRect bounds) {
    for (const auto& f : layer.filters()) {
        if (f == nullptr) continue;
        if (f->name() == kCAFilterGaussianBlur) {
            const double r = f->numberForKey("inputRadius").value_or(0);
            CGRect region = bounds;
            const auto* crop = f->valueForKey("inputBounds");
            if (crop != nullptr && std::holds_alternative<CGRect>(*crop)) {
                region = CGRectIntersection(region, std::get<CGRect>(*crop));
            }
            if (r > 0 && std::isfinite(r) && !CGRectIsNull(region)) ctx.blurRegion(region, r);
        } else if (f->name() == kCAFilterColorAdd) {
            const auto* v = f->valueForKey("inputColor");
            const auto* c = v != nullptr ? std::get_if<std::vector<double>>(v) : nullptr;
            if (c == nullptr || c->size() < 3) continue;
            const double a = c->size() > 3 ? (*c)[3] : 1.0;
            GStateGuard guard(ctx);
            ctx.setBlendMode(BlendMode::PlusLighter);
            ctx.setFillColor(Color::rgb((*c)[0], (*c)[1], (*c)[2], a));
            ctx.beginPath();
            addBoundsPath(ctx, bounds, layer.cornerRadius());
            ctx.fillPath();
        }
    }
}

void drawContent(GraphicsContext& ctx, UIView& view, const UIViewPresentation& p) {
    const CGRect b = p.bounds;
    const CALayer& layer = view.layer();
    const bool hasArea = b.size.width > 0 && b.size.height > 0;
    if (view.clipsToBounds() || layer.masksToBounds()) {
        if (!hasArea) return;  // everything is clipped away
        ctx.beginPath();
        addBoundsPath(ctx, b, layer.masksToBounds() ? layer.cornerRadius() : 0);
        ctx.clip();
    }
    if (hasArea) {
        if (layer.isBackdrop()) applyBackdrop(ctx, layer, b);
        if (p.backgroundColor.a > 0) {
            ctx.setFillColor(p.backgroundColor);
            ctx.beginPath();
            addBoundsPath(ctx, b, layer.cornerRadius());
            ctx.fillPath();
        }
        {
            GStateGuard guard(ctx);
            ctx.clipToRect(b);
            view.drawRect(ctx, b);
        }
        view.clearNeedsDisplay();
    }
    const auto subviews = view.subviews();  // drawRect may not change the tree, but be safe
    for (const auto& sub : subviews) ScreenRenderer::drawView(ctx, *sub);
    if (hasArea && layer.borderWidth() > 0 && layer.borderColor().a > 0) {
        const CGFloat w = layer.borderWidth();
        ctx.setStrokeColor(layer.borderColor());
        ctx.setLineWidth(w);
        ctx.beginPath();
        addBoundsPath(ctx, CGRectInset(b, w / 2, w / 2),
                      std::max(0.0, layer.cornerRadius() - w / 2));
        ctx.strokePath();
    }
}

}  // namespace

void ScreenRenderer::drawView(GraphicsContext& ctx, UIView& view) {
    if (view.isHidden()) return;
    const UIViewPresentation p = view.presentationState();
    if (!(p.alpha > 0)) return;
    const CGAffineTransform toMid =
        CGAffineTransformMakeTranslation(-CGRectGetMidX(p.bounds), -CGRectGetMidY(p.bounds));
    const CGAffineTransform m =
        CGAffineTransformConcat(CGAffineTransformConcat(toMid, p.transform),
                                CGAffineTransformMakeTranslation(p.center.x, p.center.y));
    if (!CGAffineTransformIsInvertible(m)) return;
    GStateGuard guard(ctx);
    ctx.concatCTM(m);
    if (p.alpha >= 1) {
        drawContent(ctx, view, p);
    } else if (view.subviews().empty() && !view.layer().isBackdrop()) {
        ctx.setAlpha(ctx.alpha() * p.alpha);
        drawContent(ctx, view, p);
    } else {
        TransparencyLayerGuard layer(ctx, p.alpha);
        drawContent(ctx, view, p);
    }
}

std::unique_ptr<BitmapContext> ScreenRenderer::render(UIView& root, const RenderOptions& options) {
    const CGSize size = (options.size.width > 0 && options.size.height > 0)
                            ? options.size
                            : UIScreen::mainScreen().bounds().size;
    const double scale = options.scale > 0 ? options.scale : UIScreen::mainScreen().scale();
    const double s = (std::isfinite(scale) && scale > 0) ? scale : 1;
    auto ctx = std::make_unique<BitmapContext>(static_cast<int>(std::lround(size.width * s)),
                                               static_cast<int>(std::lround(size.height * s)), s);
    if (!ctx->isValid()) return ctx;
    if (options.background.a > 0) ctx->paint(options.background);
    root.layoutIfNeeded();
    drawView(*ctx, root);
    return ctx;
}

ImageRef ScreenRenderer::renderImage(UIView& root, const RenderOptions& options) {
    auto ctx = render(root, options);
    return ctx->makeImage();
}

bool ScreenRenderer::writePng(UIView& root, const std::string& path, const RenderOptions& options) {
    auto ctx = render(root, options);
    return ctx->isValid() && ctx->writePng(path);
}

}  // namespace platform
