#include "host/Orientation.h"

#include <numbers>

#include "platform/device/UIDevice.h"

namespace host {

bool interfaceTurnsWithDevice() {
    return UIDevice::currentDevice().userInterfaceIdiom() == UIUserInterfaceIdiomPad;
}

CGAffineTransform uprightTransform(long orientation) {
    if (interfaceTurnsWithDevice()) return CGAffineTransformIdentity;
    constexpr double kPi = std::numbers::pi;
    switch (orientation) {
        case 2:
            return CGAffineTransformMakeRotation(kPi);
        case 3:
            return CGAffineTransformMakeRotation(kPi / 2);
        case 4:
            return CGAffineTransformMakeRotation(-kPi / 2);
        default:
            return CGAffineTransformIdentity;
    }
}

bool isSidewaysHold(long orientation) {
    return (orientation == 3 || orientation == 4) && !interfaceTurnsWithDevice();
}

}  // namespace host
