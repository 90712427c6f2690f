#pragma once
// Capture devices made from device profiles, and faulty devices for fault tests.

#include <memory>
#include <vector>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/DeviceProfile.h"

namespace platform {

struct CaptureDeviceFaults {
    bool noFormats = false;          // the device lists no formats (activeFormat is null)
    bool noFrameRateRanges = false;  // every format lists no frame-rate range
    bool refuseLocks = false;        // lockForConfiguration always fails
};

// The device description of one camera: each format entry becomes one device format per pixel
// format, in order ("420v" then "420f" for the usual entry).
AVCaptureDeviceDescription describeCamera(const CameraProfile& camera,
                                          const CaptureDeviceFaults& faults = {});
std::shared_ptr<AVCaptureDevice> makeCaptureDevice(const CameraProfile& camera,
                                                   const CaptureDeviceFaults& faults = {});
// The back camera (when the model has one), then the front camera.
std::vector<std::shared_ptr<AVCaptureDevice>> makeCaptureDevices(
    const DeviceProfile& device, const CaptureDeviceFaults& faults = {});

// Makes the simulated phone this model: configures platform::Device (screen, idiom, model
// identifier; the zoomed screen when `displayZoom` and the model has one) and installs its
// cameras (CaptureHardware), each process getting fresh device objects.
void installDeviceProfile(const DeviceProfile& device, bool displayZoom = false,
                          const CaptureDeviceFaults& faults = {});

}  // namespace platform
