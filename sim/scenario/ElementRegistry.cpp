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

void registerSettingsElements(ElementRegistry& r) {
    r.add({"settings-back", "the Settings app's back button (navigation bar)",
           [](UIView& root) -> UIView* {
               auto* bar = dynamic_cast<host::SettingsNavigationBar*>(
                   findViewOfClass(root, "UINavigationBar"));
               return bar != nullptr ? bar->backButton().get() : nullptr;
           }});
}

}  // namespace sim
