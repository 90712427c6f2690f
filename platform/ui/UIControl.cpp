#include "platform/ui/UIControl.h"

#include "platform/ui/UITouch.h"

void UIControl::setEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    if (!enabled) highlighted_ = false;
    stateDidChange();
}

void UIControl::setSelected(bool selected) {
    if (selected_ == selected) return;
    selected_ = selected;
    stateDidChange();
}

void UIControl::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted) return;
    highlighted_ = highlighted;
    stateDidChange();
}

UIControlState UIControl::state() const {
    UIControlState s = UIControlStateNormal;
    if (highlighted_) s |= UIControlStateHighlighted;
    if (!enabled_) s |= UIControlStateDisabled;
    if (selected_) s |= UIControlStateSelected;
    return s;
}

void UIControl::addTarget(const std::shared_ptr<NSObject>& target, Action action,
                          UIControlEvents events) {
    if (!action || events == 0) return;
    entries_.push_back({target, target != nullptr, std::move(action), events});
}

void UIControl::removeTarget(const NSObject* target, UIControlEvents events) {
    for (auto& e : entries_) {
        if (target == nullptr || e.target.lock().get() == target) e.events &= ~events;
    }
    std::erase_if(entries_, [](const Entry& e) { return e.events == 0; });
}

std::size_t UIControl::actionCount(UIControlEvents events) const {
    std::size_t n = 0;
    for (const auto& e : entries_) {
        if ((e.events & events) != 0) ++n;
    }
    return n;
}

void UIControl::sendActionsForControlEvents(UIControlEvents events, UIEvent* event) {
    auto keep = weak_from_this().lock();  // an action may remove this control
    const auto entries = entries_;
    for (const auto& e : entries) {
        if ((e.events & events) == 0) continue;
        std::shared_ptr<NSObject> target = e.target.lock();
        if (e.hasTarget && target == nullptr) continue;
        e.action(this, event);
    }
}

bool UIControl::touchIsInside(const UITouchSet& touches) const {
    const UITouch* t = touches.anyObject();
    if (t == nullptr) return false;
    const CGPoint p = t->locationInView(this);
    return CGRectContainsPoint(CGRectInset(bounds(), -kTouchSlop, -kTouchSlop), p);
}

void UIControl::touchesBegan(const UITouchSet& touches, UIEvent* event) {
    if (!enabled_) return;
    tracking_ = true;
    wasInside_ = true;
    setHighlighted(true);
    const UITouch* t = touches.anyObject();
    UIControlEvents events = UIControlEventTouchDown;
    if (t != nullptr && t->tapCount() > 1) events |= UIControlEventTouchDownRepeat;
    sendActionsForControlEvents(events, event);
}

void UIControl::touchesMoved(const UITouchSet& touches, UIEvent* event) {
    if (!tracking_) return;
    const bool inside = touchIsInside(touches);
    setHighlighted(inside);
    UIControlEvents events =
        inside ? UIControlEventTouchDragInside : UIControlEventTouchDragOutside;
    if (inside != wasInside_) {
        events |= inside ? UIControlEventTouchDragEnter : UIControlEventTouchDragExit;
    }
    wasInside_ = inside;
    sendActionsForControlEvents(events, event);
}

void UIControl::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (!tracking_) return;
    tracking_ = false;
    setHighlighted(false);
    sendActionsForControlEvents(
        touchIsInside(touches) ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside, event);
}

void UIControl::touchesCancelled(const UITouchSet&, UIEvent* event) {
    if (!tracking_) return;
    tracking_ = false;
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel, event);
}
