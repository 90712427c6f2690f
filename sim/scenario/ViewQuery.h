#pragma once
// How a scenario names a view on screen:
//   shutter                 an element name from the ElementRegistry (lower-case first letter)
//   CAMShutterButton        a class (upper-case first letter), the first such view
//   CustomDrawButton[5]     a class and a tag
//   "Done"                  a label's text or a button's title (quoted)
//   (187,600)               a point in window coordinates
// Views are searched depth first, front-most (last added) subviews first, and a visible match
// is preferred over a hidden one.

#include <optional>
#include <string>

#include "platform/geometry/Geometry.h"
#include "sim/scenario/Tokenizer.h"

class UIView;

namespace sim {

struct ViewQuery {
    enum class Kind { Element, Class, Text, Point };
    Kind kind = Kind::Element;
    std::string name;  // element name or class name
    std::optional<long> tag;
    std::string text;
    CGPoint point;

    // As written in a scenario.
    std::string describe() const;
    // A point names no view: it is only a place on screen.
    bool namesView() const { return kind != Kind::Point; }
};

// Checks element names against the registry; nullopt with `error` for anything unknown.
std::optional<ViewQuery> parseViewQuery(const Token& word, std::string& error);

// The view the query names inside `root` (null when none); a point gives the view hit there.
UIView* findView(UIView& root, const ViewQuery& query);

// Whether a view shows on screen: it and every ancestor are not hidden and have alpha > 0.
bool isEffectivelyVisible(const UIView& view);
// A label's text or a button's current title; nullopt for other views.
std::optional<std::string> viewText(const UIView& view);
// What a view reads as for `expect view ... text`: its own text (viewText), or else that of the
// first label directly inside it (a ruler's readout).
std::optional<std::string> readoutText(const UIView& view);

}  // namespace sim
