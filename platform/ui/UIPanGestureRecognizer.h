#pragma once
// Begins when the touches' centroid has moved more than 10 points from where they came down;
// then Changed on each move and Ended when the last finger lifts. Translation is measured from
// the touch-down point (or from the last setTranslation); velocity is the displacement over
// time of the latest movement, in points per second.

#include "platform/ui/UIGestureRecognizer.h"

class UIPanGestureRecognizer : public UIGestureRecognizer {
public:
    LU_OBJC_CLASS(UIPanGestureRecognizer)
    using UIGestureRecognizer::UIGestureRecognizer;

    CGPoint translationInView(const UIView* view) const;
    void setTranslation(CGPoint translation, const UIView* view);
    CGPoint velocityInView(const UIView* view) const;
    int minimumNumberOfTouches() const { return minTouches_; }
    void setMinimumNumberOfTouches(int n) { minTouches_ = n < 1 ? 1 : n; }

    void touchesBegan(const UITouchSet& touches, UIEvent* event) override;
    void touchesMoved(const UITouchSet& touches, UIEvent* event) override;
    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void touchesCancelled(const UITouchSet& touches, UIEvent* event) override;
    void reset() override;

    static constexpr double kHysteresis = 10;

private:
    CGPoint origin_;    // window coordinates the translation is measured from
    CGPoint last_;      // latest centroid (window coordinates)
    CGPoint velocity_;  // window points per second
    double lastTime_ = 0;
    int minTouches_ = 1;
    int fingersDown_ = 0;
};
