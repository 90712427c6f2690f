#pragma once
// Where the date stamp goes in the stored pixels of a photo: the text is drawn in a context
// rotated by `rotation` (radians, clockwise on screen) with the top-left corner of its line box
// at `origin`, so that it reads upright at the lower-left corner of the upright picture.

namespace lumora {

struct StampLayout {
    bool draws = false;   // only tags 1, 3, 6 and 8 carry a stamp
    double fontSize = 0;  // a fortieth of the upright picture's width
    int margin = 0;       // the whole part of fontSize + 10
    double rotation = 0;
    double originX = 0;
    double originY = 0;
};

StampLayout stampLayout(int exifOrientation, int storedWidth, int storedHeight);

}  // namespace lumora
