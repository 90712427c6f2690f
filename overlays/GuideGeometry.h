#pragma once
// The composition guides as geometry in a 1536 x 2048 portrait design space, and the scale
// that maps it onto the preview of each screen class. OverlayDrawView strokes them; tests
// measure them.

#include <vector>

#include "platform/geometry/Geometry.h"

namespace lumora {

// Drawing tags of the guides (also the guide buttons' tags).
inline constexpr int kGuideThirds = 1;
inline constexpr int kGuideGolden = 2;
inline constexpr int kGuideTrisec = 3;
inline constexpr int kGuideSquare = 4;

inline constexpr CGFloat kGuideDesignWidth = 1536;
inline constexpr CGFloat kGuideDesignHeight = 2048;

// One stroked path: straight segments through `points` (closed back to the first point when
// `closed`), or, for curves, cubic segments: points[0] is the start and every following three
// points are control 1, control 2 and end.
struct GuideStroke {
    std::vector<CGPoint> points;
    bool closed = false;
    bool cubic = false;
};

// The strokes of a guide in design units; empty for any other tag.
std::vector<GuideStroke> guideStrokes(int tag);

// Design units per point: 3.9 / 3.0 (zoomed) on screen class 2, 3.75 / 3.0 on class 3, 4.8 on
// the others.
CGFloat guideDesignScale(long screensize, bool screenIsZoomed);

}  // namespace lumora
