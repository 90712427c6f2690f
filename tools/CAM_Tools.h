#pragma once
// Shared class functions of the add-on: typed readers of the preferences dictionary, translated
// texts, resource paths and the blur backdrop.

#include <memory>
#include <string>
#include <string_view>

#include "platform/foundation/Value.h"
#include "platform/geometry/Geometry.h"

namespace lumora {

class CKBlurView;

class CAM_Tools {
public:
    CAM_Tools() = delete;

    // Typed readers. A null dictionary or an absent key gives the default; so does a value of a
    // type that has no such reading (an array, a dictionary, data, a date).
    static int intForKey(std::string_view key, int defaultValue, const ns::Dictionary* dict);
    // Numbers are true when nonzero; strings follow the platform's boolValue rule.
    static bool boolForKey(std::string_view key, bool defaultValue, const ns::Dictionary* dict);
    static float floatForKey(std::string_view key, float defaultValue, const ns::Dictionary* dict);

    // The translated text of `key`, or "<key> needs translation!" when there is none, so that a
    // missing text shows on screen instead of an empty label.
    static std::string GetResource(std::string_view key);

    // The phone path of a file of the add-on's resource folder, e.g.
    // resourcePath("Sounds/count.aif") -> "/Library/Application Support/Lumora3/Sounds/count.aif".
    static std::string resourcePath(std::string_view relativeName);

    // The dark backdrop of the camera bar and the resolution picker: a blur view of frame's
    // size at the origin, hard edges, radius 10, a dark additive tint (0.1 grey), tag 1001.
    static std::shared_ptr<CKBlurView> CreateAndConfigureBlurView(CGRect frame);
};

inline constexpr const char* kResourceFolder = "/Library/Application Support/Lumora3/";

}  // namespace lumora
