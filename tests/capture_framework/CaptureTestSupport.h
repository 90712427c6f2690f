#pragma once
// Shared helpers of the capture framework tests: the repository's profiles and small devices.

#include <gtest/gtest.h>

#include <memory>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/DeviceFactory.h"
#include "platform/capture/DeviceProfile.h"
#include "platform/runloop/RunLoop.h"

namespace captest {

inline const platform::DeviceProfileRegistry& registry() {
    static const auto loaded =
        platform::DeviceProfileRegistry::loadFolder(LUMORA_SOURCE_DIR "/data/devices");
    if (!loaded) ADD_FAILURE() << loaded.error().describe();
    static const platform::DeviceProfileRegistry empty{};
    return loaded ? loaded.value() : empty;
}

inline const platform::DeviceProfile& profile(const char* name) {
    const auto* p = registry().find(name);
    if (p == nullptr) {
        ADD_FAILURE() << "no profile " << name;
        static const platform::DeviceProfile none{};
        return none;
    }
    return *p;
}

inline std::shared_ptr<AVCaptureDevice> camera(const char* model, AVCaptureDevicePosition position,
                                               platform::CaptureDeviceFaults faults = {}) {
    const auto* cam = profile(model).camera(position);
    if (cam == nullptr) return nullptr;
    return platform::makeCaptureDevice(*cam, faults);
}

// A fresh run loop per test.
class CaptureTest : public ::testing::Test {
protected:
    void SetUp() override { platform::RunLoop::main().reset(); }
    void TearDown() override { platform::RunLoop::main().reset(); }
    platform::RunLoop& loop = platform::RunLoop::main();
};

}  // namespace captest
