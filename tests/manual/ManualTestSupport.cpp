#include "ManualTestSupport.h"

#include "core/Preferences.h"
#include "core/Startup.h"
#include "core/TweakState.h"
#include "host/CaptureController.h"
#include "manual/CameraBarAccess.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyList.h"
#include "platform/objc/Injection.h"
#include "platform/ui/UIScrollView.h"
#include "tests/support/DeviceRoot.h"
#include "tools/Predicates.h"

namespace manualtest {

void ManualOnHost::SetUp() {
    root_ = testsupport::makeDeviceRoot("lumora-manual");
    ASSERT_FALSE(root_.empty());
    testsupport::installTranslations();
    objc::Injection::shared().uninstallAll();
    lumora::registerAddOn();
    ASSERT_TRUE(ns::FileSystem::shared().createDirectory("/User/Library/Preferences", true));
    ASSERT_TRUE(ns::writePropertyListAtomically(ns::Value(ns::Dictionary{{"ENABLED", true}}),
                                                lumora::preferencesPath()));
}

void ManualOnHost::TearDown() {
    app_.kill();
    objc::Injection::shared().uninstallAll();
    lumora::resetState();
    testsupport::removeDeviceRoot(root_);
}

void ManualOnHost::launch(const std::string& model, long mode,
                          const platform::DeviceProfile* changed) {
    host::LaunchOptions options;
    options.cameraMode = mode;
    app_.launch(changed != nullptr ? *changed : profile(model), options);
    app_.settle();
    app_.runFor(1.0);
}

// The wrench opens the camera bar, its first button turns advanced mode on, and its strip is
// turned to the second page, where the tabs are.
void ManualOnHost::openToolPage(bool advanced) {
    auto* wrench = dynamic_cast<UIView*>(lumora::state().wrenchButton.get());
    ASSERT_NE(wrench, nullptr);
    tapView(*wrench);
    UIScrollView* strip = lumora::cameraBarScrollview();
    ASSERT_NE(strip, nullptr);
    ASSERT_TRUE(lumora::state().showingButtonArray);
    if (advanced) {
        auto& s = lumora::state();
        auto* button = dynamic_cast<UIView*>(
            (lumora::isVideoMode() ? s.modeAdvVideoBtn : s.modeAdvCameraBtn).get());
        ASSERT_NE(button, nullptr);
        tapView(*button);
    }
    ASSERT_NE(lumora::FocusAndExposureToolController::shared(), nullptr);
    strip->setContentOffset(CGPointMake(strip->bounds().size.width, 0), true);
    app_.runFor(0.5);
}

void ManualOnHost::tapView(const UIView& view) {
    app_.tap(host::CameraApp::centreInWindow(view));
    app_.runFor(0.5);
}

void ManualOnHost::dragRuler(const lumora::DialScrollview& ruler, double dx, int steps) {
    const CGPoint from = host::CameraApp::centreInWindow(ruler);
    app_.touch(0, UITouchPhaseBegan, from);
    for (int i = 1; i <= steps; ++i) {
        app_.runFor(1.0 / 60);
        app_.touch(0, UITouchPhaseMoved, CGPointMake(from.x + dx * i / steps, from.y));
    }
    app_.touch(0, UITouchPhaseEnded, CGPointMake(from.x + dx, from.y));
}

lumora::FocusAndExposureToolController& ManualOnHost::tools() const {
    auto* t = lumora::FocusAndExposureToolController::shared();
    EXPECT_NE(t, nullptr);
    return *t;
}

AVCaptureDevice& ManualOnHost::device() const {
    return *app_.captureController()->currentDevice();
}

std::string ManualOnHost::readout(const lumora::DialScrollview& ruler) const {
    const UILabel* label = ruler.valueLabel();
    return label != nullptr ? label->text() : "(no label)";
}

}  // namespace manualtest
