#pragma once
// A minimal Settings app: a list of the installed settings bundles (a bundle is installed when
// "/Library/PreferenceBundles/<name>.bundle" exists in the device root and a root controller
// factory is registered under <name>), each opening the bundle's root controller on a
// navigation stack, on which the bundle pushes its further screens. A navigation bar shows the
// screen's title and a back button.
//
// What the user does is logged: every control touched in the app's window (the list's rows,
// the back button, a bundle's cells and switches) reports its action with the control's name,
// which is its title, or else the text of the label in its row ("Enabled" for a switch in a
// cell labelled "Enabled").

#include <memory>
#include <string>
#include <vector>

#include "host/EventLog.h"
#include "platform/preferences/PSViewController.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UINavigationController.h"
#include "platform/ui/UIWindow.h"

namespace host {

inline constexpr const char* kSettingsBundleIdentifier = "com.apple.Preferences";

class SettingsNavigationBar;

// The name a control goes by: its accessibility identifier, else a button's title, else the text of
// the first label beside it in its row (its superview), else empty.
std::string controlName(const UIView& control);
// The visible control named `name` under `root` (front-most first); null when there is none.
UIControl* findNamedControl(UIView& root, const std::string& name);

class SettingsApp {
public:
    SettingsApp();
    ~SettingsApp();
    SettingsApp(const SettingsApp&) = delete;
    SettingsApp& operator=(const SettingsApp&) = delete;

    // Starts the Settings process and shows the list. A running camera lives on beside it in
    // the background; settings bundles reach it through system("killall -9 Camera").
    void launch();
    void terminate();
    bool isRunning() const { return running_; }
    // Another app comes to the front / Settings comes back, as it was left.
    void background();
    void foreground();
    bool isInBackground() const { return background_; }

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
    SettingsNavigationBar* navigationBar() const { return bar_.get(); }

    // What the app did: "launch", "openBundle", "back", "terminate", and the user's actions on
    // controls: "tap" (a touch lifted inside) and "valueChanged" (with "on" or "off" after the
    // name for a control that is selected or not), each with the control's name.
    EventLog& log() { return log_; }
    const EventLog& log() const { return log_; }

    // Starts logging a control's actions (once per control). The window does it for every
    // control a touch reaches.
    void watchControl(UIControl& control);
    // Shows the top screen's title and back button.
    void updateNavigationBar();

private:
    void processReset();
    void dropWindow();

    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<UINavigationController> navigation_;
    std::shared_ptr<SettingsNavigationBar> bar_;
    // Receives the logging actions; the controls hold it weakly.
    std::shared_ptr<NSObject> watcher_;
    std::vector<std::weak_ptr<NSObject>> watched_;
    EventLog log_;
    bool running_ = false;
    bool background_ = false;
    bool launching_ = false;
    int resetHook_ = 0;
};

}  // namespace host
