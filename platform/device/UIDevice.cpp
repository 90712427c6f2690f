#include "platform/device/UIDevice.h"

#include "platform/device/Device.h"
#include "platform/foundation/NotificationCenter.h"

UIDevice& UIDevice::currentDevice() {
    static UIDevice* device = new UIDevice();  // lives for the whole run, like the platform's
    return *device;
}

UIUserInterfaceIdiom UIDevice::userInterfaceIdiom() const {
    return platform::Device::config().idiom == 1 ? UIUserInterfaceIdiomPad
                                                 : UIUserInterfaceIdiomPhone;
}

std::string UIDevice::model() const {
    return platform::Device::config().model;
}

void UIDevice::setOrientation(UIDeviceOrientation orientation) {
    if (orientation < UIDeviceOrientationUnknown || orientation > UIDeviceOrientationFaceDown)
        return;
    if (orientation == orientation_) return;
    orientation_ = orientation;
    NSNotificationCenter::defaultCenter().post(UIDeviceOrientationDidChangeNotification);
}

UIScreen& UIScreen::mainScreen() {
    static UIScreen* screen = new UIScreen();
    return *screen;
}

CGRect UIScreen::bounds() const {
    const auto& config = platform::Device::config();
    CGRect r = config.zoomedBounds ? *config.zoomedBounds : config.screenBounds;
    r = CGRectStandardize(r);
    if (landscape_) std::swap(r.size.width, r.size.height);
    return r;
}

CGFloat UIScreen::scale() const {
    return platform::Device::config().scale;
}
