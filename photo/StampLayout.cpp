#include "photo/StampLayout.h"

#include <cmath>
#include <numbers>

#include "platform/media/ExifOrientation.h"

namespace lumora {

// W and H are the stored size. Each case rotates the context so that the upright picture's
// x axis runs along the text, then starts the line box m from the upright left edge and 2m
// above the upright bottom edge.
StampLayout stampLayout(int exifOrientation, int storedWidth, int storedHeight) {
    StampLayout layout;
    const double w = storedWidth;
    const double h = storedHeight;
    const double uprightWidth = platform::isSidewaysExifOrientation(exifOrientation) ? h : w;
    layout.fontSize = uprightWidth / 40.0;
    layout.margin = static_cast<int>(layout.fontSize + 10.0);
    const double m = layout.margin;
    constexpr double pi = std::numbers::pi;
    layout.draws = true;
    switch (exifOrientation) {
        case 1:
            layout.originX = m;
            layout.originY = h - 2 * m;
            break;
        case 6:
            layout.rotation = -pi / 2;
            layout.originX = -h + m;
            layout.originY = w - 2 * m;
            break;
        case 8:
            layout.rotation = pi / 2;
            layout.originX = m;
            layout.originY = -2 * m;
            break;
        case 3:
            layout.rotation = -pi;
            layout.originX = -w + m;
            layout.originY = -2 * m;
            break;
        default:
            layout.draws = false;
            break;
    }
    return layout;
}

}  // namespace lumora
