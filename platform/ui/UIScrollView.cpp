#include "platform/ui/UIScrollView.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/UIPanGestureRecognizer.h"

UIScrollView::UIScrollView() : UIScrollView(CGRectZero) {}

UIScrollView::UIScrollView(CGRect frame) : UIView(frame) {
    setClipsToBounds(true);
    pan_ = std::make_shared<UIPanGestureRecognizer>();
    pan_->addTarget(nullptr, [](UIGestureRecognizer* gr) {
        auto* view = dynamic_cast<UIScrollView*>(gr->view());
        if (view != nullptr) view->handlePan(static_cast<UIPanGestureRecognizer*>(gr));
    });
    addGestureRecognizer(pan_);
}

UIScrollView::~UIScrollView() {
    stopAnimation();
}

void UIScrollView::setContentSize(CGSize size) {
    if (!std::isfinite(size.width) || !std::isfinite(size.height)) return;
    contentSize_ = {std::max(0.0, size.width), std::max(0.0, size.height)};
}

void UIScrollView::setScrollEnabled(bool enabled) {
    scrollEnabled_ = enabled;
    pan_->setEnabled(enabled);
}

void UIScrollView::setContentOffset(CGPoint offset) {
    if (!std::isfinite(offset.x) || !std::isfinite(offset.y)) return;
    CGRect b = bounds();
    if (b.origin == offset) return;
    b.origin = offset;
    setBounds(b);
    if (auto d = delegate()) d->scrollViewDidScroll(this);
}

void UIScrollView::setContentOffset(CGPoint offset, bool animated) {
    if (!animated) {
        stopAnimation();
        setContentOffset(offset);
        return;
    }
    if (!std::isfinite(offset.x) || !std::isfinite(offset.y)) return;
    if (offset == contentOffset()) return;
    animateTo(offset, false);
}

CGPoint UIScrollView::maxOffset() const {
    const CGSize s = bounds().size;
    return {std::max(0.0, contentSize_.width - s.width),
            std::max(0.0, contentSize_.height - s.height)};
}

void UIScrollView::handlePan(UIPanGestureRecognizer* pan) {
    switch (pan->state()) {
        case UIGestureRecognizerStateBegan: {
            stopAnimation();
            decelerating_ = false;
            dragging_ = true;
            dragStartOffset_ = contentOffset();
            if (auto d = delegate()) d->scrollViewWillBeginDragging(this);
            [[fallthrough]];
        }
        case UIGestureRecognizerStateChanged: {
            const CGPoint t = pan->translationInView(this);
            const CGPoint max = maxOffset();
            const CGSize s = bounds().size;
            const bool canX = contentSize_.width > s.width || alwaysBounceH_;
            const bool canY = contentSize_.height > s.height || alwaysBounceV_;
            // Past the ends the content follows the finger at half speed when bouncing.
            auto axis = [&](double start, double delta, double hi, bool can) {
                if (!can) return start;
                double v = start - delta;
                if (v < 0) v = bounces_ ? v / 2 : 0;
                if (v > hi) v = bounces_ ? hi + (v - hi) / 2 : hi;
                return v;
            };
            setContentOffset({axis(dragStartOffset_.x, t.x, max.x, canX),
                              axis(dragStartOffset_.y, t.y, max.y, canY)});
            break;
        }
        case UIGestureRecognizerStateEnded:
        case UIGestureRecognizerStateCancelled:
            endDrag(pan);
            break;
        default:
            break;
    }
}

CGPoint UIScrollView::settledOffset(CGPoint velocity) const {
    const CGPoint max = maxOffset();
    CGPoint cur = contentOffset();
    if (paging_) {
        // The page nearest to the offset, or the next one in the direction of a flick.
        auto page = [](double offset, double start, double size, double v) {
            if (size <= 0) return 0.0;
            const double startPage = std::round(start / size);
            double p = std::round(offset / size);
            if (v > kFlickVelocity) {
                p = std::ceil(offset / size);
            } else if (v < -kFlickVelocity) {
                p = std::floor(offset / size);
            }
            return std::clamp(p, startPage - 1, startPage + 1) * size;
        };
        const CGSize s = bounds().size;
        // A drag velocity to the left moves the content towards larger offsets.
        cur = {page(cur.x, dragStartOffset_.x, s.width, -velocity.x),
               page(cur.y, dragStartOffset_.y, s.height, -velocity.y)};
    } else {
        // Without paging the content carries on at the finger's speed and slows to rest: an
        // ease-out over the settle time covers half of speed x time.
        const CGSize s = bounds().size;
        if (contentSize_.width > s.width || alwaysBounceH_) {
            cur.x -= velocity.x * kSettleDuration / 2;
        }
        if (contentSize_.height > s.height || alwaysBounceV_) {
            cur.y -= velocity.y * kSettleDuration / 2;
        }
    }
    return {std::clamp(cur.x, 0.0, max.x), std::clamp(cur.y, 0.0, max.y)};
}

void UIScrollView::endDrag(UIPanGestureRecognizer* pan) {
    if (!dragging_) return;
    dragging_ = false;
    const CGPoint target = settledOffset(pan->velocityInView(this));
    const bool willDecelerate = target != contentOffset();
    if (auto d = delegate()) d->scrollViewDidEndDragging(this, willDecelerate);
    if (!willDecelerate) return;
    decelerating_ = true;
    if (auto d = delegate()) d->scrollViewWillBeginDecelerating(this);
    animateTo(target, true);
}

void UIScrollView::animateTo(CGPoint target, bool deceleration) {
    stopAnimation();
    decelerating_ = deceleration;
    animFrom_ = contentOffset();
    animTo_ = target;
    animStart_ = platform::RunLoop::main().now();
    animDeceleration_ = deceleration;
    step();
}

void UIScrollView::step() {
    auto& loop = platform::RunLoop::main();
    std::weak_ptr<NSObject> weak = weak_from_this();
    const double elapsed = loop.now() - animStart_;
    // A scroll view not owned by a shared_ptr cannot be stepped later: it jumps to the end.
    // Within a microsecond of the end counts as the end: clock sums carry rounding, and a
    // remaining sliver would schedule steps that never move the clock.
    const bool atEnd = weak.expired() || elapsed >= kSettleDuration - 1e-6;
    const double fraction = atEnd ? 1.0 : std::max(0.0, elapsed / kSettleDuration);
    if (fraction > 0) {
        const double p = animationCurveProgress(
            animDeceleration_ ? UIViewAnimationCurveEaseOut : UIViewAnimationCurveEaseInOut,
            fraction);
        animation_ = 0;
        const unsigned generation = generation_;
        setContentOffset({animFrom_.x + (animTo_.x - animFrom_.x) * p,
                          animFrom_.y + (animTo_.y - animFrom_.y) * p});
        if (generation != generation_) return;  // didScroll stopped or replaced the movement
    }
    if (fraction >= 1) {
        animation_ = 0;
        auto d = delegate();
        if (animDeceleration_) {
            decelerating_ = false;
            if (d) d->scrollViewDidEndDecelerating(this);
        } else if (d) {
            d->scrollViewDidEndScrollingAnimation(this);
        }
        return;
    }
    const double next = std::min(1.0 / 60, kSettleDuration - elapsed);
    animation_ = loop.schedule(next, [weak]() {
        if (auto self = weak.lock()) static_cast<UIScrollView*>(self.get())->step();
    });
}

void UIScrollView::stopAnimation() {
    ++generation_;
    if (animation_ != 0) platform::RunLoop::main().cancel(animation_);
    animation_ = 0;
}
