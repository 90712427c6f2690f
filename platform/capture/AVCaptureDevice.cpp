#include "platform/capture/AVCaptureDevice.h"

#include <algorithm>
#include <cmath>

#include "platform/capture/CaptureHardware.h"

namespace {

template <class T>
bool contains(const std::vector<T>& v, T x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

bool isUnitPoint(CGPoint p) {
    return p.x >= 0 && p.x <= 1 && p.y >= 0 && p.y <= 1;
}

CMTime virtualNow() {
    return CMTimeMakeWithSeconds(platform::RunLoop::main().now(), kCMTimeNanosecondScale);
}

}  // namespace

AVCaptureDevice::AVCaptureDevice(AVCaptureDeviceDescription description)
    : desc_(std::move(description)) {
    // Null formats are dropped so that every format pointer handed out is usable.
    auto& f = desc_.formats;
    f.erase(std::remove(f.begin(), f.end(), nullptr), f.end());

    focusMode_ = contains(desc_.focusModes, AVCaptureFocusModeContinuousAutoFocus)
                     ? AVCaptureFocusModeContinuousAutoFocus
                     : AVCaptureFocusModeLocked;
    exposureMode_ = contains(desc_.exposureModes, AVCaptureExposureModeContinuousAutoExposure)
                        ? AVCaptureExposureModeContinuousAutoExposure
                        : AVCaptureExposureModeLocked;
    whiteBalanceMode_ =
        contains(desc_.whiteBalanceModes, AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance)
            ? AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance
            : AVCaptureWhiteBalanceModeLocked;

    // A new device starts on the high-quality video format with its values settled on the
    // default scene, so an idle device has nothing to adjust.
    auto initial = formatForSessionPreset("AVCaptureSessionPresetHigh");
    if (!initial && !desc_.formats.empty()) initial = desc_.formats.front();
    activeFormat_ = initial;
    resetFrameDurations();
    startTargets();
}

AVCaptureDevice::~AVCaptureDevice() {
    if (adjustEvent_ != 0) platform::RunLoop::main().cancel(adjustEvent_);
}

std::vector<std::shared_ptr<AVCaptureDevice>> AVCaptureDevice::devices() {
    return platform::CaptureHardware::devices();
}

std::vector<std::shared_ptr<AVCaptureDevice>> AVCaptureDevice::devicesWithMediaType(
    const std::string& mediaType) {
    std::vector<std::shared_ptr<AVCaptureDevice>> out;
    for (auto& d : devices()) {
        if (d->hasMediaType(mediaType)) out.push_back(d);
    }
    return out;
}

std::shared_ptr<AVCaptureDevice> AVCaptureDevice::defaultDeviceWithMediaType(
    const std::string& mediaType) {
    for (auto& d : devicesWithMediaType(mediaType)) {
        if (d->position() == AVCaptureDevicePositionBack) return d;
    }
    return nullptr;
}

// --- faults and the lock

bool AVCaptureDevice::refuse(const std::string& what) {
    ++faultCount_;
    lastFault_ = what;
    return false;
}

bool AVCaptureDevice::requireLock(const char* setter) {
    if (lockDepth_ > 0) return true;
    return refuse(std::string(setter) + " called without lockForConfiguration");
}

bool AVCaptureDevice::lockForConfiguration(std::string* error) {
    ++lockAttempts_;
    if (desc_.lockForConfigurationFails) {
        if (error != nullptr) *error = "the device could not be locked for configuration";
        return false;
    }
    ++lockDepth_;
    ++lockCount_;
    return true;
}

void AVCaptureDevice::unlockForConfiguration() {
    if (lockDepth_ == 0) {
        refuse("unlockForConfiguration without a lock");
        return;
    }
    --lockDepth_;
}

// --- formats and frame durations

void AVCaptureDevice::resetFrameDurations() {
    minFrameDuration_ = kCMTimeInvalid;
    maxFrameDuration_ = kCMTimeInvalid;
    if (!activeFormat_) return;
    const double fastest = activeFormat_->highestFrameRate();
    if (fastest <= 0) return;
    const double rate = std::min(30.0, fastest);
    minFrameDuration_ = CMTimeForFrameRate(rate);
    maxFrameDuration_ = minFrameDuration_;
}

void AVCaptureDevice::adoptFormat(const std::shared_ptr<AVCaptureDeviceFormat>& format) {
    activeFormat_ = format;
    resetFrameDurations();
    clampExposureToFormat();
    scheduleAdjustment();
}

void AVCaptureDevice::setActiveFormat(const std::shared_ptr<AVCaptureDeviceFormat>& format) {
    if (!requireLock("setActiveFormat:")) return;
    if (!format || !contains(desc_.formats, format)) {
        refuse("setActiveFormat: with a format that is not one of the device's formats");
        return;
    }
    formatSetByClient_ = true;
    adoptFormat(format);
}

void AVCaptureDevice::setActiveVideoMinFrameDuration(CMTime duration) {
    if (!requireLock("setActiveVideoMinFrameDuration:")) return;
    if (!activeFormat_) {
        refuse("setActiveVideoMinFrameDuration: without an active format");
        return;
    }
    if (CMTIME_IS_INVALID(duration)) {
        const CMTime keepMax = maxFrameDuration_;
        resetFrameDurations();
        maxFrameDuration_ = keepMax;
        return;
    }
    if (!activeFormat_->supportsFrameDuration(duration)) {
        refuse("setActiveVideoMinFrameDuration: outside the active format's frame-rate ranges");
        return;
    }
    minFrameDuration_ = duration;
}

void AVCaptureDevice::setActiveVideoMaxFrameDuration(CMTime duration) {
    if (!requireLock("setActiveVideoMaxFrameDuration:")) return;
    if (!activeFormat_) {
        refuse("setActiveVideoMaxFrameDuration: without an active format");
        return;
    }
    if (CMTIME_IS_INVALID(duration)) {
        const CMTime keepMin = minFrameDuration_;
        resetFrameDurations();
        minFrameDuration_ = keepMin;
    } else if (!activeFormat_->supportsFrameDuration(duration)) {
        refuse("setActiveVideoMaxFrameDuration: outside the active format's frame-rate ranges");
        return;
    } else {
        maxFrameDuration_ = duration;
    }
    // Automatic exposure may not expose longer than a frame lasts.
    scheduleAdjustment();
}

std::shared_ptr<AVCaptureDeviceFormat> AVCaptureDevice::formatForSessionPreset(
    const std::string& preset) const {
    auto it = desc_.presets.find(preset);
    if (it == desc_.presets.end()) return nullptr;
    const FourCharCode preferred = preset == "AVCaptureSessionPresetPhoto"
                                       ? kCVPixelFormatType_420YpCbCr8BiPlanarFullRange
                                       : kCVPixelFormatType_420YpCbCr8BiPlanarVideoRange;
    std::shared_ptr<AVCaptureDeviceFormat> fallback;
    for (const auto& f : desc_.formats) {
        if (!(f->dimensions() == it->second)) continue;
        if (CMFormatDescriptionGetMediaSubType(f->formatDescription()) == preferred) return f;
        if (!fallback) fallback = f;
    }
    return fallback;
}

bool AVCaptureDevice::supportsAVCaptureSessionPreset(const std::string& preset) const {
    if (preset == "AVCaptureSessionPresetInputPriority") return true;
    return formatForSessionPreset(preset) != nullptr;
}

void AVCaptureDevice::applySessionPreset(const std::string& preset) {
    if (preset == "AVCaptureSessionPresetInputPriority") return;
    auto format = formatForSessionPreset(preset);
    if (!format) return;
    formatSetByClient_ = false;
    adoptFormat(format);
}

// --- focus

bool AVCaptureDevice::isFocusModeSupported(AVCaptureFocusMode mode) const {
    return contains(desc_.focusModes, mode);
}

bool AVCaptureDevice::isLockingFocusWithCustomLensPositionSupported() const {
    return isFocusModeSupported(AVCaptureFocusModeLocked);
}

void AVCaptureDevice::setFocusMode(AVCaptureFocusMode mode) {
    if (!requireLock("setFocusMode:")) return;
    if (!isFocusModeSupported(mode)) {
        refuse("setFocusMode: with an unsupported mode");
        return;
    }
    changeFocusMode(mode);
    scheduleAdjustment();
}

void AVCaptureDevice::setFocusPointOfInterest(CGPoint point) {
    if (!requireLock("setFocusPointOfInterest:")) return;
    if (!isFocusPointOfInterestSupported() || !isUnitPoint(point)) {
        refuse("setFocusPointOfInterest: unsupported or outside 0..1");
        return;
    }
    focusPoint_ = point;
}

void AVCaptureDevice::setFocusModeLockedWithLensPosition(float lensPosition,
                                                         AVCaptureCompletionHandler handler) {
    if (!requireLock("setFocusModeLockedWithLensPosition:completionHandler:")) return;
    if (!isLockingFocusWithCustomLensPositionSupported()) {
        refuse("setFocusModeLockedWithLensPosition: on a device without focus control");
        return;
    }
    const bool keep = lensPosition == AVCaptureLensPositionCurrent;
    if (!keep && !(lensPosition >= 0.0f && lensPosition <= 1.0f)) {
        refuse("setFocusModeLockedWithLensPosition: outside 0..1");
        return;
    }
    changeFocusMode(AVCaptureFocusModeLocked);
    if (!keep) changeLensPosition(lensPosition);
    changeAdjusting(false, adjustingExposure_);
    postCompletion(std::move(handler));
}

// --- exposure

bool AVCaptureDevice::isExposureModeSupported(AVCaptureExposureMode mode) const {
    return contains(desc_.exposureModes, mode);
}

void AVCaptureDevice::setExposureMode(AVCaptureExposureMode mode) {
    if (!requireLock("setExposureMode:")) return;
    if (!isExposureModeSupported(mode)) {
        refuse("setExposureMode: with an unsupported mode");
        return;
    }
    changeExposureMode(mode);
    scheduleAdjustment();
}

void AVCaptureDevice::setExposurePointOfInterest(CGPoint point) {
    if (!requireLock("setExposurePointOfInterest:")) return;
    if (!isUnitPoint(point)) {
        refuse("setExposurePointOfInterest: outside 0..1");
        return;
    }
    exposurePoint_ = point;
}

void AVCaptureDevice::setExposureModeCustomWithDuration(CMTime duration, float iso,
                                                        AVCaptureCompletionHandler handler) {
    if (!requireLock("setExposureModeCustomWithDuration:ISO:completionHandler:")) return;
    if (!isExposureModeSupported(AVCaptureExposureModeCustom) || !activeFormat_) {
        refuse("setExposureModeCustomWithDuration: custom exposure unsupported");
        return;
    }
    const bool keepDuration = CMTIME_IS_INVALID(duration);
    if (!keepDuration && (CMTimeCompare(duration, activeFormat_->minExposureDuration()) < 0 ||
                          CMTimeCompare(duration, activeFormat_->maxExposureDuration()) > 0)) {
        refuse("setExposureModeCustomWithDuration: duration outside the active format's range");
        return;
    }
    const bool keepISO = iso == AVCaptureISOCurrent;
    if (!keepISO && !(iso >= activeFormat_->minISO() && iso <= activeFormat_->maxISO())) {
        refuse("setExposureModeCustomWithDuration: ISO outside the active format's range");
        return;
    }
    changeExposureMode(AVCaptureExposureModeCustom);
    if (!keepDuration) changeExposureDuration(duration);
    if (!keepISO) changeISO(iso);
    changeAdjusting(adjustingFocus_, false);
    postCompletion(std::move(handler));
}

void AVCaptureDevice::clampExposureToFormat() {
    if (!activeFormat_) return;
    const float lo = activeFormat_->minISO();
    const float hi = activeFormat_->maxISO();
    if (hi >= lo && hi > 0) changeISO(std::clamp(iso_, lo, hi));
    const CMTime minD = activeFormat_->minExposureDuration();
    const CMTime maxD = activeFormat_->maxExposureDuration();
    if (CMTIME_IS_VALID(minD) && CMTIME_IS_VALID(maxD) && CMTIME_IS_VALID(exposureDuration_)) {
        if (CMTimeCompare(exposureDuration_, minD) < 0) changeExposureDuration(minD);
        if (CMTimeCompare(exposureDuration_, maxD) > 0) changeExposureDuration(maxD);
    }
}

// --- white balance and the rest

bool AVCaptureDevice::isWhiteBalanceModeSupported(AVCaptureWhiteBalanceMode mode) const {
    return contains(desc_.whiteBalanceModes, mode);
}

void AVCaptureDevice::setWhiteBalanceMode(AVCaptureWhiteBalanceMode mode) {
    if (!requireLock("setWhiteBalanceMode:")) return;
    if (!isWhiteBalanceModeSupported(mode)) {
        refuse("setWhiteBalanceMode: with an unsupported mode");
        return;
    }
    const auto old = whiteBalanceMode_;
    whiteBalanceMode_ = mode;
    kvo_.didChange("whiteBalanceMode", static_cast<double>(old), static_cast<double>(mode));
}

void AVCaptureDevice::setSubjectAreaChangeMonitoringEnabled(bool enabled) {
    if (!requireLock("setSubjectAreaChangeMonitoringEnabled:")) return;
    subjectAreaMonitoring_ = enabled;
}

void AVCaptureDevice::postCompletion(AVCaptureCompletionHandler handler) {
    if (!handler) return;
    const CMTime sync = virtualNow();
    platform::RunLoop::main().post([handler = std::move(handler), sync] { handler(sync); });
}

// --- observation

void AVCaptureDevice::addObserver(const std::shared_ptr<NSKeyValueObserving>& observer,
                                  const std::string& keyPath, NSKeyValueObservingOptions options,
                                  void* context) {
    std::optional<double> current;
    if (keyPath == "lensPosition") current = lensPosition_;
    if (keyPath == "ISO") current = iso_;
    if (keyPath == "exposureDuration") current = CMTimeGetSeconds(exposureDuration_);
    if (keyPath == "focusMode") current = static_cast<double>(focusMode_);
    if (keyPath == "exposureMode") current = static_cast<double>(exposureMode_);
    if (keyPath == "whiteBalanceMode") current = static_cast<double>(whiteBalanceMode_);
    kvo_.addObserver(observer, keyPath, options, context, current);
}

void AVCaptureDevice::removeObserver(const NSKeyValueObserving* observer,
                                     const std::string& keyPath) {
    kvo_.removeObserver(observer, keyPath);
}

std::size_t AVCaptureDevice::observerCount(const std::string& keyPath) const {
    return kvo_.observerCount(keyPath);
}

void AVCaptureDevice::changeLensPosition(float value) {
    const float old = lensPosition_;
    lensPosition_ = value;
    kvo_.didChange("lensPosition", old, value);
}

void AVCaptureDevice::changeISO(float value) {
    const float old = iso_;
    iso_ = value;
    kvo_.didChange("ISO", old, value);
}

void AVCaptureDevice::changeExposureDuration(CMTime value) {
    const CMTime old = exposureDuration_;
    exposureDuration_ = value;
    if (CMTimeCompare(old, value) != 0) {
        kvo_.didChange("exposureDuration", CMTimeGetSeconds(old), CMTimeGetSeconds(value));
    }
}

void AVCaptureDevice::changeFocusMode(AVCaptureFocusMode mode) {
    const auto old = focusMode_;
    focusMode_ = mode;
    kvo_.didChange("focusMode", static_cast<double>(old), static_cast<double>(mode));
}

void AVCaptureDevice::changeExposureMode(AVCaptureExposureMode mode) {
    const auto old = exposureMode_;
    exposureMode_ = mode;
    kvo_.didChange("exposureMode", static_cast<double>(old), static_cast<double>(mode));
}

void AVCaptureDevice::changeAdjusting(bool focus, bool exposure) {
    if (focus != adjustingFocus_) {
        adjustingFocus_ = focus;
        kvo_.didChange("adjustingFocus", focus ? 0 : 1, focus ? 1 : 0);
    }
    if (exposure != adjustingExposure_) {
        adjustingExposure_ = exposure;
        kvo_.didChange("adjustingExposure", exposure ? 0 : 1, exposure ? 1 : 0);
    }
}
