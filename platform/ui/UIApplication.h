#pragma once
// The application object of a simulated process: its key window and the entry through which
// the simulator delivers touches (sendTouches). Touches are hit-tested at touch-down, shown to
// the gesture recognisers of the hit view and its ancestors first, then to the view.

#include <memory>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/ui/UIResponder.h"
#include "platform/ui/UITouch.h"

class UIWindow;
class UIGestureRecognizer;
class TouchDispatcher;

// One finger's change, in window coordinates.
struct TouchInput {
    int finger = 0;
    UITouchPhase phase = UITouchPhaseBegan;
    CGPoint location;
};

class UIApplication : public UIResponder {
public:
    LU_OBJC_CLASS(UIApplication)
    static UIApplication& sharedApplication();
    ~UIApplication() override;

    // Held weakly: the process (the host app) owns its window.
    std::shared_ptr<UIWindow> keyWindow() const { return keyWindow_.lock(); }
    void setKeyWindow(const std::shared_ptr<UIWindow>& window) { keyWindow_ = window; }

    // Delivers one moment of touch input to `window` (the key window when null). A Began for a
    // finger already down, or a later phase for a finger that is not down, is ignored.
    void sendTouches(const std::vector<TouchInput>& inputs, UIWindow* window = nullptr);
    void sendTouch(int finger, UITouchPhase phase, CGPoint location, UIWindow* window = nullptr) {
        sendTouches({{finger, phase, location}}, window);
    }
    std::size_t activeTouchCount() const;

    // Called by UIGestureRecognizer::setState (see UIGestureRecognizer.h).
    bool mayRecognize(UIGestureRecognizer* recognizer);
    void recognizerDidRecognize(UIGestureRecognizer* recognizer);

    // A new process: forgets the key window and every touch.
    void reset();

private:
    UIApplication();
    std::weak_ptr<UIWindow> keyWindow_;
    std::unique_ptr<TouchDispatcher> dispatcher_;
};
