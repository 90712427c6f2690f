#include "platform/graphics/FontMap.h"

#include <array>

namespace platform {

namespace {
struct Entry {
    std::string_view phoneName;
    FontFace face;
};

// DIN Alternate is a narrow, technical sans: DejaVu Sans Condensed is the closest installed face.
// Helvetica Neue has no free twin; Liberation Sans shares Helvetica's metrics. The Light weights
// map to the regular weight (no free light Helvetica-like face is installed).
const std::array<Entry, 6> kEntries{{
    {"DINAlternate-Bold", {"DejaVu Sans Condensed", true, false}},
    {"HelveticaNeue", {"Liberation Sans", false, false}},
    {"HelveticaNeue-Light", {"Liberation Sans", false, false}},
    {"HelveticaNeue-LightItalic", {"Liberation Sans", false, true}},
    {"HelveticaNeue-Bold", {"Liberation Sans", true, false}},
    {"HelveticaNeue-BoldItalic", {"Liberation Sans", true, true}},
}};
}  // namespace

FontFace FontMap::defaultFace() {
    return {"DejaVu Sans", false, false};
}

FontFace FontMap::resolve(std::string_view phoneFontName) {
    for (const auto& e : kEntries) {
        if (e.phoneName == phoneFontName) return e.face;
    }
    return defaultFace();
}

bool FontMap::isKnown(std::string_view phoneFontName) {
    for (const auto& e : kEntries) {
        if (e.phoneName == phoneFontName) return true;
    }
    return false;
}

}  // namespace platform
