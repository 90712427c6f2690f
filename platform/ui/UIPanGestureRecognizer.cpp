#include "platform/ui/UIPanGestureRecognizer.h"

#include <cmath>

#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIView.h"

namespace {

// A window-space vector in `view`'s coordinates (the inverse of the view's linear mapping).
CGPoint vectorInView(CGPoint v, const UIView* view) {
    if (view == nullptr) return v;
    const CGPoint a = view->convertPointFromView(CGPointZero, nullptr);
    const CGPoint b = view->convertPointFromView(v, nullptr);
    return {b.x - a.x, b.y - a.y};
}

}  // namespace

CGPoint UIPanGestureRecognizer::translationInView(const UIView* view) const {
    return vectorInView({last_.x - origin_.x, last_.y - origin_.y}, view);
}

void UIPanGestureRecognizer::setTranslation(CGPoint translation, const UIView* view) {
    // The origin such that the current centroid is `translation` away from it, in `view`.
    CGPoint inWindow = translation;
    if (view != nullptr) {
        const CGPoint a = view->convertPointToView(CGPointZero, nullptr);
        const CGPoint b = view->convertPointToView(translation, nullptr);
        inWindow = {b.x - a.x, b.y - a.y};
    }
    origin_ = {last_.x - inWindow.x, last_.y - inWindow.y};
}

CGPoint UIPanGestureRecognizer::velocityInView(const UIView* view) const {
    return vectorInView(velocity_, view);
}

void UIPanGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*) {
    fingersDown_ += static_cast<int>(touches.count());
    last_ = locationInView(nullptr);
    if (state() == UIGestureRecognizerStatePossible) origin_ = last_;
    lastTime_ = platform::RunLoop::main().now();
}

void UIPanGestureRecognizer::touchesMoved(const UITouchSet&, UIEvent*) {
    const CGPoint p = locationInView(nullptr);
    const double now = platform::RunLoop::main().now();
    const double dt = now - lastTime_;
    if (dt > 0) velocity_ = {(p.x - last_.x) / dt, (p.y - last_.y) / dt};
    last_ = p;
    lastTime_ = now;
    if (state() == UIGestureRecognizerStatePossible) {
        if (fingersDown_ < minTouches_) return;
        if (std::hypot(p.x - origin_.x, p.y - origin_.y) > kHysteresis) {
            setState(UIGestureRecognizerStateBegan);
        }
        return;
    }
    if (isActive()) setState(UIGestureRecognizerStateChanged);
}

void UIPanGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent*) {
    fingersDown_ -= static_cast<int>(touches.count());
    if (fingersDown_ > 0) return;
    fingersDown_ = 0;
    setState(isActive() ? UIGestureRecognizerStateEnded : UIGestureRecognizerStateFailed);
}

void UIPanGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {
    fingersDown_ = 0;
    setState(isActive() ? UIGestureRecognizerStateCancelled : UIGestureRecognizerStateFailed);
}

void UIPanGestureRecognizer::reset() {
    fingersDown_ = 0;
    velocity_ = CGPointZero;
}
