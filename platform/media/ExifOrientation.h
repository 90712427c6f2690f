#pragma once
// Image orientation in its two numberings: the EXIF orientation tag (1-8, how the stored pixels
// must be turned to show the picture upright) and the platform's UIImageOrientation (0-7).

#include <optional>

namespace platform {

enum class UIImageOrientation {
    Up = 0,
    Down = 1,
    Left = 2,
    Right = 3,
    UpMirrored = 4,
    DownMirrored = 5,
    LeftMirrored = 6,
    RightMirrored = 7,
};

// True for a valid EXIF orientation tag (1 to 8).
constexpr bool isValidExifOrientation(int tag) {
    return tag >= 1 && tag <= 8;
}

// Tags 5 to 8 store the picture on its side: its upright width is the stored height.
constexpr bool isSidewaysExifOrientation(int tag) {
    return tag >= 5 && tag <= 8;
}

// Tags 2, 4, 5 and 7 store a mirror image of the upright picture.
constexpr bool isMirroredExifOrientation(int tag) {
    return tag == 2 || tag == 4 || tag == 5 || tag == 7;
}

// nullopt for a tag outside 1-8.
std::optional<UIImageOrientation> imageOrientationFromExif(int tag);
int exifOrientationFromImage(UIImageOrientation orientation);

// Where the upright pixel (ux, uy) lies in the stored pixels of a storedWidth x storedHeight
// picture carrying the given tag (1 when the tag is invalid).
struct StoredPixel {
    int x = 0;
    int y = 0;
};
StoredPixel storedPixelForUpright(int tag, int storedWidth, int storedHeight, int ux, int uy);

}  // namespace platform
