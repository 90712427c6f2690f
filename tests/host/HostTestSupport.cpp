#include "HostTestSupport.h"

#include <unistd.h>

#include "platform/device/UIDevice.h"
#include "platform/foundation/FileSystem.h"
#include "platform/objc/Injection.h"

namespace hosttest {

std::optional<platform::DeviceProfile> loadProfile(const std::string& shortName) {
    const std::filesystem::path path =
        std::filesystem::path(LUMORA_SOURCE_DIR) / "data" / "devices" / (shortName + ".json");
    auto result = platform::loadDeviceProfile(path);
    if (!result) {
        ADD_FAILURE() << result.error().describe();
        return std::nullopt;
    }
    return result.value();
}

platform::Bytes readPhoneFile(const std::string& phonePath) {
    auto bytes = ns::FileSystem::shared().readFile(phonePath);
    return bytes ? *bytes : platform::Bytes{};
}

void HostTest::SetUp() {
    std::string templ = (std::filesystem::temp_directory_path() / "lumora-host-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    root_ = templ;
    ns::FileSystem::shared().setRoot(root_);
    ASSERT_TRUE(ns::FileSystem::shared().layOutRoot());
    objc::Injection::shared().uninstallAll();
    // Each test starts with the phone held upright, whatever the test before left.
    UIDevice::currentDevice().setOrientation(1);
}

void HostTest::TearDown() {
    app_.kill();
    objc::Injection::shared().uninstallAll();
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

bool HostTest::launch(const std::string& shortName, const host::LaunchOptions& options) {
    profile_ = loadProfile(shortName);
    if (!profile_) return false;
    app_.launch(*profile_, options);
    return app_.isRunning();
}

}  // namespace hosttest
