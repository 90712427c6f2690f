// Names for the add-on's selection dial: the dial (turned with `turn dial DEGREES`; its text is
// the number and unit it shows), the captions over its two circles, which a tap finds at the
// circle's centre, and the frame-rate badge that opens the frame-rate dial in video.
#include "capture/FormatBadges.h"
#include "dial/DialView.h"
#include "sim/scenario/ElementRegistry.h"

namespace sim {
namespace {

lumora::DialView* findDial(UIView& root) {
    return dynamic_cast<lumora::DialView*>(findViewOfClass(root, "DialView"));
}

}  // namespace

void registerDialElements(ElementRegistry& r) {
    r.add({"fps-badge",
           "the frame-rate badge (the host's on slow-motion phones, else the add-on's)",
           [](UIView& root) -> UIView* {
               for (const char* cls : {"CAMSlalomIndicatorView", "CustomSlalomIndicatorView"}) {
                   UIView* badge = findViewOfClass(root, cls, lumora::kFrameRateBadgeTag);
                   if (badge != nullptr && !badge->isHidden()) return badge;
               }
               return nullptr;
           }});
    r.add({"dial", "the selection dial (timer, time lapse or frame rate)",
           [](UIView& root) -> UIView* { return findDial(root); }});
    r.add({"dial-action", "the dial's action circle (Start, Stop or Set)",
           [](UIView& root) -> UIView* {
               auto* dial = findDial(root);
               return dial != nullptr ? dial->actionCaption() : nullptr;
           }});
    r.add({"dial-switch", "the time-lapse dial's seconds/minutes switch",
           [](UIView& root) -> UIView* {
               auto* dial = findDial(root);
               return dial != nullptr ? dial->switchCaption() : nullptr;
           }});
}

}  // namespace sim
