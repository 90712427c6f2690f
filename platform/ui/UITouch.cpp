#include "platform/ui/UITouch.h"

#include "platform/ui/UIView.h"
#include "platform/ui/UIWindow.h"

void UITouch::begin(std::weak_ptr<UIView> view, std::weak_ptr<UIView> window, CGPoint windowPoint,
                    int tapCount, double time) {
    view_ = std::move(view);
    window_ = std::move(window);
    location_ = previous_ = windowPoint;
    tapCount_ = tapCount;
    timestamp_ = time;
    phase_ = UITouchPhaseBegan;
}

void UITouch::update(UITouchPhase phase, CGPoint windowPoint, double time) {
    previous_ = location_;
    location_ = windowPoint;
    phase_ = phase;
    timestamp_ = time;
}

UIView* UITouch::view() const {
    return view_.lock().get();
}

UIWindow* UITouch::window() const {
    return dynamic_cast<UIWindow*>(window_.lock().get());
}

CGPoint UITouch::convert(CGPoint windowPoint, const UIView* view) const {
    if (view == nullptr) return windowPoint;
    // Window coordinates are the coordinates of the root of the view's tree.
    return view->convertPointFromView(windowPoint, nullptr);
}

CGPoint UITouch::locationInView(const UIView* view) const {
    return convert(location_, view);
}

CGPoint UITouch::previousLocationInView(const UIView* view) const {
    return convert(previous_, view);
}
