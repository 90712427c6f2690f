#pragma once
// The one place where the phone's font names map to installed free fonts (through fontconfig).
// "DINAlternate-Bold" becomes DejaVu Sans Condensed Bold; the "HelveticaNeue" family becomes
// Liberation Sans (metric-compatible with Helvetica) in the matching weight and slant. Any other
// name falls back to DejaVu Sans. Characters a face lacks (Japanese, Chinese) are drawn from the
// installed face fontconfig offers for them (WenQuanYi Micro Hei); see TextShaping.h.

#include <string>
#include <string_view>

namespace platform {

struct FontFace {
    std::string family;  // fontconfig family name
    bool bold = false;
    bool italic = false;
    bool operator==(const FontFace&) const = default;
};

class FontMap {
public:
    // The face used for a phone font name; never fails (unknown names get the default face).
    static FontFace resolve(std::string_view phoneFontName);
    static FontFace defaultFace();
    // Whether the name is one of the mapped phone fonts.
    static bool isKnown(std::string_view phoneFontName);
};

}  // namespace platform
