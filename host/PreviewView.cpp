#include "host/PreviewView.h"

#include <algorithm>
#include <cmath>

#include "platform/device/UIDevice.h"
#include "platform/graphics/GraphicsContext.h"

namespace host {
namespace {

bool sameShot(const SceneShot& a, const SceneShot& b) {
    return a.kind == b.kind && a.lensPosition == b.lensPosition &&
           a.nearestFocusMetres == b.nearestFocusMetres && a.fixedFocus == b.fixedFocus &&
           a.iso == b.iso && a.exposureSeconds == b.exposureSeconds && a.aperture == b.aperture &&
           a.biasEV == b.biasEV && a.mirrored == b.mirrored;
}

CGRect squareAt(CGPoint c, double side) {
    return CGRectMake(c.x - side / 2, c.y - side / 2, side, side);
}

}  // namespace

PreviewView::PreviewView() : lockBanner_(std::make_shared<UILabel>()) {
    setBackgroundColor(UIColor::blackColor());
    setClipsToBounds(true);
    // Touches go to the camera view beneath, whose gestures handle them.
    setUserInteractionEnabled(false);
    lockBanner_->setText("AE/AF LOCK");
    lockBanner_->setFont(UIFont::fontWithName("HelveticaNeue", 13));
    lockBanner_->setTextAlignment(NSTextAlignmentCenter);
    lockBanner_->setTextColor(UIColor::blackColor());
    lockBanner_->setBackgroundColor(kAmberBanner());
    lockBanner_->setHidden(true);
    addSubview(lockBanner_);
}

UIColor PreviewView::kAmberBanner() {
    return platform::Color{1.0, 0.8, 0.0, 1.0};
}

void PreviewView::initWithFrame(CGRect frame) {
    setFrame(frame);
    focusPoint_ = CGPointMake(frame.size.width / 2, frame.size.height / 2);
}

void PreviewView::setBlurred(bool blurred) {
    blurred_ = blurred;
    setNeedsDisplay();
}

void PreviewView::_setShowExposureBiasSlider(bool show) {
    showBias_ = show;
    setNeedsDisplay();
}

void PreviewView::showContinuousAutoFocusView() {
    showContinuous_ = true;
    showFocus_ = false;
    setNeedsDisplay();
    // The large frame shows for a moment, as on the phone.
    std::weak_ptr<NSObject> weak = weak_from_this();
    platform::RunLoop::main().schedule(1.0, [weak] {
        if (auto self = std::dynamic_pointer_cast<PreviewView>(weak.lock())) {
            self->showContinuous_ = false;
            self->setNeedsDisplay();
        }
    });
}

void PreviewView::setExposureBias(double ev) {
    biasEV_ = std::clamp(std::isfinite(ev) ? ev : 0.0, -2.0, 2.0);
    setNeedsDisplay();
}

void PreviewView::setFocusPoint(CGPoint point, bool visible) {
    focusPoint_ = point;
    focusFrame_ = squareAt(point, kFocusSide);
    if (!split_) exposureFrame_ = focusFrame_;
    showFocus_ = visible;
    showContinuous_ = false;
    setNeedsDisplay();
}

void PreviewView::setExposurePoint(CGPoint point) {
    exposureFrame_ = squareAt(point, kFocusSide * 0.75);
    setNeedsDisplay();
}

void PreviewView::setSplit(bool split) {
    split_ = split;
    if (!split) exposureFrame_ = focusFrame_;
    setNeedsDisplay();
}

void PreviewView::clearFocusViews() {
    showFocus_ = false;
    showBias_ = false;
    showContinuous_ = false;
    setNeedsDisplay();
}

void PreviewView::setLockBannerVisible(bool visible) {
    lockBanner_->setHidden(!visible);
}

bool PreviewView::isLockBannerVisible() const {
    return !lockBanner_->isHidden();
}

void PreviewView::layoutSubviews() {
    lockBanner_->setFrame(CGRectMake(bounds().size.width / 2 - 50, 8, 100, 22));
}

platform::ImageRef PreviewView::picture(const SceneShot& shot) {
    const CGSize size = bounds().size;
    if (cached_ && cachedShot_ && sameShot(*cachedShot_, shot) && cachedSize_.width == size.width &&
        cachedSize_.height == size.height) {
        return cached_;
    }
    // Half the screen's resolution is plenty for a live picture; the renderer scales it up.
    const double scale = std::max(1.0, static_cast<double>(UIScreen::mainScreen().scale())) / 2;
    const int w = std::clamp(static_cast<int>(size.width * scale), 1, 2048);
    const int h = std::clamp(static_cast<int>(size.height * scale), 1, 2048);
    Picture pic = renderUpright(shot, w, h);
    cached_ = platform::Image::fromARGB32(pic.width, pic.height, scale, std::move(pic.pixels));
    cachedShot_ = shot;
    cachedSize_ = size;
    return cached_;
}

void PreviewView::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const std::optional<SceneShot> shot = source_ ? source_() : std::nullopt;
    if (shot) {
        if (auto img = picture(*shot)) ctx.drawImage(rect, img.get());
        if (blurred_) ctx.blurRegion(rect, 12);
    }
    if (blurred_) return;
    ctx.setStrokeColor(kAmberBanner());
    ctx.setLineWidth(1);
    if (showContinuous_) {
        const double side = std::min(rect.size.width, rect.size.height) * 0.6;
        ctx.strokeRect(squareAt(CGPointMake(CGRectGetMidX(rect), CGRectGetMidY(rect)), side));
    }
    if (showFocus_) {
        ctx.strokeRect(focusFrame_);
        // Small ticks at the middle of each side.
        const CGRect f = focusFrame_;
        const double t = 6;
        ctx.beginPath();
        ctx.moveTo(CGPointMake(CGRectGetMidX(f), f.origin.y));
        ctx.lineTo(CGPointMake(CGRectGetMidX(f), f.origin.y + t));
        ctx.moveTo(CGPointMake(CGRectGetMidX(f), CGRectGetMaxY(f)));
        ctx.lineTo(CGPointMake(CGRectGetMidX(f), CGRectGetMaxY(f) - t));
        ctx.moveTo(CGPointMake(f.origin.x, CGRectGetMidY(f)));
        ctx.lineTo(CGPointMake(f.origin.x + t, CGRectGetMidY(f)));
        ctx.moveTo(CGPointMake(CGRectGetMaxX(f), CGRectGetMidY(f)));
        ctx.lineTo(CGPointMake(CGRectGetMaxX(f) - t, CGRectGetMidY(f)));
        ctx.strokePath();
        if (split_) ctx.strokeEllipse(exposureFrame_);
    }
    if (showBias_ && showFocus_) {
        // A vertical line beside the square with a sun on it; up is brighter.
        const CGRect f = focusFrame_;
        const double x = CGRectGetMaxX(f) + 12;
        const double cy = CGRectGetMidY(f) - biasEV_ / 2.0 * (f.size.height / 2);
        ctx.beginPath();
        ctx.moveTo(CGPointMake(x, f.origin.y));
        ctx.lineTo(CGPointMake(x, CGRectGetMaxY(f)));
        ctx.strokePath();
        ctx.setFillColor(kAmberBanner());
        ctx.fillEllipse(CGRectMake(x - 5, cy - 5, 10, 10));
    }
}

}  // namespace host
