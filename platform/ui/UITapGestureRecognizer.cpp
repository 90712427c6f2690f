#include "platform/ui/UITapGestureRecognizer.h"

#include <cmath>

#include "platform/ui/UITouch.h"

UITapGestureRecognizer::~UITapGestureRecognizer() {
    cancelTimeout();
}

void UITapGestureRecognizer::cancelTimeout() {
    if (timeout_ != 0) platform::RunLoop::main().cancel(timeout_);
    timeout_ = 0;
}

void UITapGestureRecognizer::touchesBegan(const UITouchSet& touches, UIEvent*) {
    cancelTimeout();
    if (fingersDown_ == 0) {
        maxFingers_ = 0;
        start_ = locationInView(nullptr);
    }
    fingersDown_ += static_cast<int>(touches.count());
    maxFingers_ = std::max(maxFingers_, fingersDown_);
    if (maxFingers_ > touchesRequired_) setState(UIGestureRecognizerStateFailed);
}

void UITapGestureRecognizer::touchesMoved(const UITouchSet& touches, UIEvent*) {
    for (const auto& t : touches) {
        const CGPoint p = t->locationInView(nullptr);
        if (std::hypot(p.x - start_.x, p.y - start_.y) > kAllowableMovement) {
            setState(UIGestureRecognizerStateFailed);
            return;
        }
    }
}

void UITapGestureRecognizer::touchesEnded(const UITouchSet& touches, UIEvent*) {
    fingersDown_ -= static_cast<int>(touches.count());
    if (fingersDown_ > 0) return;
    fingersDown_ = 0;
    if (maxFingers_ != touchesRequired_) {
        setState(UIGestureRecognizerStateFailed);
        return;
    }
    if (++tapsSoFar_ >= tapsRequired_) {
        setState(UIGestureRecognizerStateRecognized);
        return;
    }
    // Wait for the next tap; a recogniser that is gone or already decided ignores the timeout.
    std::weak_ptr<NSObject> weak = weak_from_this();
    timeout_ = platform::RunLoop::main().schedule(kMaxTapInterval, [this, weak]() {
        if (weak.expired()) return;
        timeout_ = 0;
        if (state() == UIGestureRecognizerStatePossible) setState(UIGestureRecognizerStateFailed);
    });
}

void UITapGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {
    fingersDown_ = 0;
    setState(UIGestureRecognizerStateFailed);
}

void UITapGestureRecognizer::reset() {
    cancelTimeout();
    tapsSoFar_ = 0;
    fingersDown_ = 0;
    maxFingers_ = 0;
}
