#pragma once
// Begins when a finger has stayed down for minimumPressDuration (0.5 s, on the virtual clock)
// without moving more than allowableMovement (10 points); then reports Changed on each move and
// Ended when the finger lifts.

#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIGestureRecognizer.h"

class UILongPressGestureRecognizer : public UIGestureRecognizer {
public:
    LU_OBJC_CLASS(UILongPressGestureRecognizer)
    using UIGestureRecognizer::UIGestureRecognizer;
    ~UILongPressGestureRecognizer() override;

    double minimumPressDuration() const { return minimumPressDuration_; }
    void setMinimumPressDuration(double s) { minimumPressDuration_ = s >= 0 ? s : 0; }
    double allowableMovement() const { return allowableMovement_; }
    void setAllowableMovement(double d) { allowableMovement_ = d >= 0 ? d : 0; }

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;
    void reset() override;

private:
    void cancelTimer();

    double minimumPressDuration_ = 0.5;
    double allowableMovement_ = 10;
    CGPoint start_;
    platform::EventId timer_ = 0;
};
