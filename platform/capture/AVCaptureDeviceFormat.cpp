#include "platform/capture/AVCaptureDeviceFormat.h"

#include <algorithm>

AVCaptureDeviceFormat::AVCaptureDeviceFormat(const AVCaptureDeviceFormatSpec& spec)
    : description_{spec.pixelFormat, spec.dimensions},
      minISO_(spec.minISO),
      maxISO_(spec.maxISO),
      minExposure_(spec.minExposureDuration),
      maxExposure_(spec.maxExposureDuration),
      stabilization_(spec.stabilizationModes),
      fieldOfView_(spec.videoFieldOfView),
      hrsi_(spec.highResolutionStillImageDimensions.value_or(spec.dimensions)) {
    for (const auto& [lo, hi] : spec.frameRateRanges) {
        if (auto range = AVFrameRateRange::frameRateRangeWithMinRate(lo, hi)) {
            ranges_.push_back(std::move(range));
        }
    }
}

bool AVCaptureDeviceFormat::isVideoStabilizationModeSupported(
    AVCaptureVideoStabilizationMode mode) const {
    if (mode == AVCaptureVideoStabilizationModeOff) return true;
    return std::find(stabilization_.begin(), stabilization_.end(), mode) != stabilization_.end();
}

bool AVCaptureDeviceFormat::supportsFrameDuration(CMTime duration) const {
    return std::any_of(ranges_.begin(), ranges_.end(),
                       [&](const auto& r) { return r->containsFrameDuration(duration); });
}

double AVCaptureDeviceFormat::highestFrameRate() const {
    double best = 0;
    for (const auto& r : ranges_) best = std::max(best, r->maxFrameRate());
    return best;
}
