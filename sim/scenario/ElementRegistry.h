#pragma once
// Names for the views scenarios touch and check ("shutter", "flip", "wrench"). The host's
// controls are registered here; later parts register the add-on's named controls the same way.
// Names start with a lower-case letter and may hold letters, digits and '-'.

#include <functional>
#include <map>
#include <string>
#include <vector>

class UIView;

namespace sim {

// Finds the view under `root`; null when it is not there.
using ElementFinder = std::function<UIView*(UIView& root)>;

struct Element {
    std::string name;
    std::string description;
    ElementFinder find;
};

class ElementRegistry {
public:
    // The registry with the built-in names.
    static ElementRegistry& shared();
    ElementRegistry(const ElementRegistry&) = delete;
    ElementRegistry& operator=(const ElementRegistry&) = delete;

    // False (nothing added) for a malformed name; replaces an element of the same name.
    bool add(Element element);
    // A view of class `className` (and `tag` when not negative).
    bool addClass(const std::string& name, const std::string& description,
                  const std::string& className, long tag = -1);
    // The visible control going by `controlText`: a button with that title, or a control (a
    // switch, a cell's button) whose row holds a label with that text (host::controlName).
    // Settings screens name their cells and switches this way.
    bool addNamedControl(const std::string& name, const std::string& description,
                         const std::string& controlText);
    // The visible view whose accessibility identifier is the element's name.
    bool addIdentified(const std::string& name, const std::string& description);
    const Element* find(const std::string& name) const;
    std::vector<const Element*> all() const;

    static bool isValidName(const std::string& name);

private:
    ElementRegistry() = default;
    std::map<std::string, Element> elements_;
};

// The first view under `root` whose class name is `className` (and tag `tag` when not
// negative); front-most first, visible ones preferred.
UIView* findViewOfClass(UIView& root, const std::string& className, long tag = -1);

void registerHostElements(ElementRegistry& registry);
// The add-on's selection dial: the dial itself, its action and switch circles.
void registerDialElements(ElementRegistry& registry);
// The add-on's focus and exposure tabs and rulers ("focus-tab", "lens-ruler", ...).
void registerManualElements(ElementRegistry& registry);
// The Settings app's own controls ("settings-back").
void registerSettingsElements(ElementRegistry& registry);
// The add-on's camera bar: "camera-bar", its buttons, captions and page arrows.
void registerCameraBarElements(ElementRegistry& registry);
// The add-on's guides, resolution picker, horizon level and tilt alert.
void registerCompanionElements(ElementRegistry& registry);

}  // namespace sim
