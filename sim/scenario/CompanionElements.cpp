// Names for the add-on's composition guides, resolution picker, horizon level and tilt alert.
#include <string>

#include "core/TweakState.h"
#include "overlays/OverlaySelectionController.h"
#include "platform/ui/UIView.h"
#include "sim/scenario/ElementRegistry.h"

namespace sim {
namespace {

// A guide button, looked up inside the guide page only (the mode buttons use tags 1 to 3 too).
UIView* guideButton(UIView& root, long tag) {
    UIView* page = findViewOfClass(root, "UIView", lumora::kGuidePageTag);
    if (page == nullptr) return nullptr;
    for (const auto& sub : page->subviews()) {
        if (std::string(sub->className()) == "CustomDrawButton" && sub->tag() == tag) {
            return sub.get();
        }
    }
    return nullptr;
}

// One of the add-on's own views, when it is in the running app's tree under `root`.
UIView* onScreen(UIView& root, const std::shared_ptr<NSObject>& object) {
    auto* view = dynamic_cast<UIView*>(object.get());
    return view != nullptr && view->isDescendantOfView(&root) ? view : nullptr;
}

}  // namespace

void registerCompanionElements(ElementRegistry& r) {
    const std::pair<const char*, long> guides[] = {
        {"guide-thirds", 1}, {"guide-golden", 2}, {"guide-trisection", 3}, {"guide-square", 4}};
    for (const auto& [name, tag] : guides) {
        r.add({name,
               std::string("the guide button of tag ") + std::to_string(tag) +
                   " (camera bar, third page)",
               [tag = tag](UIView& root) { return guideButton(root, tag); }});
    }
    r.addClass("guide-page", "the camera bar's page of guide buttons", "UIView",
               lumora::kGuidePageTag);
    r.addClass("guide-overlay", "the composition guide drawn over the preview", "OverlayDrawView");
    r.addClass("resolution-badge", "the resolution badge (opens the resolution picker)",
               "CustomSlalomIndicatorView", 125);
    r.addClass("resolution-picker", "the resolution picker panel", "CustomDimensionView");
    for (const int height : {144, 288, 360, 480, 540, 720, 960, 1080, 1936, 2448}) {
        r.addClass("resolution-" + std::to_string(height),
                   "the resolution picker's " + std::to_string(height) + "p button",
                   "CustomDimensionViewButton", height);
    }
    r.add({"horizon-button", "the horizon level's button in the top bar",
           [](UIView& root) { return onScreen(root, lumora::state().horizonAlignmentBtn); }});
    r.add({"horizon-base", "the horizon level's ring over the preview",
           [](UIView& root) { return onScreen(root, lumora::state().horizontalAlignmentBase); }});
    r.add({"horizon-needle", "the horizon level's needle over the preview", [](UIView& root) {
               return onScreen(root, lumora::state().horizontalAlignmentIndicator);
           }});
    r.addClass("tilt-alert", "the vertical-tilt alert in the top bar", "VerticalAlertImageView");
}

}  // namespace sim
