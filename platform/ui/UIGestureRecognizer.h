#pragma once
// The gesture recogniser base: a state machine fed with the touches of its view (and of the
// view's descendants) before the view itself sees them. Subclasses override the touch methods
// and move the state with setState; each move to Began, Changed, Ended (= Recognized) or
// Cancelled runs the target-actions. When a recogniser with cancelsTouchesInView recognises,
// the view's own touches are cancelled; other recognisers still possible on the same touches
// fail (no simultaneous recognition unless the delegate allows it).

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/objc/NSObject.h"
#include "platform/ui/UITouchSet.h"

class UIView;
class UIEvent;
class UITouch;
class UIGestureRecognizer;

enum UIGestureRecognizerState : long {
    UIGestureRecognizerStatePossible = 0,
    UIGestureRecognizerStateBegan = 1,
    UIGestureRecognizerStateChanged = 2,
    UIGestureRecognizerStateEnded = 3,
    UIGestureRecognizerStateCancelled = 4,
    UIGestureRecognizerStateFailed = 5,
    UIGestureRecognizerStateRecognized = UIGestureRecognizerStateEnded,
};

// Optional questions a recogniser asks its delegate (held weakly).
class UIGestureRecognizerDelegate {
public:
    virtual ~UIGestureRecognizerDelegate() = default;
    virtual bool gestureRecognizerShouldReceiveTouch(UIGestureRecognizer*, UITouch*) {
        return true;
    }
    virtual bool gestureRecognizerShouldBegin(UIGestureRecognizer*) { return true; }
    virtual bool gestureRecognizerShouldRecognizeSimultaneously(UIGestureRecognizer*,
                                                                UIGestureRecognizer*) {
        return false;
    }
};

class UIGestureRecognizer : public NSObject {
public:
    LU_OBJC_CLASS(UIGestureRecognizer)
    using Action = std::function<void(UIGestureRecognizer*)>;

    UIGestureRecognizer() = default;
    // initWithTarget:action: (the target is held weakly; a null target always runs the action).
    UIGestureRecognizer(const std::shared_ptr<NSObject>& target, Action action);
    ~UIGestureRecognizer() override;

    void addTarget(const std::shared_ptr<NSObject>& target, Action action);
    // Removes the actions of one target (every action for a null target).
    void removeTarget(const NSObject* target);

    UIGestureRecognizerState state() const { return state_; }
    // Moves the state; see the class comment. A move from Possible to Began or Recognized that
    // the delegate or another recognising recogniser forbids becomes Failed.
    void setState(UIGestureRecognizerState state);

    // The view the recogniser is attached to (cleared when the view goes).
    UIView* view() const { return view_; }
    bool isEnabled() const { return enabled_; }
    // Disabling an active recogniser cancels it.
    void setEnabled(bool enabled);
    bool cancelsTouchesInView() const { return cancelsTouchesInView_; }
    void setCancelsTouchesInView(bool c) { cancelsTouchesInView_ = c; }
    void setDelegate(const std::shared_ptr<UIGestureRecognizerDelegate>& d) { delegate_ = d; }
    std::shared_ptr<UIGestureRecognizerDelegate> delegate() const { return delegate_.lock(); }

    // The centroid of the touches being tracked, in `view`'s coordinates (window for null).
    virtual CGPoint locationInView(const UIView* view) const;
    std::size_t numberOfTouches() const { return touches_.count(); }
    CGPoint locationOfTouch(std::size_t index, const UIView* view) const;

    // Fed by the touch dispatcher before the view gets the touches.
    virtual void touchesBegan(const UITouchSet&, UIEvent*) {}
    virtual void touchesMoved(const UITouchSet&, UIEvent*) {}
    virtual void touchesEnded(const UITouchSet&, UIEvent*) {}
    virtual void touchesCancelled(const UITouchSet&, UIEvent*) {}
    // Called when the recogniser returns to Possible after a finished touch sequence.
    virtual void reset() {}

    // --- For UIView and the touch dispatcher ---
    void setView(UIView* view) { view_ = view; }
    bool shouldReceiveTouch(UITouch* touch);
    const UITouchSet& trackedTouches() const { return touches_; }
    void trackTouch(std::shared_ptr<UITouch> touch) { touches_.add(std::move(touch)); }
    // Forgets finished touches; when none is left and the state is final, returns to Possible.
    void forgetTouches(const UITouchSet& finished);
    bool isActive() const {
        return state_ == UIGestureRecognizerStateBegan || state_ == UIGestureRecognizerStateChanged;
    }
    bool isFinished() const {
        return state_ == UIGestureRecognizerStateEnded ||
               state_ == UIGestureRecognizerStateCancelled ||
               state_ == UIGestureRecognizerStateFailed;
    }
    // Whether this recogniser and `other` may recognise together (either delegate agrees).
    bool allowsSimultaneous(UIGestureRecognizer* other);

private:
    struct Target {
        std::weak_ptr<NSObject> target;
        bool hasTarget;
        Action action;
    };
    void fireActions();

    UIGestureRecognizerState state_ = UIGestureRecognizerStatePossible;
    UIView* view_ = nullptr;
    bool enabled_ = true;
    bool cancelsTouchesInView_ = true;
    std::weak_ptr<UIGestureRecognizerDelegate> delegate_;
    std::vector<Target> targets_;
    UITouchSet touches_;
};
