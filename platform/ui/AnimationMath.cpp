// Timing curves and value interpolation for view animations.

#include <cmath>

#include "platform/ui/ViewAnimator.h"

namespace {

// A cubic Bezier timing function from (0,0) to (1,1) with control points (x1,y1), (x2,y2):
// solves x(s) = fraction by bisection (x is monotonic), then returns y(s).
double cubicTiming(double x1, double y1, double x2, double y2, double fraction) {
    auto bez = [](double p1, double p2, double s) {
        const double u = 1 - s;
        return 3 * u * u * s * p1 + 3 * u * s * s * p2 + s * s * s;
    };
    double lo = 0, hi = 1;
    for (int i = 0; i < 40; ++i) {
        const double mid = (lo + hi) / 2;
        if (bez(x1, x2, mid) < fraction) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return bez(y1, y2, (lo + hi) / 2);
}

double lerp(double a, double b, double t) {
    return a + (b - a) * t;
}

struct Decomposed {
    double tx, ty, angle, sx, sy, shear;
};

// [[a c][b d]] = R(angle) * [[sx shear][0 sy]]; false when the transform has no x scale.
bool decompose(const CGAffineTransform& m, Decomposed& out) {
    const double sx = std::hypot(m.a, m.b);
    if (!(sx > 1e-12)) return false;
    out = {m.tx,
           m.ty,
           std::atan2(m.b, m.a),
           sx,
           (m.a * m.d - m.b * m.c) / sx,
           (m.a * m.c + m.b * m.d) / sx};
    return true;
}

CGAffineTransform recompose(const Decomposed& p) {
    const double cs = std::cos(p.angle), sn = std::sin(p.angle);
    return {cs * p.sx, sn * p.sx, cs * p.shear - sn * p.sy, sn * p.shear + cs * p.sy, p.tx, p.ty};
}

CGAffineTransform interpolateTransform(const CGAffineTransform& a, const CGAffineTransform& b,
                                       double t) {
    Decomposed da{}, db{};
    if (!decompose(a, da) || !decompose(b, db)) {
        return {lerp(a.a, b.a, t), lerp(a.b, b.b, t),   lerp(a.c, b.c, t),
                lerp(a.d, b.d, t), lerp(a.tx, b.tx, t), lerp(a.ty, b.ty, t)};
    }
    double delta = db.angle - da.angle;  // the shorter way round
    if (delta > M_PI) delta -= 2 * M_PI;
    if (delta < -M_PI) delta += 2 * M_PI;
    return recompose({lerp(da.tx, db.tx, t), lerp(da.ty, db.ty, t), da.angle + delta * t,
                      lerp(da.sx, db.sx, t), lerp(da.sy, db.sy, t), lerp(da.shear, db.shear, t)});
}

}  // namespace

double animationCurveProgress(UIViewAnimationCurve curve, double fraction) {
    if (!(fraction > 0)) return 0;
    if (fraction >= 1) return 1;
    switch (curve) {
        case UIViewAnimationCurveLinear:
            return fraction;
        case UIViewAnimationCurveEaseIn:
            return cubicTiming(0.42, 0, 1, 1, fraction);
        case UIViewAnimationCurveEaseOut:
            return cubicTiming(0, 0, 0.58, 1, fraction);
        case UIViewAnimationCurveEaseInOut:
            break;
    }
    return cubicTiming(0.42, 0, 0.58, 1, fraction);
}

AnimatedValue interpolate(const AnimatedValue& from, const AnimatedValue& to, double t) {
    if (from.index() != to.index()) return to;
    if (auto* p = std::get_if<CGPoint>(&from)) {
        const auto& q = std::get<CGPoint>(to);
        return CGPoint{lerp(p->x, q.x, t), lerp(p->y, q.y, t)};
    }
    if (auto* r = std::get_if<CGRect>(&from)) {
        const auto& s = std::get<CGRect>(to);
        return CGRectMake(lerp(r->origin.x, s.origin.x, t), lerp(r->origin.y, s.origin.y, t),
                          lerp(r->size.width, s.size.width, t),
                          lerp(r->size.height, s.size.height, t));
    }
    if (auto* m = std::get_if<CGAffineTransform>(&from)) {
        return interpolateTransform(*m, std::get<CGAffineTransform>(to), t);
    }
    if (auto* d = std::get_if<double>(&from)) return lerp(*d, std::get<double>(to), t);
    const auto& c = std::get<UIColor>(from);
    const auto& e = std::get<UIColor>(to);
    return UIColor::colorWithRed(lerp(c.r, e.r, t), lerp(c.g, e.g, t), lerp(c.b, e.b, t),
                                 lerp(c.a, e.a, t));
}
