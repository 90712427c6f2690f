#include "platform/media/MotionManager.h"

#include <algorithm>
#include <cmath>

#include "platform/runloop/RunLoop.h"

CMMotionManager::~CMMotionManager() {
    stopDeviceMotionUpdates();
}

bool CMMotionManager::isDeviceMotionAvailable() const {
    return platform::MotionSimulator::shared().deviceMotionAvailable();
}

void CMMotionManager::setDeviceMotionUpdateInterval(double seconds) {
    if (!std::isfinite(seconds)) return;
    interval_ = std::clamp(seconds, 0.01, 1.0);
}

void CMMotionManager::startDeviceMotionUpdatesUsingReferenceFrame(
    CMAttitudeReferenceFrame frame, const std::shared_ptr<NSOperationQueue>& queue,
    CMDeviceMotionHandler handler) {
    stopDeviceMotionUpdates();
    if (!isDeviceMotionAvailable() || !queue || !handler) return;
    frame_ = frame;
    queue_ = queue;
    handler_ = std::move(handler);
    active_ = true;
    startTime_ = platform::RunLoop::main().now();
    runInterval_ = interval_;
    sampleIndex_ = 0;
    scheduleNext();
}

void CMMotionManager::stopDeviceMotionUpdates() {
    if (queue_ && pending_ != 0) queue_->cancelOperation(pending_);
    pending_ = 0;
    active_ = false;
    queue_.reset();
    handler_ = nullptr;
}

void CMMotionManager::scheduleNext() {
    ++sampleIndex_;
    const double due = startTime_ + static_cast<double>(sampleIndex_) * runInterval_;
    const double delay = due - platform::RunLoop::main().now();
    // The queue cancels its pending block when the manager stops or goes, so `this` is valid.
    pending_ = queue_->addOperationAfterDelay(delay, [this] { deliver(); });
}

void CMMotionManager::deliver() {
    pending_ = 0;
    if (!active_) return;
    const platform::MotionVector g = platform::MotionSimulator::shared().gravity();
    latest_ = std::make_shared<CMDeviceMotion>(CMAcceleration{g.x, g.y, g.z},
                                               platform::RunLoop::main().now());
    // The next sample is queued before the handler runs, so a handler that stops the updates
    // cancels it.
    auto handler = handler_;
    auto motion = latest_;
    scheduleNext();
    handler(motion, nullptr);
}
