#include "platform/ui/UIGestureRecognizer.h"

#include "platform/ui/UIApplication.h"
#include "platform/ui/UITouch.h"
#include "platform/ui/UIView.h"

UIGestureRecognizer::UIGestureRecognizer(const std::shared_ptr<NSObject>& target, Action action) {
    addTarget(target, std::move(action));
}

UIGestureRecognizer::~UIGestureRecognizer() = default;

void UIGestureRecognizer::addTarget(const std::shared_ptr<NSObject>& target, Action action) {
    if (!action) return;
    targets_.push_back({target, target != nullptr, std::move(action)});
}

void UIGestureRecognizer::removeTarget(const NSObject* target) {
    if (target == nullptr) {
        targets_.clear();
        return;
    }
    std::erase_if(targets_, [&](const Target& t) { return t.target.lock().get() == target; });
}

void UIGestureRecognizer::setState(UIGestureRecognizerState state) {
    const UIGestureRecognizerState old = state_;
    const bool recognising =
        old == UIGestureRecognizerStatePossible &&
        (state == UIGestureRecognizerStateBegan || state == UIGestureRecognizerStateEnded);
    if (recognising) {
        auto d = delegate_.lock();
        const bool allowed = (d == nullptr || d->gestureRecognizerShouldBegin(this)) &&
                             UIApplication::sharedApplication().mayRecognize(this);
        if (!allowed) state = UIGestureRecognizerStateFailed;
    }
    state_ = state;
    if (recognising && state_ != UIGestureRecognizerStateFailed) {
        UIApplication::sharedApplication().recognizerDidRecognize(this);
    }
    switch (state_) {
        case UIGestureRecognizerStateBegan:
        case UIGestureRecognizerStateChanged:
        case UIGestureRecognizerStateEnded:
        case UIGestureRecognizerStateCancelled:
            if (state_ != old || state_ == UIGestureRecognizerStateChanged) fireActions();
            break;
        default:
            break;
    }
    // A final state reached after the touches have all gone returns to Possible at once.
    if (isFinished() && touches_.empty()) {
        state_ = UIGestureRecognizerStatePossible;
        reset();
    }
}

void UIGestureRecognizer::fireActions() {
    auto keep = weak_from_this().lock();  // an action may drop the last owner
    const auto targets = targets_;
    for (const auto& t : targets) {
        if (t.hasTarget) {
            auto target = t.target.lock();
            if (target == nullptr) continue;
            t.action(this);
        } else {
            t.action(this);
        }
    }
}

void UIGestureRecognizer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (!enabled && isActive()) setState(UIGestureRecognizerStateCancelled);
}

bool UIGestureRecognizer::shouldReceiveTouch(UITouch* touch) {
    auto d = delegate_.lock();
    return d == nullptr || d->gestureRecognizerShouldReceiveTouch(this, touch);
}

bool UIGestureRecognizer::allowsSimultaneous(UIGestureRecognizer* other) {
    if (other == nullptr) return false;
    auto mine = delegate_.lock();
    if (mine != nullptr && mine->gestureRecognizerShouldRecognizeSimultaneously(this, other)) {
        return true;
    }
    auto theirs = other->delegate_.lock();
    return theirs != nullptr && theirs->gestureRecognizerShouldRecognizeSimultaneously(other, this);
}

void UIGestureRecognizer::forgetTouches(const UITouchSet& finished) {
    UITouchSet left;
    for (const auto& t : touches_) {
        if (!finished.contains(t.get())) left.add(t);
    }
    touches_ = std::move(left);
    if (touches_.empty() && isFinished()) {
        state_ = UIGestureRecognizerStatePossible;
        reset();
    }
}

CGPoint UIGestureRecognizer::locationInView(const UIView* view) const {
    if (touches_.empty()) return CGPointZero;
    CGPoint sum{};
    for (const auto& t : touches_) {
        const CGPoint p = t->locationInView(view);
        sum.x += p.x;
        sum.y += p.y;
    }
    const double n = static_cast<double>(touches_.count());
    return {sum.x / n, sum.y / n};
}

CGPoint UIGestureRecognizer::locationOfTouch(std::size_t index, const UIView* view) const {
    if (index >= touches_.count()) return CGPointZero;
    return touches_.all()[index]->locationInView(view);
}
