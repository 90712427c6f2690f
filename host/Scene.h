#pragma once
// The simulated scene the cameras see: a synthetic picture that answers to focus, exposure and
// the camera in use.
//
// The back camera looks at a landscape (sky, sun at the upper left, mountains, meadow, a house at
// 8 m, a tree at 4 m, a red ball at 0.6 m); the front camera at a face (0.45 m) before a wall with
// a window at the upper left (3.5 m). Objects away from the focused distance are blurred in
// proportion to the difference in dioptres; brightness follows ISO x exposure time against the
// scene's light. A mirrored picture is what the front camera delivers.
//
// Frames: an upright picture covers the world with its longer side spanning 2 units (the
// sensor's long side), so a portrait frame sees less to the sides and more above and below than
// a landscape one. Pixels are opaque ARGB32 words: in memory the bytes B, G, R, X, which is also
// what the JPEG encoder takes.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/geometry/Geometry.h"

namespace host {

enum class SceneKind { Landscape, Selfie };

// What the camera records at one moment.
struct SceneShot {
    SceneKind kind = SceneKind::Landscape;
    float lensPosition = 1.0f;        // 0 nearest focus, 1 infinity
    double nearestFocusMetres = 0.1;  // distance at lens position 0
    bool fixedFocus = false;          // a camera without focus control (deep depth of field)
    double iso = 100;
    double exposureSeconds = 0.01;
    double aperture = 2.2;
    double biasEV = 0;  // the user's exposure bias
    bool mirrored = false;
    // The scene's light in EV at ISO 100 when something other than the kind's own lights it.
    std::optional<double> brightnessEV;

    bool operator==(const SceneShot&) const = default;
};

// What stands in for the host's own scene when the simulator sets one: its light, the distance
// of what the camera focuses on (wherever the user taps), or both. An unset part keeps the
// host's value.
struct SceneOverride {
    std::optional<double> brightnessEV;    // EV at ISO 100
    std::optional<double> distanceMetres;  // above 0

    bool empty() const { return !brightnessEV && !distanceMetres; }
    // This override with values no scene can have (not finite, a distance not above 0) unset.
    SceneOverride sanitised() const;
    bool operator==(const SceneOverride&) const = default;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // width * height, row after row
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The light of a scene in EV at ISO 100 (what the capture device is told).
double sceneBrightnessEV(SceneKind kind);
// The light of a shot's scene: its override, else the kind's.
double sceneBrightnessEV(const SceneShot& shot);
// How much brighter than a correct exposure the shot is (1: correct).
double exposureFactor(const SceneShot& shot);
// The distance in metres of what lies at a point of an upright frame (0..1 in both axes; the
// frame is landscape when `landscapeFrame`). Mirroring is applied as for the picture.
double depthAt(SceneKind kind, CGPoint normalised, bool landscapeFrame, bool mirrored);
// The focused distance in metres of a lens position (infinite at 1).
double focusDistance(float lensPosition, double nearestFocusMetres);

// The upright picture, width x height pixels (each at most 4096; other sizes give an empty
// picture).
Picture renderUpright(const SceneShot& shot, int width, int height);

// The stored picture of a still: storedWidth x storedHeight pixels (the sensor's landscape
// size), carrying EXIF orientation `exifTag` (1, 3, 6 or 8; others count as 1). The scene is
// rendered upright at no more than `renderLongSide` pixels on its longer side and scaled up.
Picture renderStored(const SceneShot& shot, int storedWidth, int storedHeight, int exifTag,
                     int renderLongSide = 1024);

// The upright pixel a stored pixel shows, for the four rotations (no mirroring).
struct UprightPoint {
    double x = 0;
    double y = 0;
};
UprightPoint uprightForStored(int exifTag, int storedWidth, int storedHeight, double x, double y);

}  // namespace host
