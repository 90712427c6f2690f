#pragma once
// The selection dial's controller: turns the one-finger rotation of its view into an angle, the
// angle into a count within the dial type's range, follows the device orientation, and shows
// the timer engine's count-down. One full turn is 120 steps of 3 degrees; a count is `divider`
// steps.
//
// Types and ranges: time lapse 3 to 60 seconds or 1 to 60 minutes (divider 2); self-timer 3 to
// 30 seconds (divider 4); frame rate from the device's minimum to 120 frames per second (divider
// 1), or to 60 on devices limited to 60 (divider 2).

#include <cstdint>
#include <memory>

#include "dial/DialView.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/ui/UIViewController.h"

namespace lumora {

class KTOneFingerRotationGestureRecognizer;

class DialViewController : public UIViewController {
public:
    LU_OBJC_CLASS(DialViewController)

    // initWithParentView: a full-screen dial view added to `parent` (null: not added).
    static std::shared_ptr<DialViewController> initWithParentView(UIView* parent);
    DialViewController() = default;
    ~DialViewController() override;

    void setupView();
    void setDialViewType(std::int64_t type);
    std::int64_t dialViewType() const { return dialViewType_; }
    // Shows `count` and turns the dial to it.
    void setCurrentCount(int count);
    // The count-down of the timer engine: the dial runs and shows the seconds left.
    void setCountdownTime(int seconds);
    void setDialViewIsRunning(bool running);
    int getCurrentCount() const;
    void setDialViewTimeType(long timeType);
    long getDialViewTimeType() const;
    void setDialViewDelegate(const std::shared_ptr<DialViewDelegate>& delegate);

    // The rotation gesture's action, once per finger movement.
    void rotateByTouch(KTOneFingerRotationGestureRecognizer* gesture);
    // Seconds <-> minutes; returns the new time type.
    long toggleTimeType();

    // At most one rotation recogniser is attached, however often this is called.
    void addTouchAbility();
    void removeTouchAbility();
    void hideSwitchDial();
    void hideDialView();
    void showDialView();

    void didRotate();
    void setupAnchorPoint(long orientation);

    int maxFrameRate() const { return maxFrameRate_; }
    void setMaxFrameRate(int v) { maxFrameRate_ = v; }
    int minFrameRate() const { return minFrameRate_; }
    void setMinFrameRate(int v) { minFrameRate_ = v; }
    double currentAngle() const { return currentAngle_; }
    void setCurrentAngle(double a) { currentAngle_ = a; }
    int currentTime() const { return currentTime_; }
    void setCurrentTime(int t) { currentTime_ = t; }
    int maxTime() const { return maxTime_; }
    void setMaxTime(int t) { maxTime_ = t; }
    int minTime() const { return minTime_; }
    void setMinTime(int t) { minTime_ = t; }
    int divider() const { return divider_; }
    int sliceSize() const { return sliceSize_; }
    const std::shared_ptr<DialView>& dialView() const { return dialView_; }

private:
    // The count shown for a ring step: `minTime` up to `divider` x `minTime`, then step / divider.
    int countForStep(int step) const;
    // The angle no lower than the type's minimum.
    double lowestAngle() const { return static_cast<double>(sliceSize_) * minTime_; }

    int divider_ = 1;
    int sliceSize_ = 3;
    int maxFrameRate_ = 0;
    int minFrameRate_ = 0;
    int currentTime_ = 0;
    int maxTime_ = 0;
    int minTime_ = 0;
    std::int64_t dialViewType_ = 0;
    double currentAngle_ = 0;
    std::shared_ptr<DialView> dialView_;
    NSNotificationCenter::Token orientationObserver_ = 0;
};

}  // namespace lumora
