// Ending the Camera app from a settings switch, relaunching it fresh, and the Settings app that
// shows a settings bundle's screens.

#include <gtest/gtest.h>

#include "HostTestSupport.h"
#include "host/CaptureController.h"
#include "host/SettingsApp.h"
#include "host/System.h"
#include "platform/device/Process.h"
#include "platform/foundation/FileSystem.h"
#include "platform/objc/Runtime.h"

namespace hosttest {
namespace {

TEST_F(HostTest, KillallEndsTheCameraAndARelaunchStartsFresh) {
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    app_.setMode("VIDEO");
    app_.tapShutter();  // recording
    ASSERT_TRUE(app_.captureController()->isRecording());
    EXPECT_EQ(host::system("killall -9 Camera"), 0);
    EXPECT_FALSE(app_.isRunning());
    EXPECT_FALSE(platform::Process::isRunning());
    EXPECT_EQ(objc_getClass("CAMCaptureController"), nullptr) << "the process's classes are gone";
    EXPECT_EQ(host::system("killall -9 Camera"), 256) << "nothing left to kill";
    // Actions on a dead app do nothing.
    app_.tapShutter();
    app_.rotate(3);
    app_.background();

    app_.launch(*profile_);
    ASSERT_TRUE(app_.isRunning());
    EXPECT_EQ(app_.captureController()->cameraMode(), 0);
    EXPECT_FALSE(app_.captureController()->isRecording());
    EXPECT_NE(objc_getClass("CAMCaptureController"), nullptr);
}

TEST_F(HostTest, SystemRunsNoOtherCommand) {
    ASSERT_TRUE(launch("iphone6"));
    EXPECT_EQ(host::system(nullptr), -1);
    EXPECT_EQ(host::system("killall -9 Camera; rm -rf /"), -1);
    EXPECT_EQ(host::system("killall Camera"), -1);
    EXPECT_EQ(host::system("touch /tmp/lumora-should-not-exist"), -1);
    EXPECT_FALSE(std::filesystem::exists("/tmp/lumora-should-not-exist"));
    EXPECT_TRUE(app_.isRunning());
    EXPECT_EQ(app_.log().count("systemRefused"), 3u);
}

class TestPrefsRoot : public PSViewController {
public:
    void viewDidLoad() override { setTitle("Test"); }
};

TEST_F(HostTest, SettingsShowsInstalledBundlesAndTheirScreens) {
    platform::PreferenceBundles::registerBundle("TestPrefs",
                                                [] { return std::make_shared<TestPrefsRoot>(); });
    platform::PreferenceBundles::registerBundle("NotInstalled",
                                                [] { return std::make_shared<TestPrefsRoot>(); });
    ASSERT_TRUE(ns::FileSystem::shared().createDirectory(
        "/Library/PreferenceBundles/TestPrefs.bundle", true));
    ASSERT_TRUE(launch("iphone6"));

    host::SettingsApp settings;
    settings.launch();
    EXPECT_TRUE(app_.isRunning()) << "the Camera's process lives on beside Settings";
    EXPECT_EQ(host::system("killall -9 Camera"), 0);
    EXPECT_FALSE(app_.isRunning());
    EXPECT_TRUE(settings.isRunning()) << "ending the Camera leaves Settings running";
    EXPECT_EQ(host::system("killall -9 Camera"), 256);
    EXPECT_EQ(settings.bundleNames(), std::vector<std::string>{"TestPrefs"});
    EXPECT_EQ(settings.openBundle("NotInstalled"), nullptr);
    EXPECT_EQ(settings.openBundle("Unknown"), nullptr);
    auto root = settings.openBundle("TestPrefs");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(settings.topController(), root.get());
    EXPECT_EQ(root->contentSize().width, 375);
    auto page = std::make_shared<UIViewController>();
    root->pushController(page, false);
    EXPECT_EQ(settings.topController(), page.get());
    settings.back();
    EXPECT_EQ(settings.topController(), root.get());
    settings.back();
    ASSERT_EQ(settings.navigationController()->viewControllers().size(), 1u);
    settings.terminate();
    platform::PreferenceBundles::unregisterBundle("TestPrefs");
    platform::PreferenceBundles::unregisterBundle("NotInstalled");
    EXPECT_FALSE(platform::PreferenceBundles::isRegistered("TestPrefs"));

    app_.launch(*profile_);
    EXPECT_TRUE(app_.isRunning());
}

TEST_F(HostTest, CameraLivesOnInTheBackgroundBesideSettingsUntilKilled) {
    ASSERT_TRUE(launch("iphone6"));
    app_.runFor(0.5);
    app_.background();
    EXPECT_TRUE(app_.log().inOrder({"stopPreviewAnimated:", "_applicationDidEnterBackground:"}))
        << "the background hooks ran";
    host::SettingsApp settings;
    settings.launch();
    EXPECT_EQ(platform::Process::alive(),
              (std::vector<std::string>{"com.apple.camera", "com.apple.Preferences"}));
    EXPECT_TRUE(app_.isRunning());
    EXPECT_NE(objc_getClass("CAMCaptureController"), nullptr) << "its classes and hooks stay";

    // Back to the camera: it resumes its preview in the same process.
    const std::size_t mark = app_.log().size();
    settings.background();
    app_.foreground();
    EXPECT_EQ(app_.log().find("startPreview", mark).has_value(), true);
    EXPECT_EQ(app_.log().count("launch"), 1u);
    EXPECT_EQ(platform::Process::current().bundleIdentifier(), "com.apple.camera");

    // Ended from Settings: only the camera goes; the shared state Settings runs on stays.
    app_.background();
    settings.foreground();
    EXPECT_EQ(host::system("killall -9 Camera"), 0);
    EXPECT_EQ(app_.log().events().back(), "killed");
    EXPECT_FALSE(app_.isRunning());
    EXPECT_EQ(platform::Process::alive(), std::vector<std::string>{"com.apple.Preferences"});
    EXPECT_NE(objc_getClass("UINavigationController"), nullptr);

    // A fresh camera start beside Settings; Settings comes back as it was.
    app_.launch(*profile_);
    EXPECT_TRUE(app_.isRunning());
    EXPECT_EQ(app_.log().count("launch"), 2u);
    EXPECT_TRUE(settings.isRunning());
    settings.foreground();
    EXPECT_NE(objc_getClass("UINavigationController"), nullptr) << "registered again";
    EXPECT_EQ(settings.topController()->title(), "Settings");
    settings.terminate();
    EXPECT_TRUE(app_.isRunning()) << "quitting Settings leaves the camera alone";
    EXPECT_EQ(platform::Process::alive(), std::vector<std::string>{"com.apple.camera"});
}

}  // namespace
}  // namespace hosttest
