// Names for the camera bar's views: the strip, its six mode buttons, captions and page arrows.
#include "artwork/CustomDrawButton.h"
#include "camerabar/CameraBarView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"
#include "sim/scenario/ElementRegistry.h"

namespace sim {
namespace {

lumora::CameraBarView* cameraBarView(UIView& root) {
    return dynamic_cast<lumora::CameraBarView*>(findViewOfClass(root, "CameraBarView"));
}

// The n-th page arrow of the strip (1 the first page's), in the order they were added.
UIView* pageArrow(UIView& root, int n) {
    auto* bar = cameraBarView(root);
    if (bar == nullptr || !bar->scrollview) return nullptr;
    int seen = 0;
    for (const auto& sub : bar->scrollview->subviews()) {
        if (sub->tag() == lumora::CameraBarView::kPageArrowTag &&
            std::string_view(sub->className()) == "CustomDrawButton" && ++seen == n) {
            return sub.get();
        }
    }
    return nullptr;
}

}  // namespace

void registerCameraBarElements(ElementRegistry& r) {
    r.addClass("camera-bar", "the camera bar's strip (opened by the wrench)", "CameraBarView");
    r.addClass("adv-photo-button", "the camera bar's advanced photo button", "CameraButton", 1);
    r.addClass("timer-button", "the camera bar's self-timer button", "TimerButton", 2);
    r.addClass("lapse-button", "the camera bar's time-lapse button", "TimeLapseButton", 3);
    r.addClass("adv-video-button", "the camera bar's advanced video button", "MovieButton", 6);
    r.addClass("wb-button", "the camera bar's white-balance lock button", "WBLockButton", 7);
    r.addClass("stabilization-button", "the camera bar's video stabilization button",
               "CustomDrawButton", 9);
    for (int i = 1; i <= 4; ++i) {
        r.add({"caption-" + std::to_string(i),
               "the camera bar's caption under button " + std::to_string(i),
               [i](UIView& root) -> UIView* {
                   auto* bar = cameraBarView(root);
                   return bar != nullptr ? bar->captions()[static_cast<std::size_t>(i - 1)]
                                         : nullptr;
               }});
    }
    for (int i = 1; i <= 2; ++i) {
        r.add({"page-arrow-" + std::to_string(i),
               "the arrow at the right edge of the camera bar's page " + std::to_string(i),
               [i](UIView& root) { return pageArrow(root, i); }});
    }
}

}  // namespace sim
