#pragma once
// The bundle's root controller, made by the Settings app's loader: it shows the main screen,
// pushes the bundle's screens on the Settings navigation stack for them, and forwards their
// stores to the main screen.

#include <memory>
#include <string>

#include "platform/preferences/PSViewController.h"
#include "prefs/ControllerDelegate.h"

namespace prefs {

class LU_MainViewController;

class LU_PreferencesController : public PSViewController,
                                 public Bundle_Template_ControllerDelegate {
public:
    LU_OBJC_CLASS(LU_PreferencesController)
    LU_PreferencesController() = default;

    // The loader's entry: the screen flags, the main screen (with this as its delegate), the
    // texts. The content size is the size given.
    void initForContentSize(CGSize size) override;
    void InitTranslationDictionary();
    std::string navigationTitle() const override { return "Available Apps"; }

    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;

    // Opens the manual's first page from the nib for this device, with this as its delegate.
    void manualButtonTapped();

    void pushController(const std::shared_ptr<UIViewController>& controller) override;
    // The Settings screen's own push, not hidden by the delegate's.
    void pushController(const std::shared_ptr<UIViewController>& controller,
                        bool animated) override {
        PSViewController::pushController(controller, animated);
    }
    void popController() override;
    bool setObjectForKeyInPreferences(const ns::Value& value, const std::string& key) override;
    bool writePreferencesToFile();

    std::shared_ptr<LU_MainViewController> mainViewComtroller;

private:
    std::shared_ptr<LU_PreferencesController> self();
};

// Registers the bundle with the Settings app's loader under "LU3_Prefs" (once per program).
void registerPrefsBundle();

}  // namespace prefs
