#include "platform/capture/DeviceFactory.h"

#include "platform/capture/CaptureHardware.h"

namespace platform {

AVCaptureDeviceDescription describeCamera(const CameraProfile& camera,
                                          const CaptureDeviceFaults& faults) {
    AVCaptureDeviceDescription d;
    d.position = camera.position;
    const bool back = camera.position == AVCaptureDevicePositionBack;
    d.uniqueID =
        std::string("com.apple.avfoundation.avcapturedevice.built-in_video:") + (back ? "0" : "1");
    d.localizedName = back ? "Back Camera" : "Front Camera";
    d.focusModes = camera.focusModes;
    d.exposureModes = camera.exposureModes;
    d.whiteBalanceModes = camera.whiteBalanceModes;
    d.presets = camera.presets;
    d.aperture = camera.aperture;
    d.minimumFocusDistance = camera.minimumFocusDistance;
    d.lockForConfigurationFails = faults.refuseLocks;
    if (faults.noFormats) {
        d.presets.clear();
        return d;
    }
    for (const auto& f : camera.formats) {
        for (FourCharCode pixelFormat : f.pixelFormats) {
            AVCaptureDeviceFormatSpec spec;
            spec.pixelFormat = pixelFormat;
            spec.dimensions = f.dimensions;
            if (!faults.noFrameRateRanges) spec.frameRateRanges = f.frameRateRanges;
            spec.minISO = f.minISO;
            spec.maxISO = f.maxISO;
            spec.minExposureDuration =
                CMTimeMakeWithSeconds(f.minExposureSeconds, kCMTimeNanosecondScale);
            spec.maxExposureDuration =
                CMTimeMakeWithSeconds(f.maxExposureSeconds, kCMTimeNanosecondScale);
            spec.stabilizationModes = f.stabilizationModes;
            spec.videoFieldOfView = f.fieldOfView;
            spec.highResolutionStillImageDimensions = f.highResolutionStill;
            d.formats.push_back(std::make_shared<AVCaptureDeviceFormat>(spec));
        }
    }
    return d;
}

std::shared_ptr<AVCaptureDevice> makeCaptureDevice(const CameraProfile& camera,
                                                   const CaptureDeviceFaults& faults) {
    return std::make_shared<AVCaptureDevice>(describeCamera(camera, faults));
}

std::vector<std::shared_ptr<AVCaptureDevice>> makeCaptureDevices(
    const DeviceProfile& device, const CaptureDeviceFaults& faults) {
    std::vector<std::shared_ptr<AVCaptureDevice>> out;
    if (device.back) out.push_back(makeCaptureDevice(*device.back, faults));
    if (device.front) out.push_back(makeCaptureDevice(*device.front, faults));
    return out;
}

void installDeviceProfile(const DeviceProfile& device, bool displayZoom,
                          const CaptureDeviceFaults& faults) {
    Device::configure(device.deviceConfig(displayZoom));
    CaptureHardware::install([device, faults] { return makeCaptureDevices(device, faults); });
}

}  // namespace platform
