#pragma once
// A minimal Settings app: a list of the installed settings bundles (a bundle is installed when
// "/Library/PreferenceBundles/<name>.bundle" exists in the device root and a root controller
// factory is registered under <name>), each opening the bundle's root controller on a
// navigation stack, on which the bundle pushes its further screens.

#include <memory>
#include <string>
#include <vector>

#include "platform/preferences/PSViewController.h"
#include "platform/ui/UINavigationController.h"
#include "platform/ui/UIWindow.h"

namespace host {

inline constexpr const char* kSettingsBundleIdentifier = "com.apple.Preferences";

class SettingsApp {
public:
    SettingsApp();
    ~SettingsApp();
    SettingsApp(const SettingsApp&) = delete;
    SettingsApp& operator=(const SettingsApp&) = delete;

    // Starts the Settings process (ending any other app's process) and shows the list.
    void launch();
    void terminate();
    bool isRunning() const { return running_; }

    // The bundles the list shows, sorted.
    std::vector<std::string> bundleNames() const;
    // Opens a bundle's page: its root controller, sized to the screen and pushed. Null when the
    // bundle is not installed, has no factory, or the app does not run.
    std::shared_ptr<PSViewController> openBundle(const std::string& name, bool animated = false);
    // Back one screen.
    void back(bool animated = false);

    std::shared_ptr<UIWindow> window() const { return window_; }
    UINavigationController* navigationController() const { return navigation_.get(); }
    UIViewController* topController() const;

private:
    void processReset();

    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<UINavigationController> navigation_;
    bool running_ = false;
    bool launching_ = false;
    int resetHook_ = 0;
};

}  // namespace host
