#include <gtest/gtest.h>

#include "TweakTestSupport.h"
#include "core/HookTable.h"
#include "core/Preferences.h"
#include "core/Startup.h"
#include "hostapi/ReplaceableMethods.h"
#include "platform/device/Process.h"
#include "platform/foundation/Locale.h"
#include "platform/objc/Injection.h"
#include "tools/CAM_Tools.h"

namespace {

using namespace lumora;
using tweaktest::DeviceRootTest;
using tweaktest::FakeCaptureController;

class Startup : public DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        installTranslations();
    }
    // The host's classes as the camera app registers them at launch.
    void registerHost() {
        tweaktest::registerCaptureController(&controller);
        tweaktest::registerHostClasses();
    }
    objc::Class* controllerClass() { return objc_getClass("CAMCaptureController"); }
    const objc::Method* method(const char* cls, SEL sel) {
        objc::Class* c = objc_getClass(cls);
        return c == nullptr ? nullptr : c->findMethod(sel);
    }
    // The implementations the host registered, to tell replaced methods apart.
    std::vector<void (*)()> hostImps() {
        std::vector<void (*)()> imps;
        for (const HookRow& r : hookTable()) {
            const objc::Method* m = method(r.className, r.selector);
            imps.push_back(m == nullptr ? nullptr : m->imp);
        }
        return imps;
    }
    FakeCaptureController controller;
};

TEST_F(Startup, PreferredLanguageChoosesTheTranslationFolder) {
    EXPECT_EQ(translationFolderFor("de"), "Base");
    EXPECT_EQ(translationFolderFor("fr-CA"), "Base");
    EXPECT_EQ(translationFolderFor("zh-Hant"), "zh-Hant");
    EXPECT_EQ(translationFolderFor("ja"), "ja");
    EXPECT_EQ(translationsPathFor("fr"),
              "Library/PreferenceBundles/LU3_Prefs.bundle/fr.lproj/Localizable.strings");

    NSLocale::setPreferredLanguages({"de", "zh-Hant"});
    Lumora3Initialize();
    EXPECT_EQ(CAM_Tools::GetResource("TIMER"), "Timer");

    launch("com.apple.camera");
    NSLocale::setPreferredLanguages({"zh-Hant", "en"});
    Lumora3Initialize();
    EXPECT_EQ(CAM_Tools::GetResource("TIMER"), "計時器");
    EXPECT_EQ(CAM_Tools::GetResource("NO_SUCH_KEY"), "NO_SUCH_KEY needs translation!");
}

TEST_F(Startup, MissingStringsFileLeavesTheTableNull) {
    std::filesystem::remove_all(hostPath("/Library/PreferenceBundles"));
    Lumora3Initialize();
    EXPECT_FALSE(state().translations.has_value());
    EXPECT_EQ(CAM_Tools::GetResource("TIMER"), "TIMER needs translation!");
}

TEST_F(Startup, IPhone6ScreenZoom) {
    Lumora3Initialize();
    EXPECT_EQ(state().screensize, 2);
    EXPECT_FALSE(state().screenIsZoomed);
    EXPECT_TRUE(state().DEVICE_SUPPORTS_SLOMO);
    EXPECT_TRUE(state().HAS_CAMSLALOMVIEW_ALWAYS_SHOW);
    EXPECT_FALSE(state().HAS_MAX_60_FPS);

    auto zoomed = tweaktest::iPhone6();
    zoomed.zoomedBounds = CGRectMake(0, 0, 320, 568);
    useDevice(zoomed);
    Lumora3Initialize();
    EXPECT_EQ(state().screensize, 2);
    EXPECT_TRUE(state().screenIsZoomed);
}

TEST_F(Startup, IPhone6PlusZoomThresholdAndOtherModels) {
    auto plus = tweaktest::iPhone6();
    plus.modelIdentifier = "iPhone7,1";
    plus.screenBounds = CGRectMake(0, 0, 414, 736);
    useDevice(plus);
    Lumora3Initialize();
    EXPECT_EQ(state().screensize, 3);
    EXPECT_FALSE(state().screenIsZoomed);
    plus.zoomedBounds = CGRectMake(0, 0, 375, 667);
    useDevice(plus);
    Lumora3Initialize();
    EXPECT_TRUE(state().screenIsZoomed);

    auto touch = tweaktest::iPhone6();
    touch.modelIdentifier = "iPod5,1";
    touch.screenBounds = CGRectMake(0, 0, 320, 568);
    useDevice(touch);
    Lumora3Initialize();
    EXPECT_EQ(state().screensize, 1);
    EXPECT_TRUE(state().HAS_MAX_60_FPS);
    EXPECT_FALSE(state().DEVICE_SUPPORTS_SLOMO);
    EXPECT_FALSE(state().screenIsZoomed);
}

TEST_F(Startup, IPadFlags) {
    useDevice(tweaktest::iPad("iPad5,3"));
    Lumora3Initialize();
    EXPECT_TRUE(state().DEVICE_SUPPORTS_SLOMO);
    EXPECT_EQ(state().screensize, 0);
    EXPECT_FALSE(state().HAS_CAMSLALOMVIEW_ALWAYS_SHOW);
    EXPECT_FALSE(state().screenIsZoomed);
}

TEST_F(Startup, EnabledCameraInstallsEveryBuiltRowInTableOrder) {
    registerHost();
    const auto before = hostImps();
    Lumora3Initialize();
    EXPECT_TRUE(state().ACTIVATE);
    EXPECT_EQ(state().guideIndex, 3);   // InitVariables ran
    EXPECT_TRUE(state()._didSetPrefs);  // LoadPrefs ran
    const auto after = hostImps();
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_NE(after[i], before[i]) << hookTable()[i].selector;
    }
}

TEST_F(Startup, DisabledAddOnLeavesTheHostUntouched) {
    writePrefs(ns::Dictionary{{"ENABLED", false}});
    registerHost();
    const auto before = hostImps();
    Lumora3Initialize();
    EXPECT_FALSE(state().ACTIVATE);
    EXPECT_EQ(hostImps(), before);
    EXPECT_FALSE(
        objc::send<hostsel::CAMCaptureController::canCapturePhotoDuringRecording>(&controller));
    // Texts and device flags are still set.
    EXPECT_TRUE(state().translations.has_value());
    EXPECT_TRUE(state().DEVICE_SUPPORTS_SLOMO);
}

TEST_F(Startup, OtherAppsGetNothingReplacedAndNoState) {
    launch("com.apple.Preferences");
    registerHost();
    const auto before = hostImps();
    Lumora3Initialize();
    EXPECT_EQ(hostImps(), before);
    EXPECT_FALSE(state()._didSetPrefs);
    EXPECT_EQ(state().guideIndex, 0);
    EXPECT_TRUE(state().translations.has_value());
    EXPECT_EQ(state().screensize, 2);
}

TEST_F(Startup, TheInjectionFrameworkRunsTheConstructorAtLaunch) {
    registerAddOn();
    registerHost();
    objc::Injection::shared().runConstructors();
    EXPECT_TRUE(state()._didSetPrefs);
    EXPECT_TRUE(
        objc::send<hostsel::CAMCaptureController::canCapturePhotoDuringRecording>(&controller));
    // A relaunch starts from a clean state, as a freshly loaded library does.
    platform::Process::launch("com.apple.camera");
    EXPECT_FALSE(state()._didSetPrefs);
    EXPECT_FALSE(state().translations.has_value());
    objc::Injection::shared().uninstall(kAddOnName);
}

TEST_F(Startup, TheTableListsThe73MethodsAndBuiltRowsFollowItsOrder) {
    const auto& all = hostapi::kReplaceableMethods;
    ASSERT_EQ(all.size(), 73u);
    EXPECT_STREQ(all[0].selector, "didReceiveMemoryWarning");
    EXPECT_STREQ(all[69].selector, "_setCameraMode:cameraDevice:");
    EXPECT_STREQ(all[72].selector, "canCapturePhotoDuringRecording");
    std::size_t next = 0;
    for (const HookRow& r : hookTable()) {
        while (next < all.size() && !(std::string_view(all[next].className) == r.className &&
                                      std::string_view(all[next].selector) == r.selector)) {
            ++next;
        }
        ASSERT_LT(next, all.size()) << r.className << " " << r.selector << " out of order";
        ++next;
    }
}

TEST_F(Startup, MissingHostClassIsSkippedAndTheRestInstalled) {
    tweaktest::registerCaptureController(&controller);  // no other host classes
    EXPECT_EQ(installHooks(), 4u);
    EXPECT_TRUE(
        objc::send<hostsel::CAMCaptureController::canCapturePhotoDuringRecording>(&controller));
}

class Hooks : public Startup {
protected:
    void SetUp() override {
        Startup::SetUp();
        registerHost();
        Lumora3Initialize();
    }
};

TEST_F(Hooks, CanChangeFocusIsRefusedOnceAfterATouchOnTheCameraBar) {
    namespace cc = hostsel::CAMCaptureController;
    EXPECT_TRUE(objc::send<cc::canChangeFocusOrExposure>(&controller));
    state().skipOneTimeCanFocus = true;
    EXPECT_FALSE(objc::send<cc::canChangeFocusOrExposure>(&controller));
    EXPECT_FALSE(state().skipOneTimeCanFocus);
    EXPECT_TRUE(objc::send<cc::canChangeFocusOrExposure>(&controller));
    controller.hostCanChangeFocus = false;
    EXPECT_FALSE(objc::send<cc::canChangeFocusOrExposure>(&controller));
}

TEST_F(Hooks, StartPreviewCallsTheHostThenRereadsThePreferences) {
    writePrefs(ns::Dictionary{{"showFPS", false}});
    objc::send<hostsel::CAMCaptureController::startPreview>(&controller);
    EXPECT_EQ(controller.startPreviewCalls, 1);
    EXPECT_FALSE(state().showFPS);
}

TEST_F(Hooks, InstallingTwiceKeepsTheHostsOriginal) {
    EXPECT_EQ(installHooks(), hookTable().size());
    objc::send<hostsel::CAMCaptureController::startPreview>(&controller);
    EXPECT_EQ(controller.startPreviewCalls, 1);
}

TEST_F(Hooks, SessionStoppedClearsTheFlagAndCallsTheHost) {
    state().sessionHasStarted = true;
    objc::send<hostsel::CAMCaptureController::_sessionStopped>(&controller, nullptr);
    EXPECT_FALSE(state().sessionHasStarted);
    EXPECT_EQ(controller.sessionStoppedCalls, 1);
}

class BurstSession : public CAMAvalancheSession {};

TEST_F(Hooks, BurstSessionLifeIsRecorded) {
    auto session = std::make_shared<BurstSession>();
    EXPECT_EQ(objc::send<hostsel::CAMAvalancheSession::init>(session.get()), session.get());
    EXPECT_TRUE(state().isBursting);
    objc::send<hostsel::CAMAvalancheSession::dealloc>(session.get());
    EXPECT_FALSE(state().isBursting);
}

class ZoomSlider : public CAMZoomSlider {
public:
    void makeInvisible() override {}
};

TEST_F(Hooks, ZoomSliderIsKeptWithoutBeingOwned) {
    auto slider = std::make_shared<ZoomSlider>();
    EXPECT_EQ(objc::send<hostsel::CAMZoomSlider::initWithFrame>(slider.get(), CGRectZero),
              slider.get());
    EXPECT_EQ(state()._CAMZoomSlider.lock(), slider);
    slider.reset();
    EXPECT_TRUE(state()._CAMZoomSlider.expired());
}

}  // namespace
