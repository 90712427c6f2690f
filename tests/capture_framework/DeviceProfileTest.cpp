// Device profiles: every model loads, lookups, and clear errors for bad files.

#include <filesystem>
#include <fstream>
#include <set>
#include "tests/common/ScratchDir.h"

#include "platform/capture/AVCaptureSession.h"
#include "platform/capture/CaptureHardware.h"
#include "platform/device/Device.h"
#include "platform/device/Process.h"
#include "tests/capture_framework/CaptureTestSupport.h"

using captest::registry;
using platform::DeviceProfile;
using platform::loadDeviceProfile;
using platform::parseDeviceProfile;

namespace {

const char* kMinimal = R"({
  "modelIdentifier": "Test1,1", "name": "Test", "shortName": "test", "model": "iPhone",
  "idiom": "phone", "screen": {"width": 320, "height": 480, "scale": 2},
  "cameras": {"back": {
    "stillSize": [640, 480],
    "lens": {"aperture": 2.4, "minimumFocusDistance": 0.1, "autoFocusSystem": "contrast"},
    "focusModes": [0, 1, 2], "exposureModes": [0, 1, 2, 3], "whiteBalanceModes": [0, 2],
    "presets": {"AVCaptureSessionPresetHigh": [640, 480]},
    "formats": [{"width": 640, "height": 480, "pixelFormats": ["420v", "420f"],
                 "frameRateRanges": [[1, 30]], "iso": [50, 800],
                 "exposureDuration": [0.00002, 0.5], "stabilizationModes": ["off"],
                 "fieldOfView": 56}]}}
})";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

TEST(DeviceProfileTest, EveryModelLoads) {
    const std::set<std::string> wanted = {"iPhone4,1", "iPhone5,1", "iPhone5,3", "iPhone6,1",
                                          "iPhone7,2", "iPhone7,1", "iPod5,1",   "iPad2,1",
                                          "iPad3,1",   "iPad4,1",   "iPad4,4",   "iPhone8,1"};
    for (const auto& id : wanted) {
        const DeviceProfile* p = registry().find(id);
        ASSERT_NE(p, nullptr) << id;
        EXPECT_EQ(p->modelIdentifier, id);
        ASSERT_TRUE(p->back.has_value()) << id;
        ASSERT_TRUE(p->front.has_value()) << id;
        for (const auto* cam : {&*p->back, &*p->front}) {
            EXPECT_FALSE(cam->formats.empty()) << id;
            // Every camera serves the presets the host asks for by default.
            EXPECT_TRUE(cam->presets.count(AVCaptureSessionPresetHigh)) << id;
            EXPECT_TRUE(cam->presets.count(AVCaptureSessionPresetPhoto)) << id;
            for (const auto& f : cam->formats) {
                EXPECT_FALSE(f.frameRateRanges.empty()) << id;
                EXPECT_EQ(f.pixelFormats.size(), 2u) << id;
            }
        }
    }
    EXPECT_GE(registry().all().size(), wanted.size());
}

TEST(DeviceProfileTest, LookupByShortNameAndScreens) {
    const DeviceProfile* six = registry().find("iphone6");
    ASSERT_NE(six, nullptr);
    EXPECT_EQ(six->modelIdentifier, "iPhone7,2");
    EXPECT_EQ(six->screenSize.width, 375);
    ASSERT_TRUE(six->zoomedScreenSize.has_value());
    EXPECT_EQ(six->zoomedScreenSize->width, 320);
    EXPECT_EQ(six->zoomedScreenSize->height, 568);
    const DeviceProfile* plus = registry().find("iphone6plus");
    ASSERT_NE(plus, nullptr);
    EXPECT_EQ(plus->zoomedScreenSize->height, 667);
    EXPECT_EQ(plus->scale, 3);
    const DeviceProfile* ipad2 = registry().find("ipad2");
    ASSERT_NE(ipad2, nullptr);
    EXPECT_EQ(ipad2->idiom, 1);
    EXPECT_FALSE(ipad2->zoomedScreenSize.has_value());
    EXPECT_TRUE(ipad2->back->focusModes.empty());  // fixed focus
    EXPECT_EQ(registry().find("iphone7"), nullptr);

    const auto config = six->deviceConfig(true);
    ASSERT_TRUE(config.zoomedBounds.has_value());
    EXPECT_EQ(config.zoomedBounds->size.width, 320);
    EXPECT_FALSE(six->deviceConfig(false).zoomedBounds.has_value());
}

TEST(DeviceProfileTest, ChosenFiguresAreRecorded) {
    // The iPhone 6's 1080p formats are sourced; only "auto" stabilization was added.
    const DeviceProfile* six = registry().find("iphone6");
    ASSERT_NE(six, nullptr);
    bool isoChosen = false;
    for (const auto& c : six->chosen) isoChosen |= c.find(".iso") != std::string::npos;
    EXPECT_FALSE(isoChosen);
    // The outside model is chosen whole; the iPhone 5's 720p format has chosen rates.
    const DeviceProfile* sixS = registry().find("iPhone8,1");
    ASSERT_NE(sixS, nullptr);
    EXPECT_NE(std::find(sixS->chosen.begin(), sixS->chosen.end(), "cameras"), sixS->chosen.end());
    const DeviceProfile* five = registry().find("iphone5");
    ASSERT_NE(five, nullptr);
    EXPECT_NE(std::find(five->chosen.begin(), five->chosen.end(),
                        "cameras.back.formats[5].frameRateRanges"),
              five->chosen.end());
}

TEST(DeviceProfileTest, ErrorsNameTheFileAndTheField) {
    ASSERT_TRUE(parseDeviceProfile(kMinimal, "t.json").ok());

    auto unknown =
        parseDeviceProfile(replaced(kMinimal, "\"fieldOfView\"", "\"fieldOfVeiw\""), "t.json");
    ASSERT_FALSE(unknown.ok());
    EXPECT_EQ(unknown.error().file, "t.json");
    EXPECT_EQ(unknown.error().field, "cameras.back.formats[0].fieldOfVeiw");
    EXPECT_EQ(unknown.error().describe(),
              "t.json: cameras.back.formats[0].fieldOfVeiw: unknown field");

    struct Case {
        const char* from;
        const char* to;
        const char* field;
    } cases[] = {
        {"[[1, 30]]", "[[30, 1]]", "cameras.back.formats[0].frameRateRanges[0]"},
        {"\"idiom\": \"phone\"", "\"idiom\": \"watch\"", "idiom"},
        {"[640, 480]}", "[1280, 720]}", "cameras.back.presets.AVCaptureSessionPresetHigh"},
        {"\"off\"", "\"wobbly\"", "cameras.back.formats[0].stabilizationModes[0]"},
        {"\"width\": 640,", "", "cameras.back.formats[0].width"},
        {"[0, 1, 2, 3]", "[0, 9]", "cameras.back.exposureModes[1]"},
        {"\"420f\"", "\"420ff\"", "cameras.back.formats[0].pixelFormats[1]"},
        {"\"iso\": [50, 800]", "\"iso\": \"lots\"", "cameras.back.formats[0].iso"},
        {"\"shortName\": \"test\"", "\"shortName\": \"Test!\"", "shortName"},
    };
    for (const auto& c : cases) {
        auto r = parseDeviceProfile(replaced(kMinimal, c.from, c.to), "t.json");
        ASSERT_FALSE(r.ok()) << c.to;
        EXPECT_EQ(r.error().field, c.field) << r.error().describe();
    }

    auto broken = parseDeviceProfile("{\"modelIdentifier\": ", "b.json");
    ASSERT_FALSE(broken.ok());
    EXPECT_EQ(broken.error().file, "b.json");
    EXPECT_NE(broken.error().message.find("not valid JSON"), std::string::npos);

    auto missing = loadDeviceProfile("/nonexistent/none.json");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().file, "/nonexistent/none.json");
}

TEST(DeviceProfileTest, AFolderWithABadOrDuplicateProfileFails) {
    const auto dir = lumora::test::scratchDir("lumora-cap-profiles");
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "a.json") << kMinimal;
    auto one = platform::DeviceProfileRegistry::loadFolder(dir);
    ASSERT_TRUE(one.ok());
    EXPECT_EQ(one->all().size(), 1u);
    EXPECT_NE(one->find("test"), nullptr);

    std::ofstream(dir / "b.json") << replaced(kMinimal, "Test1,1", "Test2,1");
    auto dup = platform::DeviceProfileRegistry::loadFolder(dir);
    ASSERT_FALSE(dup.ok());
    EXPECT_EQ(dup.error().field, "shortName");

    std::ofstream(dir / "b.json") << "[]";
    auto bad = platform::DeviceProfileRegistry::loadFolder(dir);
    ASSERT_FALSE(bad.ok());
    EXPECT_NE(bad.error().file.find("b.json"), std::string::npos);
    std::filesystem::remove_all(dir);

    EXPECT_FALSE(platform::DeviceProfileRegistry::loadFolder(dir).ok());
}

TEST(DeviceProfileTest, InstallingAProfileConfiguresTheDeviceAndItsCameras) {
    const DeviceProfile* plus = registry().find("iphone6plus");
    ASSERT_NE(plus, nullptr);
    platform::Process::launch("com.apple.camera");
    platform::installDeviceProfile(*plus, true);
    EXPECT_EQ(platform::Device::config().modelIdentifier, "iPhone7,1");
    EXPECT_EQ(platform::Device::config().scale, 3);
    ASSERT_TRUE(platform::Device::config().zoomedBounds.has_value());

    auto devices = AVCaptureDevice::devices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0]->position(), AVCaptureDevicePositionBack);
    EXPECT_EQ(devices[1]->position(), AVCaptureDevicePositionFront);
    auto back = AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo);
    EXPECT_EQ(back, devices[0]);
    EXPECT_EQ(AVCaptureDevice::devices()[0], back);  // the same objects within a process

    // A new process gets new device objects of the same hardware.
    platform::Process::launch("com.apple.camera");
    auto again = AVCaptureDevice::defaultDeviceWithMediaType(AVMediaTypeVideo);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, back);
    EXPECT_EQ(again->formats().size(), back->formats().size());

    platform::CaptureHardware::uninstall();
    EXPECT_TRUE(AVCaptureDevice::devices().empty());
    platform::Process::terminate();
    platform::Device::reset();
}

}  // namespace
