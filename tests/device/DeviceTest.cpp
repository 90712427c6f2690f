#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/device/Device.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/NotificationCenter.h"

using platform::Device;
using platform::DeviceConfig;

namespace {

class DeviceInfo : public ::testing::Test {
protected:
    void TearDown() override {
        Device::reset();
        UIScreen::mainScreen().reset();
        UIDevice::currentDevice().reset();
        NSNotificationCenter::defaultCenter().reset();
    }
};

DeviceConfig ipad() {
    DeviceConfig c;
    c.modelIdentifier = "iPad4,1";
    c.model = "iPad";
    c.screenBounds = CGRectMake(0, 0, 768, 1024);
    c.scale = 2;
    c.idiom = 1;
    return c;
}

}  // namespace

TEST_F(DeviceInfo, SysctlReportsTheModelIdentifierInTwoSteps) {
    DeviceConfig c;
    c.modelIdentifier = "iPhone6,2";
    Device::configure(c);
    std::size_t len = 0;
    ASSERT_EQ(sysctlbyname("hw.machine", nullptr, &len, nullptr, 0), 0);
    EXPECT_EQ(len, std::string("iPhone6,2").size() + 1);
    std::string buf(len, 'x');
    ASSERT_EQ(sysctlbyname("hw.machine", buf.data(), &len, nullptr, 0), 0);
    EXPECT_STREQ(buf.c_str(), "iPhone6,2");
}

TEST_F(DeviceInfo, SysctlRefusesWhatItCannotAnswer) {
    std::size_t len = 0;
    EXPECT_EQ(sysctlbyname("hw.unknown", nullptr, &len, nullptr, 0), -1);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(sysctlbyname(nullptr, nullptr, &len, nullptr, 0), -1);
    EXPECT_EQ(sysctlbyname("hw.machine", nullptr, nullptr, nullptr, 0), -1);
    // Too small a buffer: nothing written past it, the call fails.
    char small[4] = {'a', 'b', 'c', 'd'};
    len = 3;
    EXPECT_EQ(sysctlbyname("hw.machine", small, &len, nullptr, 0), -1);
    EXPECT_EQ(errno, ENOMEM);
    EXPECT_EQ(small[3], 'd');
    char value[] = "iPhone1,1";
    len = 0;
    EXPECT_EQ(sysctlbyname("hw.machine", nullptr, &len, value, sizeof value), -1);
}

TEST_F(DeviceInfo, ScreenSwapsForLandscapeAndPrefersZoomedBounds) {
    DeviceConfig c;
    c.screenBounds = CGRectMake(0, 0, 414, 736);
    c.scale = 3;
    Device::configure(c);
    auto& screen = UIScreen::mainScreen();
    EXPECT_EQ(screen.bounds(), CGRectMake(0, 0, 414, 736));
    EXPECT_EQ(screen.scale(), 3);
    screen.setInterfaceLandscape(true);
    EXPECT_EQ(screen.bounds(), CGRectMake(0, 0, 736, 414));
    c.zoomedBounds = CGRectMake(0, 0, 375, 667);
    Device::configure(c);
    EXPECT_EQ(screen.bounds(), CGRectMake(0, 0, 667, 375));
    screen.setInterfaceLandscape(false);
    EXPECT_EQ(screen.bounds(), CGRectMake(0, 0, 375, 667));
}

TEST_F(DeviceInfo, IdiomAndModelComeFromTheConfiguration) {
    auto& device = UIDevice::currentDevice();
    EXPECT_EQ(device.userInterfaceIdiom(), UIUserInterfaceIdiomPhone);
    Device::configure(ipad());
    EXPECT_EQ(device.userInterfaceIdiom(), UIUserInterfaceIdiomPad);
    EXPECT_EQ(device.model(), "iPad");
}

TEST_F(DeviceInfo, OrientationAcceptsOnlyKnownValuesAndAnnouncesChanges) {
    auto& device = UIDevice::currentDevice();
    int changes = 0;
    NSNotificationCenter::defaultCenter().addObserver(UIDeviceOrientationDidChangeNotification, {},
                                                      [&](const ns::Dictionary&) { ++changes; });
    EXPECT_EQ(device.orientation(), UIDeviceOrientationPortrait);
    device.setOrientation(UIDeviceOrientationLandscapeLeft);
    EXPECT_EQ(device.orientation(), 3);
    device.setOrientation(UIDeviceOrientationLandscapeLeft);  // unchanged: no notification
    device.setOrientation(7);
    device.setOrientation(-1);
    EXPECT_EQ(device.orientation(), 3);
    device.setOrientation(UIDeviceOrientationFaceDown);
    EXPECT_EQ(device.orientation(), 6);
    EXPECT_EQ(changes, 2);
}
