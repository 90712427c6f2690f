#include "manual/DeviceWrites.h"

#include <algorithm>
#include <cmath>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/ConfigurationGuards.h"

namespace lumora {
namespace {

bool customExposureSupported(const AVCaptureDevice* device) {
    return device != nullptr && device->activeFormat() &&
           device->isExposureModeSupported(AVCaptureExposureModeCustom);
}

// 1/denominator s within the format's exposure range.
CMTime limitedDuration(const AVCaptureDeviceFormat& format, int denominator) {
    CMTime d = CMTimeMake(1, std::max(1, denominator));
    const CMTime lo = format.minExposureDuration();
    const CMTime hi = format.maxExposureDuration();
    if (CMTIME_IS_VALID(lo) && CMTimeCompare(d, lo) < 0) d = lo;
    if (CMTIME_IS_VALID(hi) && CMTimeCompare(d, hi) > 0) d = hi;
    return d;
}

// The denominator a duration reads as (a limited duration need not be 1/N exactly).
int denominatorOf(CMTime d) {
    const double s = CMTimeGetSeconds(d);
    if (!(s > 0)) return 0;
    return static_cast<int>(std::lround(1.0 / s));
}

int limitedISOValue(const AVCaptureDeviceFormat& format, int iso) {
    const int lo = static_cast<int>(std::ceil(format.minISO()));
    const int hi = static_cast<int>(std::floor(format.maxISO()));
    if (hi < lo) return iso;
    return std::clamp(iso, lo, hi);
}

}  // namespace

bool writeLensPosition(AVCaptureDevice* device, float lens) {
    if (device == nullptr || !std::isfinite(lens)) return false;
    platform::ConfigurationLock lock(device);
    if (!lock || !device->isFocusModeSupported(AVCaptureFocusModeLocked)) return false;
    device->setFocusModeLockedWithLensPosition(std::clamp(lens, 0.0f, 1.0f), nullptr);
    return true;
}

std::optional<int> limitedShutterSpeed(const AVCaptureDevice* device, int denominator) {
    if (!customExposureSupported(device)) return std::nullopt;
    return denominatorOf(limitedDuration(*device->activeFormat(), denominator));
}

std::optional<int> limitedISO(const AVCaptureDevice* device, int iso) {
    if (!customExposureSupported(device)) return std::nullopt;
    const auto& f = *device->activeFormat();
    if (std::ceil(f.minISO()) > std::floor(f.maxISO())) return std::nullopt;
    return limitedISOValue(f, iso);
}

std::optional<int> writeShutterSpeed(AVCaptureDevice* device, int denominator) {
    if (!customExposureSupported(device)) return std::nullopt;
    platform::ConfigurationLock lock(device);
    if (!lock) return std::nullopt;
    const CMTime d = limitedDuration(*device->activeFormat(), denominator);
    device->setExposureModeCustomWithDuration(d, AVCaptureISOCurrent, nullptr);
    return denominatorOf(d);
}

std::optional<int> writeISO(AVCaptureDevice* device, int iso) {
    const auto value = limitedISO(device, iso);
    if (!value) return std::nullopt;
    platform::ConfigurationLock lock(device);
    if (!lock) return std::nullopt;
    device->setExposureModeCustomWithDuration(AVCaptureExposureDurationCurrent,
                                              static_cast<float>(*value), nullptr);
    return value;
}

}  // namespace lumora
