#include "platform/ui/UILongPressGestureRecognizer.h"

#include <cmath>

UILongPressGestureRecognizer::~UILongPressGestureRecognizer() {
    cancelTimer();
}

void UILongPressGestureRecognizer::cancelTimer() {
    if (timer_ != 0) platform::RunLoop::main().cancel(timer_);
    timer_ = 0;
}

void UILongPressGestureRecognizer::touchesBegan(const UITouchSet&, UIEvent*) {
    if (state() != UIGestureRecognizerStatePossible || timer_ != 0) return;
    start_ = locationInView(nullptr);
    std::weak_ptr<NSObject> weak = weak_from_this();
    timer_ = platform::RunLoop::main().schedule(minimumPressDuration_, [this, weak]() {
        if (weak.expired()) return;
        timer_ = 0;
        if (state() == UIGestureRecognizerStatePossible && numberOfTouches() > 0) {
            setState(UIGestureRecognizerStateBegan);
        }
    });
}

void UILongPressGestureRecognizer::touchesMoved(const UITouchSet&, UIEvent*) {
    if (state() == UIGestureRecognizerStatePossible) {
        const CGPoint p = locationInView(nullptr);
        if (std::hypot(p.x - start_.x, p.y - start_.y) > allowableMovement_) {
            cancelTimer();
            setState(UIGestureRecognizerStateFailed);
        }
        return;
    }
    if (isActive()) setState(UIGestureRecognizerStateChanged);
}

void UILongPressGestureRecognizer::touchesEnded(const UITouchSet&, UIEvent*) {
    cancelTimer();
    setState(isActive() ? UIGestureRecognizerStateEnded : UIGestureRecognizerStateFailed);
}

void UILongPressGestureRecognizer::touchesCancelled(const UITouchSet&, UIEvent*) {
    cancelTimer();
    setState(isActive() ? UIGestureRecognizerStateCancelled : UIGestureRecognizerStateFailed);
}

void UILongPressGestureRecognizer::reset() {
    cancelTimer();
}
