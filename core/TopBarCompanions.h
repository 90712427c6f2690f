#pragma once
// The small companions each processed mode change makes sure of: the horizon button and the
// vertical-tilt alert in the host's top bar and the composition guide controller. Each is made
// once, and only while its feature switch is on; the release is the camera bar teardown's.

#include <functional>
#include <memory>

#include "platform/ui/UIControl.h"
#include "platform/ui/UIGestureRecognizer.h"

namespace lumora {

// The horizon button (tag 101), 35 points left of the host's flip button; a tap runs `callback`
// on `owner` (held weakly). Only while "showHorizonAlignment" is on and the top bar is known.
void CreateHorizonAlignmentBtn(const UIGestureRecognizer::Action& callback,
                               const std::shared_ptr<NSObject>& owner);
// The tilt alert (phones, "showVerticalAlert"); every call re-evaluates its highlight: video
// mode with the phone upright or upside down.
void CreateVideoVerticallyTiltedAlert();
// The guide controller (phones, "showOverlays"), re-applying the stored guide from start-up and
// offering the guide page only in photo modes 0 and 6.
void CreateOverlayIndicator(const UIControl::Action& callback,
                            const std::shared_ptr<NSObject>& owner);
// Fades the add-on's top-bar icons out (hide) or in over 3.9 s while the host's menu opens or
// closes; only the latest request sets the hidden state at the end.
void ToggleTopbarIcons(bool hide);

// The indicator image of a stored overlay mode: 1 and 2 swap, 3 and 4 stay, anything else 0.
int overlayIndicatorImageForMode(long mode);

}  // namespace lumora
