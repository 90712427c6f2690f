#pragma once
// Recognises numberOfTapsRequired taps of numberOfTouchesRequired fingers. It fails when a
// finger moves more than 10 points, when too many fingers come down, or when the next tap of a
// multi-tap does not begin within 0.35 s of the last lift.

#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIGestureRecognizer.h"

class UITapGestureRecognizer : public UIGestureRecognizer {
public:
    LU_OBJC_CLASS(UITapGestureRecognizer)
    using UIGestureRecognizer::UIGestureRecognizer;
    ~UITapGestureRecognizer() override;

    int numberOfTapsRequired() const { return tapsRequired_; }
    void setNumberOfTapsRequired(int n) { tapsRequired_ = n < 1 ? 1 : n; }
    int numberOfTouchesRequired() const { return touchesRequired_; }
    void setNumberOfTouchesRequired(int n) { touchesRequired_ = n < 1 ? 1 : n; }

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;
    void reset() override;

    static constexpr double kAllowableMovement = 10;
    static constexpr double kMaxTapInterval = 0.35;

private:
    void cancelTimeout();

    int tapsRequired_ = 1;
    int touchesRequired_ = 1;
    int tapsSoFar_ = 0;
    int fingersDown_ = 0;
    int maxFingers_ = 0;
    CGPoint start_;
    platform::EventId timeout_ = 0;
};
