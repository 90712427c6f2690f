#include "overlays/GuideGeometry.h"

#include <cmath>
#include <initializer_list>

namespace lumora {
namespace {

GuideStroke line(CGPoint a, CGPoint b) {
    return {{a, b}, false, false};
}

GuideStroke rectangle(CGFloat x0, CGFloat x1, CGFloat y0, CGFloat y1) {
    return {{{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}}, true, false};
}

// The centre of the circle through a, b and c; false when they are (nearly) on one line.
bool circumcentre(CGPoint a, CGPoint b, CGPoint c, CGPoint* centre) {
    const double d = 2 * (a.x * (b.y - c.y) + b.x * (c.y - a.y) + c.x * (a.y - b.y));
    if (std::fabs(d) < 1e-6) return false;
    const double a2 = a.x * a.x + a.y * a.y, b2 = b.x * b.x + b.y * b.y, c2 = c.x * c.x + c.y * c.y;
    centre->x = (a2 * (b.y - c.y) + b2 * (c.y - a.y) + c2 * (a.y - b.y)) / d;
    centre->y = (a2 * (c.x - b.x) + b2 * (a.x - c.x) + c2 * (b.x - a.x)) / d;
    return true;
}

// Control points of a circular arc from a to b around `centre` (the standard 4/3 tan(θ/4)
// handle length), the handles turning the way that leads from a to b.
void arcControls(CGPoint a, CGPoint b, CGPoint centre, CGPoint* c1, CGPoint* c2) {
    const double angA = std::atan2(a.y - centre.y, a.x - centre.x);
    double sweep = std::atan2(b.y - centre.y, b.x - centre.x) - angA;
    while (sweep > M_PI) sweep -= 2 * M_PI;
    while (sweep < -M_PI) sweep += 2 * M_PI;
    const double k = 4.0 / 3.0 * std::tan(sweep / 4);
    // Tangents: the radius turned a quarter, scaled by the handle length.
    *c1 = {a.x - k * (a.y - centre.y), a.y + k * (a.x - centre.x)};
    *c2 = {b.x + k * (b.y - centre.y), b.y - k * (b.x - centre.x)};
}

// A smooth curve through the given points, each piece a circular arc through its two ends and
// the next point (the previous one for the last piece).
GuideStroke curveThrough(std::initializer_list<CGPoint> list) {
    const std::vector<CGPoint> p(list);
    GuideStroke s{{p.front()}, false, true};
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        const CGPoint a = p[i], b = p[i + 1];
        const CGPoint third = i + 2 < p.size() ? p[i + 2] : p[i - 1];
        CGPoint centre, c1, c2;
        if (circumcentre(a, b, third, &centre)) {
            arcControls(a, b, centre, &c1, &c2);
        } else {
            c1 = {a.x + (b.x - a.x) / 3, a.y + (b.y - a.y) / 3};
            c2 = {a.x + 2 * (b.x - a.x) / 3, a.y + 2 * (b.y - a.y) / 3};
        }
        s.points.insert(s.points.end(), {c1, c2, b});
    }
    return s;
}

std::vector<GuideStroke> golden() {
    std::vector<GuideStroke> out = {
        rectangle(138, 1399, 1, 786),  rectangle(138, 1399, 3, 2047), rectangle(138, 620, 1, 786),
        rectangle(138, 620, 488, 786), rectangle(431, 620, 599, 786), rectangle(431, 505, 488, 599),
        rectangle(431, 505, 555, 599), rectangle(477, 505, 575, 599),
    };
    // The spiral: quarter turns from the outer rectangle's lower left corner inwards.
    for (const auto& q : std::initializer_list<std::initializer_list<CGPoint>>{
             {{141.94, 2045.89}, {1035.67, 1671.68}, {1398.86, 787.21}},
             {{1398.34, 785.15}, {1166.44, 223.11}, {620.48, 3.14}},
             {{620, 3}, {275.51, 149.00}, {138.01, 483.41}},
             {{138.12, 488.48}, {233.63, 704.74}, {431, 786}},
             {{438.31, 784.88}, {565.77, 730.23}, {620, 599}},
             {{619.92, 600.67}, {586.32, 519.78}, {505, 488}},
             {{504.55, 488.70}, {455.15, 504.55}, {431.46, 555}},
             {{431.04, 555.22}, {444.91, 586.69}, {477.27, 598.99}},
             {{477.22, 598.95}, {497.38, 592.12}, {505, 575.20}},
             {{505, 565.02}, {500.90, 557.93}, {491.83, 555.02}},
             {{487.96, 555.01}, {480.08, 557.93}, {480.08, 572.07}, {487.21, 575}},
             {{485.56, 574.98}, {489.95, 573.10}, {489.95, 563.90}},
             {{491.99, 566.76}, {490.83, 564.53}, {485.17, 564.53}, {485.17, 569.47}},
         }) {
        out.push_back(curveThrough(q));
    }
    return out;
}

}  // namespace

std::vector<GuideStroke> guideStrokes(int tag) {
    switch (tag) {
        case kGuideThirds:
            return {line({513, 0}, {513, 2048}), line({1027, 0}, {1027, 2048}),
                    line({1536, 1366}, {0, 1366}), line({1536, 682}, {0, 682})};
        case kGuideGolden:
            return golden();
        case kGuideTrisec:
            // The diagonal and the perpendiculars onto it from the two free corners.
            return {line({1536, 2048}, {0, 0}), line({983.5, 1310.5}, {0, 2048}),
                    line({551.5, 735.5}, {1536, 0})};
        case kGuideSquare:
            return {{{{2, 1793}, {1535, 1793}, {1535, 257}, {2, 257}}, true, false}};
        default:
            return {};
    }
}

CGFloat guideDesignScale(long screensize, bool screenIsZoomed) {
    switch (screensize) {
        case 2:
            return screenIsZoomed ? 3.0 : 3.9;
        case 3:
            return screenIsZoomed ? 3.0 : 3.75;
        default:
            return 4.8;
    }
}

}  // namespace lumora
