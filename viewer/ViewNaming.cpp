#include "viewer/ViewNaming.h"

#include "platform/ui/UIWindow.h"
#include "sim/scenario/ElementRegistry.h"
#include "sim/scenario/ViewQuery.h"
#include "viewer/Requests.h"

namespace viewer {

std::optional<std::string> nameView(UIWindow& window, UIView& view) {
    for (const sim::Element* e : sim::ElementRegistry::shared().all()) {
        if (e->find && e->find(window) == &view) return e->name;
    }
    // A class word, checked by the scenario parser and found the way a scenario finds it.
    const std::string name = view.className();
    const std::string word = view.tag() != 0 ? name + "[" + std::to_string(view.tag()) + "]" : name;
    std::string error;
    if (const auto q = sim::parseViewQuery({word, false}, error)) {
        if (sim::findView(window, *q) == &view) return word;
    }
    if (const auto text = sim::viewText(view);
        text && !text->empty() && text->find_first_of("\n\r\t") == std::string::npos) {
        const auto q = sim::parseViewQuery({*text, true}, error);
        if (q && sim::findView(window, *q) == &view) return quoteWord(*text);
    }
    return std::nullopt;
}

std::optional<NamedView> nameViewAt(UIWindow& window, CGPoint point) {
    for (UIView* v = window.hitTest(point, nullptr); v != nullptr && v != &window;
         v = v->superview()) {
        if (auto word = nameView(window, *v)) return NamedView{*word, v};
    }
    return std::nullopt;
}

}  // namespace viewer
