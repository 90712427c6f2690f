#include <gtest/gtest.h>

#include "platform/device/Device.h"
#include "tools/UIDeviceHardware.h"

namespace {

using lumora::UIDeviceHardware;

class DeviceHardware : public ::testing::Test {
protected:
    void TearDown() override { platform::Device::reset(); }
    void model(const std::string& identifier) {
        platform::DeviceConfig c;
        c.modelIdentifier = identifier;
        platform::Device::configure(c);
    }
};

TEST_F(DeviceHardware, PlatformIsAskedAnewOnEveryCall) {
    model("iPhone7,2");
    EXPECT_EQ(UIDeviceHardware::platform(), "iPhone7,2");
    EXPECT_EQ(UIDeviceHardware::platformString(), "iPhone 6");
    model("iPad2,5");
    EXPECT_EQ(UIDeviceHardware::platform(), "iPad2,5");
    EXPECT_EQ(UIDeviceHardware::platformString(), "iPad Mini (WiFi)");
    EXPECT_FLOAT_EQ(UIDeviceHardware::platformID(), 2.1f);
}

TEST_F(DeviceHardware, NamesKeepTheirExactSpelling) {
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iPhone6,1"), "iPhone 5s (GSM)");
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iPhone5,3"), "iPhone 5c (GSM)");
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iPad4,4"), "iPad mini 2G (WiFi)");
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iPad2,4"), "iPad 2 (WiFi)");
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iPhone7,1"), "iPhone 6 Plus");
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iPod5,1"), "iPod Touch 5G");
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("x86_64"), "Simulator");
}

TEST_F(DeviceHardware, UnknownModelsKeepTheirIdentifierAndCodeZero) {
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iPhone8,1"), "iPhone8,1");
    EXPECT_FLOAT_EQ(UIDeviceHardware::idForPlatform("iPhone8,1"), 0.0f);
    // Named but without a code, and the other way round.
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iPhone3,2"), "iPhone3,2");
    EXPECT_FLOAT_EQ(UIDeviceHardware::idForPlatform("iPhone3,2"), 4.0f);
    EXPECT_FLOAT_EQ(UIDeviceHardware::idForPlatform("iPad4,1"), 0.0f);
    // Exact, case-sensitive comparison.
    EXPECT_EQ(UIDeviceHardware::nameForPlatform("iphone7,2"), "iphone7,2");
    EXPECT_EQ(UIDeviceHardware::nameForPlatform(""), "");
}

TEST_F(DeviceHardware, CodesAreSinglePrecisionValues) {
    EXPECT_EQ(UIDeviceHardware::idForPlatform("iPod1,1"), 0.1f);
    EXPECT_NE(static_cast<double>(UIDeviceHardware::idForPlatform("iPod1,1")), 0.1);
    EXPECT_EQ(UIDeviceHardware::idForPlatform("iPod4,1"), 4.4f);
    EXPECT_EQ(UIDeviceHardware::idForPlatform("iPhone5,4"), 6.0f);
    EXPECT_EQ(UIDeviceHardware::idForPlatform("iPhone7,1"), 8.0f);
    EXPECT_EQ(UIDeviceHardware::idForPlatform("iPad2,4"), 1.2f);
    EXPECT_EQ(UIDeviceHardware::idForPlatform("iPad3,3"), 5.3f);
    EXPECT_EQ(UIDeviceHardware::idForPlatform("iPad3,6"), 6.3f);
    EXPECT_EQ(UIDeviceHardware::idForPlatform("i386"), 0.0f);
}

}  // namespace
