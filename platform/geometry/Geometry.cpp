#include "platform/geometry/Geometry.h"

#include <algorithm>

bool CGRectIsNull(const CGRect& r) {
    return std::isinf(r.origin.x) || std::isinf(r.origin.y);
}

bool CGRectIsEmpty(const CGRect& r) {
    return CGRectIsNull(r) || r.size.width == 0 || r.size.height == 0;
}

CGRect CGRectStandardize(const CGRect& r) {
    if (CGRectIsNull(r)) return r;
    CGRect s = r;
    if (s.size.width < 0) {
        s.origin.x += s.size.width;
        s.size.width = -s.size.width;
    }
    if (s.size.height < 0) {
        s.origin.y += s.size.height;
        s.size.height = -s.size.height;
    }
    return s;
}

CGFloat CGRectGetMinX(const CGRect& r) {
    return CGRectStandardize(r).origin.x;
}
CGFloat CGRectGetMinY(const CGRect& r) {
    return CGRectStandardize(r).origin.y;
}
CGFloat CGRectGetMaxX(const CGRect& r) {
    CGRect s = CGRectStandardize(r);
    return s.origin.x + s.size.width;
}
CGFloat CGRectGetMaxY(const CGRect& r) {
    CGRect s = CGRectStandardize(r);
    return s.origin.y + s.size.height;
}
CGFloat CGRectGetMidX(const CGRect& r) {
    CGRect s = CGRectStandardize(r);
    return s.origin.x + s.size.width / 2;
}
CGFloat CGRectGetMidY(const CGRect& r) {
    CGRect s = CGRectStandardize(r);
    return s.origin.y + s.size.height / 2;
}
CGFloat CGRectGetWidth(const CGRect& r) {
    return std::abs(r.size.width);
}
CGFloat CGRectGetHeight(const CGRect& r) {
    return std::abs(r.size.height);
}

bool CGRectContainsPoint(const CGRect& r, CGPoint p) {
    if (CGRectIsNull(r)) return false;
    CGRect s = CGRectStandardize(r);
    return p.x >= s.origin.x && p.x < s.origin.x + s.size.width && p.y >= s.origin.y &&
           p.y < s.origin.y + s.size.height;
}

bool CGRectContainsRect(const CGRect& outer, const CGRect& inner) {
    if (CGRectIsNull(outer) || CGRectIsNull(inner)) return false;
    return CGRectUnion(outer, inner) == CGRectStandardize(outer);
}

CGRect CGRectIntersection(const CGRect& a, const CGRect& b) {
    if (CGRectIsNull(a) || CGRectIsNull(b)) return CGRectNull;
    CGRect s = CGRectStandardize(a), t = CGRectStandardize(b);
    const CGFloat x0 = std::max(s.origin.x, t.origin.x);
    const CGFloat y0 = std::max(s.origin.y, t.origin.y);
    const CGFloat x1 = std::min(CGRectGetMaxX(s), CGRectGetMaxX(t));
    const CGFloat y1 = std::min(CGRectGetMaxY(s), CGRectGetMaxY(t));
    if (x1 < x0 || y1 < y0) return CGRectNull;
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

bool CGRectIntersectsRect(const CGRect& a, const CGRect& b) {
    const CGRect i = CGRectIntersection(a, b);
    return !CGRectIsNull(i) && i.size.width > 0 && i.size.height > 0;
}

CGRect CGRectUnion(const CGRect& a, const CGRect& b) {
    if (CGRectIsNull(a)) return CGRectStandardize(b);
    if (CGRectIsNull(b)) return CGRectStandardize(a);
    CGRect s = CGRectStandardize(a), t = CGRectStandardize(b);
    const CGFloat x0 = std::min(s.origin.x, t.origin.x);
    const CGFloat y0 = std::min(s.origin.y, t.origin.y);
    const CGFloat x1 = std::max(CGRectGetMaxX(s), CGRectGetMaxX(t));
    const CGFloat y1 = std::max(CGRectGetMaxY(s), CGRectGetMaxY(t));
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

CGRect CGRectInset(const CGRect& r, CGFloat dx, CGFloat dy) {
    if (CGRectIsNull(r)) return r;
    CGRect s = CGRectStandardize(r);
    s.origin.x += dx;
    s.origin.y += dy;
    s.size.width -= 2 * dx;
    s.size.height -= 2 * dy;
    if (s.size.width < 0 || s.size.height < 0) return CGRectNull;
    return s;
}

CGRect CGRectOffset(const CGRect& r, CGFloat dx, CGFloat dy) {
    if (CGRectIsNull(r)) return r;
    CGRect s = CGRectStandardize(r);
    s.origin.x += dx;
    s.origin.y += dy;
    return s;
}

CGRect CGRectIntegral(const CGRect& r) {
    if (CGRectIsNull(r)) return r;
    CGRect s = CGRectStandardize(r);
    const CGFloat x0 = std::floor(s.origin.x), y0 = std::floor(s.origin.y);
    const CGFloat x1 = std::ceil(CGRectGetMaxX(s)), y1 = std::ceil(CGRectGetMaxY(s));
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

CGAffineTransform CGAffineTransformMake(CGFloat a, CGFloat b, CGFloat c, CGFloat d, CGFloat tx,
                                        CGFloat ty) {
    return {a, b, c, d, tx, ty};
}

CGAffineTransform CGAffineTransformMakeRotation(CGFloat radians) {
    const CGFloat c = std::cos(radians), s = std::sin(radians);
    return {c, s, -s, c, 0, 0};
}

CGAffineTransform CGAffineTransformMakeTranslation(CGFloat tx, CGFloat ty) {
    return {1, 0, 0, 1, tx, ty};
}

CGAffineTransform CGAffineTransformMakeScale(CGFloat sx, CGFloat sy) {
    return {sx, 0, 0, sy, 0, 0};
}

CGAffineTransform CGAffineTransformConcat(const CGAffineTransform& t1,
                                          const CGAffineTransform& t2) {
    return {t1.a * t2.a + t1.b * t2.c,           t1.a * t2.b + t1.b * t2.d,
            t1.c * t2.a + t1.d * t2.c,           t1.c * t2.b + t1.d * t2.d,
            t1.tx * t2.a + t1.ty * t2.c + t2.tx, t1.tx * t2.b + t1.ty * t2.d + t2.ty};
}

CGAffineTransform CGAffineTransformRotate(const CGAffineTransform& t, CGFloat radians) {
    return CGAffineTransformConcat(CGAffineTransformMakeRotation(radians), t);
}

CGAffineTransform CGAffineTransformTranslate(const CGAffineTransform& t, CGFloat tx, CGFloat ty) {
    return CGAffineTransformConcat(CGAffineTransformMakeTranslation(tx, ty), t);
}

CGAffineTransform CGAffineTransformScale(const CGAffineTransform& t, CGFloat sx, CGFloat sy) {
    return CGAffineTransformConcat(CGAffineTransformMakeScale(sx, sy), t);
}

bool CGAffineTransformIsInvertible(const CGAffineTransform& t) {
    const CGFloat det = t.a * t.d - t.b * t.c;
    return std::isfinite(det) && std::abs(det) > 1e-12;
}

CGAffineTransform CGAffineTransformInvert(const CGAffineTransform& t) {
    if (!CGAffineTransformIsInvertible(t)) return t;
    const CGFloat det = t.a * t.d - t.b * t.c;
    const CGFloat a = t.d / det, b = -t.b / det, c = -t.c / det, d = t.a / det;
    return {a, b, c, d, -(t.tx * a + t.ty * c), -(t.tx * b + t.ty * d)};
}

bool CGAffineTransformIsIdentity(const CGAffineTransform& t) {
    return t == CGAffineTransformIdentity;
}

CGPoint CGPointApplyAffineTransform(CGPoint p, const CGAffineTransform& t) {
    return {t.a * p.x + t.c * p.y + t.tx, t.b * p.x + t.d * p.y + t.ty};
}

CGSize CGSizeApplyAffineTransform(CGSize s, const CGAffineTransform& t) {
    return {t.a * s.width + t.c * s.height, t.b * s.width + t.d * s.height};
}

CGRect CGRectApplyAffineTransform(const CGRect& r, const CGAffineTransform& t) {
    if (CGRectIsNull(r)) return r;
    const CGRect s = CGRectStandardize(r);
    const CGPoint corners[4] = {
        CGPointApplyAffineTransform(s.origin, t),
        CGPointApplyAffineTransform({CGRectGetMaxX(s), s.origin.y}, t),
        CGPointApplyAffineTransform({s.origin.x, CGRectGetMaxY(s)}, t),
        CGPointApplyAffineTransform({CGRectGetMaxX(s), CGRectGetMaxY(s)}, t)};
    CGFloat x0 = corners[0].x, x1 = x0, y0 = corners[0].y, y1 = y0;
    for (const auto& p : corners) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    return CGRectMake(x0, y0, x1 - x0, y1 - y0);
}

bool nearlyEqual(CGFloat a, CGFloat b, CGFloat eps) {
    return std::abs(a - b) <= eps * std::max({1.0, std::abs(a), std::abs(b)});
}

bool nearlyEqual(const CGAffineTransform& a, const CGAffineTransform& b, CGFloat eps) {
    return nearlyEqual(a.a, b.a, eps) && nearlyEqual(a.b, b.b, eps) && nearlyEqual(a.c, b.c, eps) &&
           nearlyEqual(a.d, b.d, eps) && nearlyEqual(a.tx, b.tx, eps) &&
           nearlyEqual(a.ty, b.ty, eps);
}
