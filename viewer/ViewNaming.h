#pragma once
// Names for the views on screen as a scenario writes them, so that what the person touched can
// be checked in a recording: an element name where one finds the view ("shutter"), else its
// class (and tag), else its text, whichever a scenario would find first as that same view.

#include <optional>
#include <string>

#include "platform/geometry/Geometry.h"

class UIView;
class UIWindow;

namespace viewer {

struct NamedView {
    std::string query;  // the scenario word
    UIView* view = nullptr;
};

// The innermost view at `point` (window points) that a scenario word names, walking out from
// the view hit there; nullopt when none can be named.
std::optional<NamedView> nameViewAt(UIWindow& window, CGPoint point);

// The scenario word naming `view` inside `window`, when one does.
std::optional<std::string> nameView(UIWindow& window, UIView& view);

}  // namespace viewer
