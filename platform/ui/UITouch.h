#pragma once
// One finger on the screen. Locations are kept in window coordinates and converted to any view
// on request. The touch's view is the view hit-tested at touch-down (held weakly).

#include <memory>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/objc/NSObject.h"

class UIView;
class UIWindow;
class UIGestureRecognizer;

enum UITouchPhase : long {
    UITouchPhaseBegan = 0,
    UITouchPhaseMoved = 1,
    UITouchPhaseStationary = 2,
    UITouchPhaseEnded = 3,
    UITouchPhaseCancelled = 4,
};

class UITouch : public NSObject {
public:
    LU_OBJC_CLASS(UITouch)
    UITouch() = default;

    // The location in `view`'s coordinates; window coordinates for a null view.
    CGPoint locationInView(const UIView* view) const;
    CGPoint previousLocationInView(const UIView* view) const;

    UITouchPhase phase() const { return phase_; }
    int tapCount() const { return tapCount_; }
    double timestamp() const { return timestamp_; }
    // The view the touch began in (null once it has gone).
    UIView* view() const;
    UIWindow* window() const;
    // The recognisers that receive this touch (those of the view and its ancestors at
    // touch-down that agreed to receive it).
    const std::vector<std::weak_ptr<UIGestureRecognizer>>& gestureRecognizers() const {
        return recognizers_;
    }

    // --- Set by the touch dispatcher (UIApplication) ---
    void begin(std::weak_ptr<UIView> view, std::weak_ptr<UIView> window, CGPoint windowPoint,
               int tapCount, double time);
    void update(UITouchPhase phase, CGPoint windowPoint, double time);
    void setGestureRecognizers(std::vector<std::weak_ptr<UIGestureRecognizer>> recognizers) {
        recognizers_ = std::move(recognizers);
    }
    CGPoint windowLocation() const { return location_; }

private:
    CGPoint convert(CGPoint windowPoint, const UIView* view) const;

    UITouchPhase phase_ = UITouchPhaseBegan;
    CGPoint location_;
    CGPoint previous_;
    int tapCount_ = 1;
    double timestamp_ = 0;
    std::weak_ptr<UIView> view_;
    std::weak_ptr<UIView> window_;
    std::vector<std::weak_ptr<UIGestureRecognizer>> recognizers_;
};
