#include "prefs/MainViewStoryboard.h"

#include "prefs/AFViewController.h"
#include "prefs/LU_MainViewController.h"
#include "prefs/ManualViewController.h"

namespace prefs {

std::shared_ptr<UIViewController> instantiateViewControllerWithIdentifier(
    const std::string& identifier) {
    if (identifier == "mainview") return std::make_shared<LU_MainViewController>();
    if (identifier == "AF") return std::make_shared<AFViewController>();
    for (int page = 1; page <= kManualPageCount; ++page) {
        if (identifier == "manualPage" + std::to_string(page)) {
            return std::make_shared<ManualViewController>(page);
        }
    }
    return nullptr;
}

}  // namespace prefs
