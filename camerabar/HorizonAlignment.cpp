#include "camerabar/HorizonAlignment.h"

#include "camerabar/HorizonLevel.h"
#include "camerabar/VerticalAlertImageView.h"
#include "platform/runloop/DispatchQueue.h"

namespace lumora {
namespace {

std::uint64_t appliedSamples = 0;

}  // namespace

void startHorizonMotion(std::shared_ptr<CMMotionManager>& motionManager) {
    stopHorizonMotion(motionManager);
    auto manager = std::make_shared<CMMotionManager>();
    motionManager = manager;
    if (!manager->isDeviceMotionAvailable()) return;
    manager->setDeviceMotionUpdateInterval(1.0 / 60.0);
    const std::weak_ptr<CMMotionManager> source = manager;
    manager->startDeviceMotionUpdatesUsingReferenceFrame(
        CMAttitudeReferenceFrameXArbitraryZVertical, std::make_shared<NSOperationQueue>(),
        [source](const std::shared_ptr<CMDeviceMotion>& motion, const NSError*) {
            if (!motion) return;
            const CMAcceleration g = motion->gravity();
            platform::dispatch_async_main([source, g] {
                const auto m = source.lock();
                if (!m || !m->isDeviceMotionActive()) return;
                applyHorizonSample(g);
            });
        });
}

void stopHorizonMotion(const std::shared_ptr<CMMotionManager>& motionManager) {
    if (motionManager) motionManager->stopDeviceMotionUpdates();
}

void destroyHorizonMotion(std::shared_ptr<CMMotionManager>& motionManager) {
    stopHorizonMotion(motionManager);
    motionManager.reset();
}

void applyHorizonSample(const CMAcceleration& gravity) {
    UIImageView* base = horizonBaseView();
    UIImageView* needle = horizonIndicatorView();
    if (base == nullptr || needle == nullptr) return;
    const HorizonReading r = readHorizon(gravity);
    needle->setTransform(CGAffineTransformMakeRotation(r.angle));
    base->setHighlighted(r.level);
    needle->setHighlighted(r.level);
    ++appliedSamples;
}

std::uint64_t horizonSamplesApplied() {
    return appliedSamples;
}

bool fadeHorizonViews(double alpha, std::function<void(bool)> completion) {
    if (horizonBaseView() == nullptr || horizonIndicatorView() == nullptr) return false;
    UIView::animateWithDuration(
        0.25,
        [alpha] {
            horizonBaseView()->setAlpha(alpha);
            horizonIndicatorView()->setAlpha(alpha);
        },
        std::move(completion));
    return true;
}

}  // namespace lumora
