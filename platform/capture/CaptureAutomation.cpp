// Automatic focus and exposure of the simulated camera.
//
// The scene decides targets: the lens position from the subject distance (in dioptres, 0 at the
// nearest focus distance, 1 at infinity) and an exposure from the brightness. While focus or
// exposure is automatic the device moves its values toward the targets in steps every 1/30 s
// of virtual time (a frame), each step closing 40% of the gap and snapping when close, so it
// settles within about half a second. Every changed value is an observable change. When nothing
// is left to adjust no step is scheduled, so an idle device costs nothing however long it runs.
// Auto focus and auto expose adjust once and then lock, as on the phone; continuous modes follow
// later scene changes; locked and custom modes hold their values.

#include <algorithm>
#include <cmath>

#include "platform/capture/AVCaptureDevice.h"

namespace {

constexpr double kStepInterval = 1.0 / 30.0;
constexpr double kStepFraction = 0.4;
constexpr float kLensTolerance = 0.002f;
constexpr float kISOTolerance = 0.5f;
constexpr double kDurationTolerance = 0.01;  // relative
// Automatic exposure keeps the shutter at or below 1/30 s when a frame allows more, raising ISO
// instead, as phone cameras do for a steady preview.
constexpr double kLongestAutoExposure = 1.0 / 30.0;

bool durationClose(double a, double b) {
    if (!(a > 0) || !(b > 0)) return false;
    return std::fabs(a / b - 1.0) <= kDurationTolerance;
}

}  // namespace

float AVCaptureDevice::targetLensPosition() const {
    const double nearest = std::max(0.01, desc_.minimumFocusDistance);
    const double distance = std::max(nearest, scene_.subjectDistance);
    // Dioptres: 1/nearest at lens position 0, 0 (infinity) at 1.
    return static_cast<float>(std::clamp(1.0 - nearest / distance, 0.0, 1.0));
}

void AVCaptureDevice::targetExposure(float* iso, double* seconds) const {
    *iso = iso_;
    *seconds = CMTimeGetSeconds(exposureDuration_);
    if (!activeFormat_) return;
    const double minISO = activeFormat_->minISO();
    const double maxISO = activeFormat_->maxISO();
    const double minT = CMTimeGetSeconds(activeFormat_->minExposureDuration());
    double maxT = CMTimeGetSeconds(activeFormat_->maxExposureDuration());
    if (!(maxISO >= minISO && minISO > 0) || !(maxT >= minT && minT > 0)) return;
    const double frame = CMTimeGetSeconds(maxFrameDuration_);
    maxT = std::min({maxT, kLongestAutoExposure, std::isnan(frame) ? maxT : frame});
    maxT = std::max(maxT, minT);
    // Exposure equation: t * S / 100 = N^2 / 2^EV.
    const double product = desc_.aperture * desc_.aperture * 100.0 / std::exp2(scene_.brightness);
    double s = minISO;
    double t = product / s;
    if (t > maxT) {
        t = maxT;
        s = std::clamp(product / t, minISO, maxISO);
    }
    t = std::clamp(t, minT, maxT);
    *iso = static_cast<float>(s);
    *seconds = t;
}

bool AVCaptureDevice::focusNeedsAdjusting() const {
    if (focusMode_ != AVCaptureFocusModeAutoFocus &&
        focusMode_ != AVCaptureFocusModeContinuousAutoFocus) {
        return false;
    }
    return lensPosition_ != targetLensPosition() || focusMode_ == AVCaptureFocusModeAutoFocus;
}

bool AVCaptureDevice::exposureNeedsAdjusting() const {
    if (exposureMode_ != AVCaptureExposureModeAutoExpose &&
        exposureMode_ != AVCaptureExposureModeContinuousAutoExposure) {
        return false;
    }
    if (exposureMode_ == AVCaptureExposureModeAutoExpose) return true;
    float iso = 0;
    double t = 0;
    targetExposure(&iso, &t);
    return iso != iso_ ||
           CMTimeCompare(exposureDuration_, CMTimeMakeWithSeconds(t, kCMTimeNanosecondScale)) != 0;
}

void AVCaptureDevice::startTargets() {
    lensPosition_ = desc_.focusModes.empty() ? 1.0f : targetLensPosition();
    if (!activeFormat_) return;
    iso_ = activeFormat_->minISO();
    exposureDuration_ = activeFormat_->maxExposureDuration();
    float iso = 0;
    double t = 0;
    targetExposure(&iso, &t);
    iso_ = iso;
    exposureDuration_ = CMTimeMakeWithSeconds(t, kCMTimeNanosecondScale);
}

void AVCaptureDevice::setScene(const AVCaptureScene& scene) {
    AVCaptureScene s = scene;
    if (!std::isfinite(s.brightness)) s.brightness = scene_.brightness;
    if (!std::isfinite(s.subjectDistance) || s.subjectDistance <= 0) {
        s.subjectDistance = scene_.subjectDistance;
    }
    scene_ = s;
    scheduleAdjustment();
}

void AVCaptureDevice::scheduleAdjustment() {
    if (adjustEvent_ != 0 && platform::RunLoop::main().isPending(adjustEvent_)) return;
    adjustEvent_ = 0;
    if (!focusNeedsAdjusting() && !exposureNeedsAdjusting()) return;
    std::weak_ptr<NSObject> self = weak_from_this();
    adjustEvent_ = platform::RunLoop::main().schedule(kStepInterval, [this, self] {
        if (self.expired()) return;
        adjustEvent_ = 0;
        adjustmentStep();
    });
}

void AVCaptureDevice::adjustmentStep() {
    bool focusMoving = false;
    bool exposureMoving = false;
    if (focusNeedsAdjusting()) {
        const float target = targetLensPosition();
        float next = lensPosition_ + (target - lensPosition_) * static_cast<float>(kStepFraction);
        if (std::fabs(target - next) < kLensTolerance) next = target;
        changeLensPosition(next);
        focusMoving = next != target;
        // Auto focus focuses once, then holds.
        if (!focusMoving && focusMode_ == AVCaptureFocusModeAutoFocus) {
            changeFocusMode(AVCaptureFocusModeLocked);
        }
    }
    if (exposureNeedsAdjusting()) {
        float targetISO = 0;
        double targetT = 0;
        targetExposure(&targetISO, &targetT);
        float iso = iso_ + (targetISO - iso_) * static_cast<float>(kStepFraction);
        if (std::fabs(targetISO - iso) < kISOTolerance) iso = targetISO;
        const double now = CMTimeGetSeconds(exposureDuration_);
        double t = targetT;
        if (now > 0)
            t = std::exp(std::log(now) + (std::log(targetT) - std::log(now)) * kStepFraction);
        if (durationClose(t, targetT)) t = targetT;
        changeISO(iso);
        changeExposureDuration(CMTimeMakeWithSeconds(t, kCMTimeNanosecondScale));
        exposureMoving = iso != targetISO || t != targetT;
        if (!exposureMoving && exposureMode_ == AVCaptureExposureModeAutoExpose) {
            changeExposureMode(AVCaptureExposureModeLocked);
        }
    }
    changeAdjusting(focusMoving, exposureMoving);
    scheduleAdjustment();
}
