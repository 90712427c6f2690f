#pragma once
// UIFont as a value: a phone font name and a point size. The drawing layer maps the name to an
// installed face (platform/graphics/FontMap.h).

#include <string>

#include "platform/geometry/Geometry.h"

struct UIFont {
    std::string fontName = "HelveticaNeue";
    CGFloat pointSize = 17;

    static UIFont fontWithName(std::string name, CGFloat size) { return {std::move(name), size}; }
    static UIFont systemFontOfSize(CGFloat size) { return {"HelveticaNeue", size}; }
    static UIFont boldSystemFontOfSize(CGFloat size) { return {"HelveticaNeue-Bold", size}; }
    UIFont fontWithSize(CGFloat size) const { return {fontName, size}; }
    bool operator==(const UIFont&) const = default;
};
