#include "dial/DialViewController.h"

#include <cmath>

#include "core/TweakState.h"
#include "dial/KTOneFingerRotationGestureRecognizer.h"
#include "platform/device/UIDevice.h"
#include "tools/LumoraHelper.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

// The dial stops at its ends: no angle of a full turn or more.
constexpr double kFullTurn = 360;
// From here on the ring shows all 120 steps.
constexpr double kLastStepAngle = 359;

bool isRotationRecognizer(const std::shared_ptr<UIGestureRecognizer>& g) {
    return dynamic_cast<const KTOneFingerRotationGestureRecognizer*>(g.get()) != nullptr;
}

}  // namespace

std::shared_ptr<DialViewController> DialViewController::initWithParentView(UIView* parent) {
    auto controller = std::make_shared<DialViewController>();
    const CGRect screen = UIScreen::mainScreen().bounds();
    CGFloat width = screen.size.width;
    CGFloat height = screen.size.height;
    if (isLandscapeOrientation()) std::swap(width, height);
    controller->dialView_ = DialView::create(CGRectMake(0, 0, width, height));
    controller->didRotate();
    controller->dialView_->setCount(0);
    controller->setView(controller->dialView_);
    if (parent != nullptr) parent->addSubview(controller->dialView_);
    controller->setupView();
    return controller;
}

DialViewController::~DialViewController() {
    if (orientationObserver_ != 0) {
        NSNotificationCenter::defaultCenter().removeObserver(orientationObserver_);
    }
    // A released dial leaves nothing behind in the camera view: no invisible full-screen view
    // with a recogniser aimed at this controller.
    if (dialView_ != nullptr) {
        removeTouchAbility();
        dialView_->removeFromSuperview();
    }
}

void DialViewController::setupView() {
    std::weak_ptr<DialViewController> weak =
        std::static_pointer_cast<DialViewController>(shared_from_this());
    orientationObserver_ = NSNotificationCenter::defaultCenter().addObserver(
        UIDeviceOrientationDidChangeNotification, weak, [weak](const ns::Dictionary&) {
            if (auto self = weak.lock()) self->didRotate();
        });
    addTouchAbility();
    divider_ = 1;
    dialView_->setStep(minTime_);
    sliceSize_ = 3;
    currentAngle_ = lowestAngle();
    if (dialView_->count() == 0) dialView_->setCount(minTime_);
    dialView_->setType(dialViewType_);
}

void DialViewController::setDialViewType(std::int64_t type) {
    dialViewType_ = type;
    if (dialView_ == nullptr) return;
    dialView_->setType(type);
    if (type == SelectorDialTypeFrames) {
        divider_ = state().HAS_MAX_60_FPS ? 2 : 1;
        maxTime_ = maxFrameRate_;
        minTime_ = minFrameRate_;
    } else if (type == DialViewTypeTimer) {
        divider_ = 4;
        dialView_->setTimeType(DialTimeTypeSeconds);
        maxTime_ = 30;
        minTime_ = 3;
    } else if (type == DialViewTypeTimeLapse) {
        divider_ = 2;
        minTime_ = dialView_->timeType() == DialTimeTypeSeconds ? 3 : 1;
        maxTime_ = 60;
    }
    currentAngle_ = static_cast<double>(minTime_) * sliceSize_ * divider_;
    const int step = static_cast<int>(currentAngle_ / sliceSize_);
    dialView_->setStep(step);
    dialView_->setCount(countForStep(step));
}

int DialViewController::countForStep(int step) const {
    return step <= divider_ * minTime_ ? minTime_ : step / divider_;
}

void DialViewController::setCurrentCount(int count) {
    if (dialView_ == nullptr) return;
    double angle = static_cast<double>(count) * sliceSize_ * divider_;
    // A running count-down of a minutes interval shows its seconds part on the ring.
    if (dialView_->isRunning() && dialViewType_ == DialViewTypeTimeLapse && count > 60) {
        angle = static_cast<double>(count % 60) * sliceSize_ * divider_;
    }
    int step = static_cast<int>(angle / sliceSize_);
    // A stored count beyond the ring (a hand-edited file, a rate above the dial's) turns the
    // dial to its end, so it can still be turned back; the number shown stays as stored.
    if (angle > kFullTurn) {
        angle = kFullTurn;
        step = DialView::kSegments;
    }
    currentAngle_ = angle;
    dialView_->setStep(step);
    dialView_->setCount(count);
}

void DialViewController::setCountdownTime(int seconds) {
    if (dialView_ == nullptr) return;
    dialView_->setIsRunning(true);
    setCurrentCount(seconds);
}

void DialViewController::setDialViewIsRunning(bool running) {
    if (dialView_ != nullptr) dialView_->setIsRunning(running);
}

int DialViewController::getCurrentCount() const {
    return dialView_ != nullptr ? dialView_->count() : 0;
}

void DialViewController::setDialViewTimeType(long timeType) {
    if (dialView_ != nullptr) dialView_->setTimeType(timeType);
}

long DialViewController::getDialViewTimeType() const {
    return dialView_ != nullptr ? dialView_->timeType() : DialTimeTypeSeconds;
}

void DialViewController::setDialViewDelegate(const std::shared_ptr<DialViewDelegate>& delegate) {
    if (dialView_ != nullptr) dialView_->setDelegate(delegate);
}

void DialViewController::rotateByTouch(KTOneFingerRotationGestureRecognizer* gesture) {
    if (gesture == nullptr || dialView_ == nullptr) return;
    // The end of the gesture repeats the last movement's rotation: no finger moved.
    if (gesture->state() != UIGestureRecognizerStateBegan &&
        gesture->state() != UIGestureRecognizerStateChanged) {
        return;
    }
    if (dialViewType_ == DialViewTypeTimeLapse) {
        minTime_ = dialView_->timeType() == DialTimeTypeSeconds ? 3 : 1;
    }
    // After a switch to seconds the angle may sit below the new lowest one: start from there,
    // or every small movement would be refused.
    if (currentAngle_ < lowestAngle()) currentAngle_ = lowestAngle();
    // A finger crossing the line left of the centre reports nearly a full turn for a small
    // movement: that one movement is dropped rather than jumping the dial to its other end.
    const double rotation = gesture->rotation();
    if (!std::isfinite(rotation) || std::fabs(rotation) > M_PI) return;
    const double angle = rotation * 180.0 / M_PI + currentAngle_;
    if (!(angle < kFullTurn && angle >= lowestAngle())) return;
    currentAngle_ = angle;
    const int step =
        angle >= kLastStepAngle ? DialView::kSegments : static_cast<int>(angle / sliceSize_);
    currentTime_ = step;
    dialView_->setStep(step);
    dialView_->setCount(countForStep(step));
}

long DialViewController::toggleTimeType() {
    if (dialView_ == nullptr) return DialTimeTypeSeconds;
    if (dialView_->timeType() == DialTimeTypeMinutes) {
        minTime_ = 3;
        if (currentTime_ < 3) {
            currentTime_ = 3;
            currentAngle_ = static_cast<double>(currentTime_) * sliceSize_ * divider_;
        }
        if (currentAngle_ < lowestAngle()) currentAngle_ = lowestAngle();
        dialView_->setTimeType(DialTimeTypeSeconds);
        return DialTimeTypeSeconds;
    }
    minTime_ = 1;
    dialView_->setTimeType(DialTimeTypeMinutes);
    return DialTimeTypeMinutes;
}

void DialViewController::addTouchAbility() {
    if (dialView_ == nullptr) return;
    dialView_->setUserInteractionEnabled(true);
    // A second recogniser would turn the dial twice per movement.
    for (const auto& g : dialView_->gestureRecognizers()) {
        if (isRotationRecognizer(g)) return;
    }
    std::weak_ptr<DialViewController> weak =
        std::static_pointer_cast<DialViewController>(shared_from_this());
    dialView_->addGestureRecognizer(std::make_shared<KTOneFingerRotationGestureRecognizer>(
        shared_from_this(), [weak](UIGestureRecognizer* g) {
            auto self = weak.lock();
            auto* rotation = dynamic_cast<KTOneFingerRotationGestureRecognizer*>(g);
            if (self != nullptr && rotation != nullptr) self->rotateByTouch(rotation);
        }));
}

void DialViewController::removeTouchAbility() {
    if (dialView_ == nullptr) return;
    const auto recognizers = dialView_->gestureRecognizers();
    for (const auto& g : recognizers) dialView_->removeGestureRecognizer(g.get());
}

void DialViewController::hideSwitchDial() {
    if (dialView_ != nullptr) dialView_->setHideSwitchDial(true);
}

void DialViewController::hideDialView() {
    if (dialView_ != nullptr) dialView_->setHidden(true);
}

void DialViewController::showDialView() {
    if (dialView_ != nullptr) dialView_->setHidden(false);
}

void DialViewController::didRotate() {
    if (dialView_ == nullptr) return;
    const long o = UIDevice::currentDevice().orientation();
    if (o == UIDeviceOrientationFaceUp || o == UIDeviceOrientationFaceDown) return;
    setupAnchorPoint(o);
    const CGAffineTransform t = LumoraHelper::getTransformation(static_cast<int>(o));
    UIView::beginAnimations("w");
    UIView::setAnimationDuration(0.4);
    dialView_->setTransform(t);
    UIView::commitAnimations();
}

// Places the dial's centre for the orientation: the view turns about its centre, and the
// offsets keep the dial clear of the bars on each screen class.
void DialViewController::setupAnchorPoint(long o) {
    if (dialView_ == nullptr) return;
    if (o == UIDeviceOrientationFaceUp || o == UIDeviceOrientationFaceDown) return;
    const CGRect screen = UIScreen::mainScreen().bounds();
    const CGFloat w = screen.size.width;
    const CGFloat h = screen.size.height;
    const long size = state().screensize;
    CGPoint p = CGPointZero;
    const bool landscape = o == 3 || o == 4 || (o == 0 && isLandscapeOrientation());
    const bool portrait = o == 1 || o == 2 || (o == 0 && isPortraitOrientation());
    if (landscape) {
        p = CGPointMake(h / 2, w / 2);
        const bool right = o == 3 || (o == 0 && isLandscapeRightOrientation());
        if (right) {
            const CGPoint less = size == 2   ? CGPointMake(100, 40)
                                 : size == 3 ? CGPointMake(120, 30)
                                             : CGPointMake(50, 60);
            p = CGPointMake(p.x - less.x, p.y - less.y);
        } else {
            const CGPoint more = size == 2   ? CGPointMake(100, -70)
                                 : size == 3 ? CGPointMake(120, -90)
                                             : CGPointMake(50, -50);
            p = CGPointMake(p.x + more.x, p.y + more.y);
        }
    } else if (portrait) {
        p = CGPointMake(w / 2, h / 2);
        if (size == 2) p = CGPointMake(p.x + 20, p.y + 30);
        if (size == 3) p = CGPointMake(p.x + 50, p.y + 60);
    }
    if (p.x != 0 || p.y != 0) dialView_->setCenter(p);
}

}  // namespace lumora
