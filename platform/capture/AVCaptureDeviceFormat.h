#pragma once
// One capture format of a device: pixel format and dimensions (through its format description),
// the frame-rate ranges it supports, its ISO and exposure-duration limits and the video
// stabilization modes it supports. Formats are immutable once made.

#include <memory>
#include <optional>
#include <vector>

#include "platform/capture/AVCaptureTypes.h"
#include "platform/capture/AVFrameRateRange.h"
#include "platform/objc/NSObject.h"

// What a format is made from (a device profile's format entry for one pixel format).
struct AVCaptureDeviceFormatSpec {
    FourCharCode pixelFormat = kCVPixelFormatType_420YpCbCr8BiPlanarVideoRange;
    CMVideoDimensions dimensions;
    std::vector<std::pair<double, double>> frameRateRanges;  // (min, max) frames per second
    float minISO = 0;
    float maxISO = 0;
    CMTime minExposureDuration = kCMTimeInvalid;
    CMTime maxExposureDuration = kCMTimeInvalid;
    std::vector<AVCaptureVideoStabilizationMode> stabilizationModes;
    float videoFieldOfView = 0;
    std::optional<CMVideoDimensions> highResolutionStillImageDimensions;
};

class AVCaptureDeviceFormat : public NSObject {
public:
    LU_OBJC_CLASS(AVCaptureDeviceFormat)
    explicit AVCaptureDeviceFormat(const AVCaptureDeviceFormatSpec& spec);

    const char* mediaType() const { return "vide"; }
    CMFormatDescriptionRef formatDescription() const { return &description_; }
    CMVideoDimensions dimensions() const { return description_.dimensions; }

    // In the order the device reports them. Ranges with invalid rates are left out.
    const std::vector<std::shared_ptr<AVFrameRateRange>>& videoSupportedFrameRateRanges() const {
        return ranges_;
    }
    float minISO() const { return minISO_; }
    float maxISO() const { return maxISO_; }
    CMTime minExposureDuration() const { return minExposure_; }
    CMTime maxExposureDuration() const { return maxExposure_; }
    float videoFieldOfView() const { return fieldOfView_; }
    CMVideoDimensions highResolutionStillImageDimensions() const { return hrsi_; }

    // Off is supported by every format; the other modes as the format lists them.
    bool isVideoStabilizationModeSupported(AVCaptureVideoStabilizationMode mode) const;

    // True when `duration` lies within one of the frame-rate ranges.
    bool supportsFrameDuration(CMTime duration) const;
    // The largest maxFrameRate of the ranges; 0 without ranges.
    double highestFrameRate() const;

private:
    CMVideoFormatDescription description_;
    std::vector<std::shared_ptr<AVFrameRateRange>> ranges_;
    float minISO_;
    float maxISO_;
    CMTime minExposure_;
    CMTime maxExposure_;
    std::vector<AVCaptureVideoStabilizationMode> stabilization_;
    float fieldOfView_;
    CMVideoDimensions hrsi_;
};
