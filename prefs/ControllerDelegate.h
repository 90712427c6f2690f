#pragma once
// What the bundle's screens ask of the root controller: navigation on the Settings stack and
// storing a value in the preferences file.

#include <memory>
#include <string>

#include "platform/foundation/Value.h"

class UIViewController;

namespace prefs {

class Bundle_Template_ControllerDelegate {
public:
    virtual ~Bundle_Template_ControllerDelegate() = default;
    virtual void pushController(const std::shared_ptr<UIViewController>& controller) = 0;
    // Back one screen.
    virtual void popController() = 0;
    // Stores the value under the key in the file; false when the file could not be written.
    virtual bool setObjectForKeyInPreferences(const ns::Value& value, const std::string& key) = 0;
};

using WeakDelegate = std::weak_ptr<Bundle_Template_ControllerDelegate>;

}  // namespace prefs
