#pragma once
// A view that turns touches into control events and sends them to target-actions. Targets are
// held weakly: an action whose target has gone is skipped. A null target always runs.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui/UIView.h"

using UIControlEvents = std::uint64_t;
inline constexpr UIControlEvents UIControlEventTouchDown = 1 << 0;
inline constexpr UIControlEvents UIControlEventTouchDownRepeat = 1 << 1;
inline constexpr UIControlEvents UIControlEventTouchDragInside = 1 << 2;
inline constexpr UIControlEvents UIControlEventTouchDragOutside = 1 << 3;
inline constexpr UIControlEvents UIControlEventTouchDragEnter = 1 << 4;
inline constexpr UIControlEvents UIControlEventTouchDragExit = 1 << 5;
inline constexpr UIControlEvents UIControlEventTouchUpInside = 1 << 6;
inline constexpr UIControlEvents UIControlEventTouchUpOutside = 1 << 7;
inline constexpr UIControlEvents UIControlEventTouchCancel = 1 << 8;
inline constexpr UIControlEvents UIControlEventValueChanged = 1 << 12;
inline constexpr UIControlEvents UIControlEventAllTouchEvents = 0x00000FFF;
inline constexpr UIControlEvents UIControlEventAllEvents = 0xFFFFFFFF;

using UIControlState = std::uint64_t;
inline constexpr UIControlState UIControlStateNormal = 0;
inline constexpr UIControlState UIControlStateHighlighted = 1 << 0;
inline constexpr UIControlState UIControlStateDisabled = 1 << 1;
inline constexpr UIControlState UIControlStateSelected = 1 << 2;

class UIControl : public UIView {
public:
    LU_OBJC_CLASS(UIControl)
    using UIView::UIView;
    using Action = std::function<void(UIControl* sender, UIEvent* event)>;

    bool isEnabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);
    bool isSelected() const { return selected_; }
    virtual void setSelected(bool selected);
    bool isHighlighted() const { return highlighted_; }
    virtual void setHighlighted(bool highlighted);
    bool isTracking() const { return tracking_; }
    UIControlState state() const;

    void addTarget(const std::shared_ptr<NSObject>& target, Action action, UIControlEvents events);
    // Removes the given events of a target (of every target for null).
    void removeTarget(const NSObject* target, UIControlEvents events);
    // Runs the actions registered for any of the events.
    void sendActionsForControlEvents(UIControlEvents events, UIEvent* event = nullptr);
    std::size_t actionCount(UIControlEvents events) const;

    // A touch lifting within this distance outside the bounds still counts as inside.
    static constexpr double kTouchSlop = 70;

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;

protected:
    // Called when the control's state changed (subclasses restyle themselves).
    virtual void stateDidChange() {}

private:
    bool touchIsInside(const UITouchSet& touches) const;

    struct Entry {
        std::weak_ptr<NSObject> target;
        bool hasTarget;
        Action action;
        UIControlEvents events;
    };
    std::vector<Entry> entries_;
    bool enabled_ = true;
    bool selected_ = false;
    bool highlighted_ = false;
    bool tracking_ = false;
    bool wasInside_ = false;
};
