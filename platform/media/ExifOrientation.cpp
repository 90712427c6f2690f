#include "platform/media/ExifOrientation.h"

namespace platform {

std::optional<UIImageOrientation> imageOrientationFromExif(int tag) {
    switch (tag) {
        case 1:
            return UIImageOrientation::Up;
        case 2:
            return UIImageOrientation::UpMirrored;
        case 3:
            return UIImageOrientation::Down;
        case 4:
            return UIImageOrientation::DownMirrored;
        case 5:
            return UIImageOrientation::LeftMirrored;
        case 6:
            return UIImageOrientation::Right;
        case 7:
            return UIImageOrientation::RightMirrored;
        case 8:
            return UIImageOrientation::Left;
        default:
            return std::nullopt;
    }
}

int exifOrientationFromImage(UIImageOrientation orientation) {
    switch (orientation) {
        case UIImageOrientation::Up:
            return 1;
        case UIImageOrientation::UpMirrored:
            return 2;
        case UIImageOrientation::Down:
            return 3;
        case UIImageOrientation::DownMirrored:
            return 4;
        case UIImageOrientation::LeftMirrored:
            return 5;
        case UIImageOrientation::Right:
            return 6;
        case UIImageOrientation::RightMirrored:
            return 7;
        case UIImageOrientation::Left:
            return 8;
    }
    return 1;
}

// The tag names which stored edge is the upright top and left: e.g. tag 6 stores the upright
// top in column 0 and the upright right edge in row 0.
StoredPixel storedPixelForUpright(int tag, int storedWidth, int storedHeight, int ux, int uy) {
    const int w = storedWidth;
    const int h = storedHeight;
    switch (tag) {
        case 2:
            return {w - 1 - ux, uy};
        case 3:
            return {w - 1 - ux, h - 1 - uy};
        case 4:
            return {ux, h - 1 - uy};
        case 5:
            return {uy, ux};
        case 6:
            return {uy, h - 1 - ux};
        case 7:
            return {w - 1 - uy, h - 1 - ux};
        case 8:
            return {w - 1 - uy, ux};
        default:
            return {ux, uy};
    }
}

}  // namespace platform
