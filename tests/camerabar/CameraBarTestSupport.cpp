#include "CameraBarTestSupport.h"

#include "camerabar/CameraBar.h"
#include "camerabar/CameraBarView.h"
#include "core/Preferences.h"
#include "core/Startup.h"
#include "core/TweakState.h"
#include "platform/capture/CaptureHardware.h"
#include "platform/capture/DeviceProfile.h"
#include "platform/device/Device.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyList.h"
#include "tests/support/AddOnProcess.h"
#include "tests/support/DeviceProfiles.h"
#include "tests/support/DeviceRoot.h"

namespace camerabartest {

void BarOnHost::SetUp() {
    root_ = testsupport::makeDeviceRoot("lumora-camerabar");
    ASSERT_FALSE(root_.empty());
    testsupport::installTranslations();
    NSLocale::setPreferredLanguages({"en"});
}

void BarOnHost::TearDown() {
    app_.terminate();
    testsupport::endProcess();
    platform::CaptureHardware::uninstall();
    platform::Device::reset();
    testsupport::removeDeviceRoot(root_);
}

void BarOnHost::launch(const std::string& model, long mode, long device,
                       const ns::Dictionary& extra) {
    ns::Dictionary prefs{{"ENABLED", true}, {"blurButtonBar", true}};
    for (const auto& [key, value] : extra) prefs.set(key, value);
    ASSERT_TRUE(ns::writePropertyListAtomically(ns::Value(prefs), lumora::preferencesPath()));
    const platform::DeviceProfile* p = testsupport::profiles().find(model);
    ASSERT_NE(p, nullptr) << model;
    lumora::registerAddOn();
    host::LaunchOptions options;
    options.cameraMode = mode;
    options.cameraDevice = device;
    app_.launch(*p, options);
    app_.settle();
    app_.runFor(0.5);
    ASSERT_NE(lumora::currentCameraBar(), nullptr) << "no camera bar on " << model;
}

void BarOnHost::tapView(const UIView& view) {
    app_.tap(host::CameraApp::centreInWindow(view));
    app_.runFor(0.05);
}

void BarOnHost::tapWrench() {
    auto* wrench = dynamic_cast<UIView*>(lumora::state().wrenchButton.get());
    ASSERT_NE(wrench, nullptr);
    tapView(*wrench);
}

lumora::CameraBar& BarOnHost::bar() {
    return *lumora::currentCameraBar();
}

lumora::CameraBarView& BarOnHost::strip() {
    return *lumora::currentCameraBarView();
}

std::optional<ns::Dictionary> BarOnHost::storedPrefs() const {
    return ns::readDictionaryFile(lumora::preferencesPath());
}

}  // namespace camerabartest
