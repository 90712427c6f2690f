#include "camerabar/HorizonAlignment.h"

#include "camerabar/HorizonLevel.h"
#include "camerabar/VerticalAlertImageView.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "platform/runloop/DispatchQueue.h"

namespace lumora {
namespace {

UIImageView* horizonButton() {
    return dynamic_cast<UIImageView*>(state().horizonAlignmentBtn.get());
}

bool horizonViewsExist() {
    return horizonBaseView() != nullptr && horizonIndicatorView() != nullptr;
}

void fadeHorizonViews(CGFloat alpha, std::function<void(bool)> completion) {
    UIView::animateWithDuration(
        0.25,
        [alpha] {
            horizonBaseView()->setAlpha(alpha);
            horizonIndicatorView()->setAlpha(alpha);
        },
        std::move(completion));
}

}  // namespace

HorizonMotion::~HorizonMotion() {
    destroy();
}

bool HorizonMotion::start() {
    stop();
    auto probe = std::make_shared<CMMotionManager>();
    if (!probe->isDeviceMotionAvailable()) return false;
    queue_ = std::make_shared<NSOperationQueue>();
    manager_ = probe;
    manager_->setDeviceMotionUpdateInterval(1.0 / 60.0);
    std::weak_ptr<int> run = run_;
    std::weak_ptr<std::uint64_t> applied = applied_;
    manager_->startDeviceMotionUpdatesUsingReferenceFrame(
        CMAttitudeReferenceFrameXArbitraryZVertical, queue_,
        [run, applied](const std::shared_ptr<CMDeviceMotion>& motion, const NSError*) {
            if (!motion || run.expired()) return;
            const CMAcceleration g = motion->gravity();
            platform::dispatch_async_main([run, applied, g] {
                if (run.expired()) return;
                applyHorizonSample(g);
                if (auto count = applied.lock()) ++*count;
            });
        });
    return true;
}

void HorizonMotion::stop() {
    if (manager_) manager_->stopDeviceMotionUpdates();
    if (queue_) queue_->cancelAllOperations();
    run_ = std::make_shared<int>(0);
}

void HorizonMotion::destroy() {
    stop();
    manager_.reset();
    queue_.reset();
    life_ = std::make_shared<int>(0);
}

void applyHorizonSample(const CMAcceleration& gravity) {
    UIImageView* base = horizonBaseView();
    UIImageView* needle = horizonIndicatorView();
    if (base == nullptr || needle == nullptr) return;
    const HorizonReading r = readHorizon(gravity);
    needle->setTransform(CGAffineTransformMakeRotation(r.angle));
    base->setHighlighted(r.level);
    needle->setHighlighted(r.level);
}

void StartHorizonAlignment(HorizonMotion& motion) {
    if (!horizonViewsExist()) return;
    std::weak_ptr<const void> life = motion.lifeToken();
    fadeHorizonViews(1, [life](bool) {
        if (life.expired()) return;
        if (UIImageView* button = horizonButton()) button->setHighlighted(true);
        state().horizonAlignmentShowing = true;
        if (state().rememberSettings) savePrefs();
    });
    motion.start();
}

void StopHorizonAlignment(HorizonMotion& motion, bool save) {
    if (!horizonViewsExist()) return;
    motion.stop();
    std::weak_ptr<const void> life = motion.lifeToken();
    fadeHorizonViews(0, [life, save](bool) {
        if (life.expired()) return;
        state().horizonAlignmentShowing = false;
        if (UIImageView* button = horizonButton()) button->setHighlighted(false);
        if (state().rememberSettings && save) savePrefs();
    });
}

void ToggleHorizonAlignment(HorizonMotion& motion) {
    if (state().horizonAlignmentShowing) {
        StopHorizonAlignment(motion, true);
    } else {
        StartHorizonAlignment(motion);
    }
}

void ResumeRememberedHorizonAlignment(HorizonMotion& motion) {
    if (state().horizonAlignmentShowing && state().showHorizonAlignment) {
        StartHorizonAlignment(motion);
    }
}

}  // namespace lumora
