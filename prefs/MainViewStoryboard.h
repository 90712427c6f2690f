#pragma once
// The bundle's storyboard "MainView": its screens by identifier ("mainview", "AF",
// "manualPage1" to "manualPage4"). An unknown identifier gives null.

#include <memory>
#include <string>

class UIViewController;

namespace prefs {

inline constexpr int kManualPageCount = 4;

std::shared_ptr<UIViewController> instantiateViewControllerWithIdentifier(
    const std::string& identifier);

}  // namespace prefs
