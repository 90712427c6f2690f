#pragma once
// Enumerations, constants and small value types of the capture framework, with the platform's
// numbers (they travel through preferences and logs unchanged).

#include <cfloat>
#include <cstdint>
#include <string>

#include "platform/capture/CMTime.h"

using AVCaptureFocusMode = long;
inline constexpr AVCaptureFocusMode AVCaptureFocusModeLocked = 0;
inline constexpr AVCaptureFocusMode AVCaptureFocusModeAutoFocus = 1;
inline constexpr AVCaptureFocusMode AVCaptureFocusModeContinuousAutoFocus = 2;

using AVCaptureExposureMode = long;
inline constexpr AVCaptureExposureMode AVCaptureExposureModeLocked = 0;
inline constexpr AVCaptureExposureMode AVCaptureExposureModeAutoExpose = 1;
inline constexpr AVCaptureExposureMode AVCaptureExposureModeContinuousAutoExposure = 2;
inline constexpr AVCaptureExposureMode AVCaptureExposureModeCustom = 3;

using AVCaptureWhiteBalanceMode = long;
inline constexpr AVCaptureWhiteBalanceMode AVCaptureWhiteBalanceModeLocked = 0;
inline constexpr AVCaptureWhiteBalanceMode AVCaptureWhiteBalanceModeAutoWhiteBalance = 1;
inline constexpr AVCaptureWhiteBalanceMode AVCaptureWhiteBalanceModeContinuousAutoWhiteBalance = 2;

using AVCaptureVideoStabilizationMode = long;
inline constexpr AVCaptureVideoStabilizationMode AVCaptureVideoStabilizationModeOff = 0;
inline constexpr AVCaptureVideoStabilizationMode AVCaptureVideoStabilizationModeStandard = 1;
inline constexpr AVCaptureVideoStabilizationMode AVCaptureVideoStabilizationModeCinematic = 2;
inline constexpr AVCaptureVideoStabilizationMode AVCaptureVideoStabilizationModeAuto = -1;

using AVCaptureDevicePosition = long;
inline constexpr AVCaptureDevicePosition AVCaptureDevicePositionUnspecified = 0;
inline constexpr AVCaptureDevicePosition AVCaptureDevicePositionBack = 1;
inline constexpr AVCaptureDevicePosition AVCaptureDevicePositionFront = 2;

// Media types are four-character strings.
inline constexpr const char* AVMediaTypeVideo = "vide";
inline constexpr const char* AVMediaTypeAudio = "soun";

// "Keep the current value" arguments of setExposureModeCustomWithDuration:ISO:completionHandler:.
// The duration sentinel is an invalid time: any invalid duration keeps the current one.
inline constexpr CMTime AVCaptureExposureDurationCurrent = kCMTimeInvalid;
inline constexpr float AVCaptureISOCurrent = FLT_MAX;
inline constexpr float AVCaptureLensPositionCurrent = FLT_MAX;

struct CMVideoDimensions {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const CMVideoDimensions&) const = default;
};

// Pixel formats of the capture formats, as four-character codes.
using FourCharCode = std::uint32_t;
inline constexpr FourCharCode kCVPixelFormatType_420YpCbCr8BiPlanarVideoRange = 0x34323076;  // 420v
inline constexpr FourCharCode kCVPixelFormatType_420YpCbCr8BiPlanarFullRange = 0x34323066;   // 420f

// The four characters of a code ("420v"), and back (0 for a text that is not four characters).
std::string fourCharCodeString(FourCharCode code);
FourCharCode fourCharCodeFromString(const std::string& text);

// The video format description of a capture format: its codec and pixel dimensions.
struct CMVideoFormatDescription {
    FourCharCode mediaSubType = 0;
    CMVideoDimensions dimensions;
};
using CMVideoFormatDescriptionRef = const CMVideoFormatDescription*;
using CMFormatDescriptionRef = CMVideoFormatDescriptionRef;

// Dimensions of a format description; {0, 0} for a null description.
inline CMVideoDimensions CMVideoFormatDescriptionGetDimensions(CMVideoFormatDescriptionRef desc) {
    return desc != nullptr ? desc->dimensions : CMVideoDimensions{};
}
inline FourCharCode CMFormatDescriptionGetMediaSubType(CMFormatDescriptionRef desc) {
    return desc != nullptr ? desc->mediaSubType : 0;
}

// Names for logs and profiles ("off", "standard", "cinematic", "auto"); empty for other values.
const char* stabilizationModeName(AVCaptureVideoStabilizationMode mode);
// The mode for a name, or false when the name is not one of the four.
bool stabilizationModeFromName(const std::string& name, AVCaptureVideoStabilizationMode* mode);
