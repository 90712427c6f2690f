// An add-on's replacement of a host method takes effect at the host's moment, and the original
// stays callable; with no add-on or an idle one the host behaves the same.

#include <gtest/gtest.h>

#include "HostTestSupport.h"
#include "host/CameraView.h"
#include "host/CaptureController.h"
#include "hostapi/HostAPI.h"
#include "platform/objc/Hook.h"
#include "platform/objc/Injection.h"

namespace hosttest {
namespace {

// What the test add-on saw.
struct Seen {
    int modeCalls = 0;
    long lastMode = -1;
    long lastDevice = -1;
    bool controllerHadOldMode = false;
    int constructorRuns = 0;
    bool classesExisted = false;
};
Seen seen;

objc::Imp<void, long, long> originalSetCameraMode = nullptr;
objc::Imp<bool> originalShouldShowFocus = nullptr;

void replacementSetCameraMode(id self, SEL cmd, long mode, long device) {
    ++seen.modeCalls;
    seen.lastMode = mode;
    seen.lastDevice = device;
    auto* c = dynamic_cast<CAMCaptureController*>(self);
    seen.controllerHadOldMode =
        c != nullptr && (c->cameraMode() != mode || c->cameraDevice() != device);
    host::log().record("addOnSetCameraMode");
    if (originalSetCameraMode != nullptr) originalSetCameraMode(self, cmd, mode, device);
}

bool replacementShouldShowFocus(id, SEL) {
    return false;  // never the host's focus square
}

void testAddOn() {
    ++seen.constructorRuns;
    objc::Class* controller = objc_getClass("CAMCaptureController");
    seen.classesExisted = controller != nullptr && objc_getClass("CAMCameraView") != nullptr;
    ASSERT_EQ(objc::hook<hostsel::CAMCaptureController::_setCameraMode_cameraDevice>(
                  controller, replacementSetCameraMode, &originalSetCameraMode),
              objc::HookResult::Replaced);
    ASSERT_EQ(
        objc::hook<hostsel::CAMCameraView::_shouldShowFocus>(
            objc_getClass("CAMCameraView"), replacementShouldShowFocus, &originalShouldShowFocus),
        objc::HookResult::Replaced);
}

void idleAddOn() {
    ++seen.constructorRuns;
}

TEST_F(HostTest, AReplacementRunsAtTheHostsMomentAndTheOriginalStillWorks) {
    seen = {};
    objc::Injection::shared().install("TestAddOn", testAddOn);
    ASSERT_TRUE(launch("iphone6"));
    EXPECT_EQ(seen.constructorRuns, 1);
    EXPECT_TRUE(seen.classesExisted) << "the host registers its classes before the injection step";
    EXPECT_TRUE(app_.log().inOrder({"launch", "injection", "viewDidAppear"}));
    // Launch: the set-up's mode change went through the replacement.
    EXPECT_EQ(seen.modeCalls, 1);
    EXPECT_TRUE(app_.log().inOrder(
        {"setCameraMode:device:", "_setCameraMode:cameraDevice:", "addOnSetCameraMode",
         "_photoModeSessionPresetForMode:device:"}));
    app_.runFor(0.5);

    const std::size_t mark = app_.log().size();
    app_.flip();
    app_.runFor(0.3);
    EXPECT_EQ(seen.modeCalls, 2);
    EXPECT_EQ(seen.lastDevice, 1);
    EXPECT_TRUE(seen.controllerHadOldMode) << "the replacement runs before the host's own work";
    EXPECT_TRUE(app_.log().inOrder(
        {"setCameraMode:device:", "addOnSetCameraMode", "cameraControllerModeDidChange:"}, mark));
    // The original did its work: the front camera is in use.
    host::CaptureController* c = app_.captureController();
    EXPECT_EQ(c->cameraDevice(), 1);
    ASSERT_NE(c->currentDevice(), nullptr);
    EXPECT_EQ(c->currentDevice()->position(), AVCaptureDevicePositionFront);

    // The host honours the replacement's answer: no focus square, the focus still moves.
    app_.flip();
    app_.runFor(0.3);
    const auto& preview = app_.cameraView()->previewView();
    app_.tap(preview->convertPointToView(CGPointMake(100, 100), nullptr));
    EXPECT_FALSE(preview->isShowingFocus());
    EXPECT_NE(c->currentDevice()->focusPointOfInterest().x, 0.5);
    // And the original answers as before when called directly.
    ASSERT_NE(originalShouldShowFocus, nullptr);
    EXPECT_TRUE(originalShouldShowFocus(app_.cameraView(), "_shouldShowFocus"));
}

TEST_F(HostTest, ARelaunchStartsWithoutTheOldReplacements) {
    seen = {};
    objc::Injection::shared().install("TestAddOn", testAddOn);
    ASSERT_TRUE(launch("iphone6"));
    objc::Injection::shared().uninstall("TestAddOn");
    objc::Injection::shared().install("Idle", idleAddOn);
    const int before = seen.modeCalls;
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    app_.flip();
    app_.runFor(0.3);
    EXPECT_EQ(seen.modeCalls, before) << "a new process has the host's own methods only";
    EXPECT_EQ(app_.captureController()->cameraDevice(), 1);
    EXPECT_EQ(app_.log().count("addOnSetCameraMode"), 1u);
}

TEST_F(HostTest, WithoutInjectionTheHostWorksOnItsOwn) {
    seen = {};
    objc::Injection::shared().install("TestAddOn", testAddOn);
    host::LaunchOptions options;
    options.runInjection = false;
    ASSERT_TRUE(launch("iphone5s", options));
    EXPECT_EQ(seen.constructorRuns, 0);
    app_.runFor(0.5);
    ASSERT_TRUE(app_.setMode("SQUARE"));
    app_.tapShutter();
    app_.settle();
    EXPECT_EQ(app_.savedPhotos().size(), 1u);
    EXPECT_EQ(app_.log().count("addOnSetCameraMode"), 0u);
}

}  // namespace
}  // namespace hosttest
