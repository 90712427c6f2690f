#pragma once
// Which capture resolutions the add-on may use: a resolution is named by its height in lines
// only, and each known model limits the height per mode (photo / video) and camera.

#include <memory>

class AVCaptureDevice;
class AVCaptureDeviceFormat;

namespace lumora {

// The height of a format's video dimensions; 0 for a null format.
int formatHeight(const AVCaptureDeviceFormat* format);

// The capture device of the host's capture controller, or null without one.
std::shared_ptr<AVCaptureDevice> currentCaptureDevice();

// True when `height` may be used in the host's current mode on its current camera by this model:
// at most the model's limit for that situation, the first matching model group deciding. A
// model in no group, or a situation its group does not limit, allows every height. False
// without a capture controller.
bool isValidDimension(int height);

}  // namespace lumora
