#pragma once
// A fresh run loop, application, device (an iPhone 5 screen unless a test says otherwise) and
// add-on state per test, and a window to put dials in.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/TweakState.h"
#include "dial/DialViewController.h"
#include "dial/KTOneFingerRotationGestureRecognizer.h"
#include "platform/device/Device.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"

namespace dialtest {

// One movement of the finger by `degrees`, as the rotation gesture reports it.
inline void turn(lumora::DialViewController& dial, double degrees,
                 UIGestureRecognizerState state = UIGestureRecognizerStateChanged) {
    lumora::KTOneFingerRotationGestureRecognizer g;
    g.setRotation(degrees * M_PI / 180.0);
    g.setState(state);
    dial.rotateByTouch(&g);
}

class DialTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::RunLoop::main().reset();
        UIApplication::sharedApplication().reset();
        NSNotificationCenter::defaultCenter().reset();
        platform::DeviceConfig config;
        config.modelIdentifier = "iPhone6,1";
        config.screenBounds = CGRectMake(0, 0, 320, 568);
        platform::Device::reset();
        platform::Device::configure(config);
        lumora::resetState();
        lumora::state().screensize = 1;
        window = std::make_shared<UIWindow>(CGRectMake(0, 0, 320, 568));
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        window.reset();
        lumora::resetState();
        platform::RunLoop::main().reset();
        UIApplication::sharedApplication().reset();
        NSNotificationCenter::defaultCenter().reset();
        platform::Device::reset();
    }

    std::shared_ptr<lumora::DialViewController> makeDial(long type) {
        auto dial = lumora::DialViewController::initWithParentView(window.get());
        dial->setMaxFrameRate(120);
        dial->setMinFrameRate(24);
        dial->setDialViewType(type);
        return dial;
    }

    std::shared_ptr<UIWindow> window;
};

}  // namespace dialtest
