#include "sim/scenario/ElementRegistry.h"

#include <cctype>

#include "host/SettingsApp.h"
#include "host/SettingsNavigationBar.h"
#include "hostapi/CAMBars.h"
#include "platform/ui/UIView.h"

namespace sim {

ElementRegistry& ElementRegistry::shared() {
    static ElementRegistry* registry = [] {
        auto* r = new ElementRegistry();
        registerHostElements(*r);
        registerManualElements(*r);
        registerSettingsElements(*r);
        registerCompanionElements(*r);
        registerDialElements(*r);
        registerCameraBarElements(*r);
        return r;
    }();
    return *registry;
}

bool ElementRegistry::isValidName(const std::string& name) {
    if (name.empty() || !std::islower(static_cast<unsigned char>(name.front()))) return false;
    for (const char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') return false;
    }
    return true;
}

bool ElementRegistry::add(Element element) {
    if (!isValidName(element.name) || !element.find) return false;
    std::string name = element.name;
    elements_[name] = std::move(element);
    return true;
}

bool ElementRegistry::addClass(const std::string& name, const std::string& description,
                               const std::string& className, long tag) {
    return add({name, description,
                [className, tag](UIView& root) { return findViewOfClass(root, className, tag); }});
}

bool ElementRegistry::addNamedControl(const std::string& name, const std::string& description,
                                      const std::string& controlText) {
    if (controlText.empty()) return false;
    return add({name, description, [controlText](UIView& root) -> UIView* {
                    return host::findNamedControl(root, controlText);
                }});
}

const Element* ElementRegistry::find(const std::string& name) const {
    const auto it = elements_.find(name);
    return it == elements_.end() ? nullptr : &it->second;
}

std::vector<const Element*> ElementRegistry::all() const {
    std::vector<const Element*> out;
    for (const auto& [name, element] : elements_) out.push_back(&element);
    return out;
}

void registerHostElements(ElementRegistry& r) {
    r.addClass("shutter", "the host's shutter button", "CAMShutterButton");
    r.addClass("menu", "the host's expandable menu button (flash, HDR)", "CAMExpandableMenuButton");
    r.addClass("filter", "the host's filter button", "CAMFilterButton");
    r.addClass("top-bar", "the host's top bar", "CAMTopBar");
    r.addClass("bottom-bar", "the host's bottom bar", "CAMBottomBar");
    r.addClass("preview", "the camera preview", "CAMPreviewView");
    r.addClass("camera-view", "the host's camera view", "CAMCameraView");
    r.addClass("zoom-slider", "the host's zoom slider", "CAMZoomSlider");
    r.add({"flip", "the host's camera flip button (top bar)", [](UIView& root) -> UIView* {
               auto* bar = dynamic_cast<CAMTopBar*>(findViewOfClass(root, "CAMTopBar"));
               return bar != nullptr ? bar->flipButton().get() : nullptr;
           }});
    r.add({"image-well", "the photo thumbnail of the bottom bar", [](UIView& root) -> UIView* {
               auto* bar = dynamic_cast<CAMBottomBar*>(findViewOfClass(root, "CAMBottomBar"));
               return bar != nullptr ? bar->imageWell().get() : nullptr;
           }});
    // The add-on's wrench button beside the thumbnail (its drawn glyph is tag 5).
    r.addClass("wrench", "the add-on's wrench button (opens the camera bar)", "CustomDrawButton",
               5);
}

namespace {

// The visible view under `root` going by `identifier`, front-most first.
UIView* findIdentified(UIView& view, const std::string& identifier) {
    if (view.isHidden() || view.alpha() <= 0) return nullptr;
    const auto& subviews = view.subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        if (*it == nullptr) continue;
        if (UIView* found = findIdentified(**it, identifier)) return found;
    }
    return view.accessibilityIdentifier() == identifier ? &view : nullptr;
}

}  // namespace

bool ElementRegistry::addIdentified(const std::string& name, const std::string& description) {
    return add({name, description,
                [name](UIView& root) -> UIView* { return findIdentified(root, name); }});
}

void registerSettingsElements(ElementRegistry& r) {
    // The Lumora3 settings screens, by the same names in every language.
    const std::pair<const char*, const char*> prefsControls[] = {
        {"prefs-back", "Lumora3 main screen: back to the Settings list"},
        {"prefs-enabled", "Lumora3 main screen: the master switch (ends the camera)"},
        {"prefs-adv-photo", "Lumora3 main screen: photo camera starts in advanced mode"},
        {"prefs-adv-video", "Lumora3 main screen: video camera starts in advanced mode"},
        {"prefs-remember", "Lumora3 main screen: remember camera bar settings"},
        {"prefs-remember-fps",
         "Lumora3 main screen: remember frame rate and resolution (off ends the camera)"},
        {"prefs-active-features", "Lumora3 main screen: the row opening the active features"},
        {"prefs-user-manual", "Lumora3 main screen: the row opening the user manual"},
        {"prefs-show-dimensions", "Lumora3 active features: resolution selector"},
        {"prefs-show-fps", "Lumora3 active features: frame-rate selector"},
        {"prefs-horizon", "Lumora3 active features: horizon alignment button"},
        {"prefs-vertical-alert", "Lumora3 active features: vertical video alert"},
        {"prefs-blur", "Lumora3 active features: blurred button bars"},
        {"prefs-unmirror", "Lumora3 active features: un-mirror selfies (ends the camera)"},
        {"manual-next", "Lumora3 user manual: the page's Next button"},
        {"manual-prev", "Lumora3 user manual: the page's Previous button"},
    };
    for (const auto& [name, description] : prefsControls) r.addIdentified(name, description);
    r.addNamedControl("settings-lumora3", "the Settings list's row of the Lumora3 bundle",
                      "LU3_Prefs");
    r.add({"settings-back", "the Settings app's back button (navigation bar)",
           [](UIView& root) -> UIView* {
               auto* bar = dynamic_cast<host::SettingsNavigationBar*>(
                   findViewOfClass(root, "UINavigationBar"));
               return bar != nullptr ? bar->backButton().get() : nullptr;
           }});
}

}  // namespace sim
