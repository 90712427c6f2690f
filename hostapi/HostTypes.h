#pragma once
// Types the host's declared interfaces mention. The capture classes and shared-memory surfaces
// belong to platform frameworks; they are only named here, so the interfaces compile without them.

#include <functional>
#include <memory>

#include "platform/foundation/Value.h"
#include "platform/geometry/Geometry.h"
#include "platform/objc/NSObject.h"
#include "platform/ui/UIView.h"

class AVCaptureDevice;
class AVCaptureSession;
class AVCaptureOutput;

struct __IOSurface;
using IOSurfaceRef = __IOSurface*;

namespace hostapi {

// The host's views are UIView subclasses, as on the phone.
using HostView = UIView;

// Blocks the host's asset saver passes along with a photo.
using RequestEnqueuedBlock = std::function<void()>;
using SaveCompletionBlock = std::function<void(bool success)>;

}  // namespace hostapi
