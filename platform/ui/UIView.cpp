#include "platform/ui/UIView.h"

#include <algorithm>

#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIGestureRecognizer.h"
#include "platform/ui/UIViewController.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/ViewAnimator.h"

UIView::UIView() = default;

UIView::UIView(CGRect frame) {
    frame = CGRectStandardize(frame);
    center_ = {CGRectGetMidX(frame), CGRectGetMidY(frame)};
    bounds_ = {{0, 0}, frame.size};
}

UIView::~UIView() {
    for (auto& sub : subviews_) sub->superview_ = nullptr;
    for (auto& gr : recognizers_) gr->setView(nullptr);
}

void UIView::willChange(Property p) {
    ViewAnimator::shared().willChange(*this, p);
}

// --- Geometry ---

CGRect UIView::frame() const {
    const CGRect local = CGRectMake(-bounds_.size.width / 2, -bounds_.size.height / 2,
                                    bounds_.size.width, bounds_.size.height);
    const CGRect r = CGAffineTransformIsIdentity(transform_)
                         ? local
                         : CGRectApplyAffineTransform(local, transform_);
    return CGRectOffset(r, center_.x, center_.y);
}

void UIView::setFrame(CGRect frame) {
    frame = CGRectStandardize(frame);
    if (!std::isfinite(frame.origin.x) || !std::isfinite(frame.origin.y) ||
        !std::isfinite(frame.size.width) || !std::isfinite(frame.size.height)) {
        return;
    }
    CGSize size = frame.size;
    if (!CGAffineTransformIsIdentity(transform_)) {
        // The bounds size whose transformed bounding box has the frame's size, when the
        // transform determines one (a quarter turn swaps width and height).
        const double a = std::fabs(transform_.a), b = std::fabs(transform_.b);
        const double c = std::fabs(transform_.c), d = std::fabs(transform_.d);
        const double det = a * d - b * c;
        if (std::fabs(det) > 1e-9) {
            size = {(d * frame.size.width - c * frame.size.height) / det,
                    (a * frame.size.height - b * frame.size.width) / det};
            if (size.width < 0 || size.height < 0) size = bounds_.size;
        } else {
            size = bounds_.size;
        }
    }
    setCenter({CGRectGetMidX(frame), CGRectGetMidY(frame)});
    setBounds({bounds_.origin, size});
}

void UIView::setBounds(CGRect bounds) {
    bounds = CGRectStandardize(bounds);
    if (!std::isfinite(bounds.origin.x) || !std::isfinite(bounds.origin.y) ||
        !std::isfinite(bounds.size.width) || !std::isfinite(bounds.size.height)) {
        return;
    }
    willChange(Property::Bounds);
    if (bounds.size != bounds_.size) needsLayout_ = true;
    bounds_ = bounds;
}

void UIView::setCenter(CGPoint center) {
    if (!std::isfinite(center.x) || !std::isfinite(center.y)) return;
    willChange(Property::Center);
    center_ = center;
}

void UIView::setTransform(const CGAffineTransform& t) {
    willChange(Property::Transform);
    transform_ = t;
}

void UIView::setAlpha(CGFloat alpha) {
    if (std::isnan(alpha)) return;
    willChange(Property::Alpha);
    alpha_ = std::clamp(alpha, 0.0, 1.0);
}

void UIView::setBackgroundColor(UIColor color) {
    willChange(Property::BackgroundColor);
    backgroundColor_ = color;
}

// --- Hierarchy ---

UIView* UIView::superview() const {
    return superview_;
}

bool UIView::isDescendantOfView(const UIView* view) const {
    if (view == nullptr) return false;
    for (const UIView* v = this; v != nullptr; v = v->superview_) {
        if (v == view) return true;
    }
    return false;
}

UIWindow* UIView::window() const {
    const UIView* root = this;
    while (root->superview_ != nullptr) root = root->superview_;
    return dynamic_cast<UIWindow*>(const_cast<UIView*>(root));
}

void UIView::detachFromSuperview() {
    UIView* parent = superview_;
    if (parent == nullptr) return;
    auto it = std::find_if(parent->subviews_.begin(), parent->subviews_.end(),
                           [this](const auto& s) { return s.get() == this; });
    if (it == parent->subviews_.end()) {
        superview_ = nullptr;
        return;
    }
    parent->willRemoveSubview(this);
    std::shared_ptr<UIView> keep = std::move(*it);
    parent->subviews_.erase(it);
    superview_ = nullptr;
    didMoveToSuperview();
    didMoveToWindow();
    // When the superview held the last reference, release it on the next turn of the loop (as
    // an autorelease pool would), so a view may remove itself inside its own method.
    if (keep.use_count() == 1) platform::RunLoop::main().post([keep]() {});
}

void UIView::removeFromSuperview() {
    detachFromSuperview();
}

void UIView::insertAt(const std::shared_ptr<UIView>& view, std::size_t index) {
    if (view == nullptr || view.get() == this || isDescendantOfView(view.get())) return;
    std::shared_ptr<UIView> keep = view;
    const bool moving = view->superview_ != this;
    if (view->superview_ == this) {
        std::erase_if(subviews_, [&](const auto& s) { return s.get() == view.get(); });
    } else {
        view->detachFromSuperview();
    }
    index = std::min(index, subviews_.size());
    subviews_.insert(subviews_.begin() + static_cast<std::ptrdiff_t>(index), keep);
    view->superview_ = this;
    if (moving) {
        didAddSubview(view.get());
        view->didMoveToSuperview();
        view->didMoveToWindow();
    }
}

void UIView::addSubview(const std::shared_ptr<UIView>& view) {
    insertAt(view, subviews_.size());
}

void UIView::insertSubview(const std::shared_ptr<UIView>& view, long index) {
    insertAt(view, index < 0 ? 0 : static_cast<std::size_t>(index));
}

void UIView::insertSubviewBelow(const std::shared_ptr<UIView>& view, const UIView* sibling) {
    if (view == nullptr) return;
    if (view->superview_ == this) {  // indices shift once the view leaves its old place
        std::shared_ptr<UIView> keep = view;
        std::erase_if(subviews_, [&](const auto& s) { return s.get() == view.get(); });
        view->superview_ = nullptr;
        auto it = std::find_if(subviews_.begin(), subviews_.end(),
                               [&](const auto& s) { return s.get() == sibling; });
        subviews_.insert(it, keep);
        view->superview_ = this;
        return;
    }
    auto it = std::find_if(subviews_.begin(), subviews_.end(),
                           [&](const auto& s) { return s.get() == sibling; });
    insertAt(view, static_cast<std::size_t>(it - subviews_.begin()));
}

void UIView::insertSubviewAbove(const std::shared_ptr<UIView>& view, const UIView* sibling) {
    if (view == nullptr) return;
    std::shared_ptr<UIView> keep = view;
    if (view->superview_ == this) {
        std::erase_if(subviews_, [&](const auto& s) { return s.get() == view.get(); });
        view->superview_ = nullptr;
        auto it = std::find_if(subviews_.begin(), subviews_.end(),
                               [&](const auto& s) { return s.get() == sibling; });
        subviews_.insert(it == subviews_.end() ? it : it + 1, keep);
        view->superview_ = this;
        return;
    }
    auto it = std::find_if(subviews_.begin(), subviews_.end(),
                           [&](const auto& s) { return s.get() == sibling; });
    const auto index = static_cast<std::size_t>(it - subviews_.begin());
    insertAt(view, it == subviews_.end() ? index : index + 1);
}

void UIView::bringSubviewToFront(const UIView* view) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(),
                           [&](const auto& s) { return s.get() == view; });
    if (it == subviews_.end()) return;
    std::rotate(it, it + 1, subviews_.end());
}

void UIView::sendSubviewToBack(const UIView* view) {
    auto it = std::find_if(subviews_.begin(), subviews_.end(),
                           [&](const auto& s) { return s.get() == view; });
    if (it == subviews_.end()) return;
    std::rotate(subviews_.begin(), it, it + 1);
}

UIView* UIView::viewWithTag(long tag) {
    if (tag_ == tag) return this;
    for (const auto& sub : subviews_) {
        if (UIView* found = sub->viewWithTag(tag)) return found;
    }
    return nullptr;
}

// --- Layout and drawing ---

void UIView::layoutIfNeeded() {
    if (needsLayout_) {
        needsLayout_ = false;
        layoutSubviews();
    }
    const auto subs = subviews_;  // layout may add or remove views
    for (const auto& sub : subs) sub->layoutIfNeeded();
}

void UIView::drawRect(platform::GraphicsContext&, CGRect) {}

CGSize UIView::sizeThatFits(CGSize) const {
    return bounds_.size;
}

void UIView::sizeToFit() {
    const CGRect f = frame();
    const CGSize s = sizeThatFits(bounds_.size);
    setFrame({f.origin, s});
}

// --- Gestures ---

void UIView::addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    if (recognizer == nullptr) return;
    if (UIView* old = recognizer->view(); old != nullptr && old != this) {
        old->removeGestureRecognizer(recognizer.get());
    }
    if (std::find(recognizers_.begin(), recognizers_.end(), recognizer) != recognizers_.end()) {
        return;
    }
    recognizers_.push_back(recognizer);
    recognizer->setView(this);
}

void UIView::removeGestureRecognizer(const UIGestureRecognizer* recognizer) {
    auto it = std::find_if(recognizers_.begin(), recognizers_.end(),
                           [&](const auto& g) { return g.get() == recognizer; });
    if (it == recognizers_.end()) return;
    (*it)->setView(nullptr);
    recognizers_.erase(it);
}

// --- Responder chain ---

UIResponder* UIView::nextResponder() const {
    if (auto vc = viewController_.lock()) return vc.get();
    return superview_;
}

void UIView::setViewController(const std::shared_ptr<UIViewController>& controller) {
    viewController_ = controller;
}

UIViewController* UIView::viewController() const {
    return viewController_.lock().get();
}

// --- Presentation ---

UIViewPresentation UIView::presentationState() const {
    const double now = platform::RunLoop::main().now();
    UIViewPresentation p;
    p.center = std::get<CGPoint>(ViewAnimator::presentationValue(*this, Property::Center, now));
    p.bounds = std::get<CGRect>(ViewAnimator::presentationValue(*this, Property::Bounds, now));
    p.transform = std::get<CGAffineTransform>(
        ViewAnimator::presentationValue(*this, Property::Transform, now));
    p.alpha = std::get<double>(ViewAnimator::presentationValue(*this, Property::Alpha, now));
    p.backgroundColor =
        std::get<UIColor>(ViewAnimator::presentationValue(*this, Property::BackgroundColor, now));
    return p;
}

bool UIView::hasRunningAnimations() const {
    const double now = platform::RunLoop::main().now();
    for (const auto& a : animations_) {
        if (a != nullptr && now < a->begin + a->duration - 1e-9) return true;
    }
    return false;
}
