#include "prefs/LU_PreferencesController.h"

#include "platform/device/Process.h"
#include "platform/device/UIDevice.h"
#include "platform/ui/UINavigationController.h"
#include "prefs/LU_MainViewController.h"
#include "prefs/MainViewStoryboard.h"
#include "prefs/ManualViewController.h"
#include "prefs/PrefsState.h"
#include "prefs/Translations.h"

namespace prefs {

std::shared_ptr<LU_PreferencesController> LU_PreferencesController::self() {
    return std::static_pointer_cast<LU_PreferencesController>(shared_from_this());
}

void LU_PreferencesController::initForContentSize(CGSize size) {
    PSViewController::initForContentSize(size);
    BundleState& s = state();
    s.IS_IPAD = static_cast<long>(UIDevice::currentDevice().userInterfaceIdiom()) == 1;
    s.IS_IPHONE_4 = UIScreen::mainScreen().bounds().size.height == 480;
    // The Settings app names the bundle's screen after its entry in the list.
    setTitle("Lumora3");
    mainViewComtroller = std::static_pointer_cast<LU_MainViewController>(
        instantiateViewControllerWithIdentifier("mainview"));
    mainViewComtroller->delegate = self();
    addChildViewController(mainViewComtroller);
    InitTranslationDictionary();
}

void LU_PreferencesController::InitTranslationDictionary() {
    prefs::InitTranslationDictionary();
}

void LU_PreferencesController::loadView() {
    PSViewController::loadView();
    if (mainViewComtroller) {
        auto v = view();
        auto main = mainViewComtroller->view();
        main->setFrame(v->bounds());
        v->addSubview(main);
    }
}

void LU_PreferencesController::viewWillAppear(bool animated) {
    if (mainViewComtroller) mainViewComtroller->viewWillAppear(animated);
}

void LU_PreferencesController::viewDidAppear(bool animated) {
    if (mainViewComtroller) mainViewComtroller->viewDidAppear(animated);
}

void LU_PreferencesController::manualButtonTapped() {
    const BundleState& s = state();
    const char* nib = s.IS_IPAD       ? "ManualPage1_ipad"
                      : s.IS_IPHONE_4 ? "ManualPage1_iphone_4"
                                      : "ManualPage1_iphone";
    auto manual = std::make_shared<ManualViewController>(nib, kBundlePath);
    manual->delegate = self();
    pushController(manual);
}

void LU_PreferencesController::pushController(const std::shared_ptr<UIViewController>& controller) {
    PSViewController::pushController(controller, true);
}

void LU_PreferencesController::popController() {
    if (UINavigationController* nav = navigationController()) nav->popViewController(true);
}

bool LU_PreferencesController::setObjectForKeyInPreferences(const ns::Value& value,
                                                            const std::string& key) {
    return mainViewComtroller && mainViewComtroller->setObjectForKeyInPreferences(value, key);
}

bool LU_PreferencesController::writePreferencesToFile() {
    return mainViewComtroller && mainViewComtroller->writePreferencesToFile();
}

void registerPrefsBundle() {
    static const bool registered = [] {
        platform::PreferenceBundles::registerBundle(
            "LU3_Prefs", [] { return std::make_shared<LU_PreferencesController>(); });
        // The bundle's values belong to the Settings process: they go when it ends.
        platform::Process::onReset([] {
            if (!platform::Process::isAlive("com.apple.Preferences")) resetState();
        });
        return true;
    }();
    (void)registered;
}

}  // namespace prefs
