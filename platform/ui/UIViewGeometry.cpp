// Coordinate conversion and hit-testing through centres, bounds origins and transforms.

#include <cmath>

#include "platform/ui/UIView.h"

namespace {

// Own coordinates to the root's, through every view up the tree; false when a transform on
// the way cannot be inverted later (a degenerate view collapses everything to a point).
CGAffineTransform toRoot(const UIView* v, const UIView** root) {
    CGAffineTransform m = CGAffineTransformIdentity;
    const UIView* last = v;
    for (; v != nullptr; v = v->superview()) {
        last = v;
        if (v->superview() == nullptr) break;  // the root's own placement is not applied
        m = CGAffineTransformConcat(m, v->transformToSuperview());
    }
    if (root != nullptr) *root = last;
    return m;
}

bool finite(CGPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// A point in the root's coordinates in `v`'s own; the zero point where `v`'s placement cannot
// be inverted or the result is not finite.
CGPoint fromRoot(CGPoint inRoot, const UIView* v) {
    const CGAffineTransform m = toRoot(v, nullptr);
    if (!CGAffineTransformIsInvertible(m)) return CGPointZero;
    const CGPoint out = CGPointApplyAffineTransform(inRoot, CGAffineTransformInvert(m));
    return finite(out) ? out : CGPointZero;
}

// The smallest rectangle holding the four corners of `r` once each is converted: a rotated
// rectangle's box.
template <class Convert>
CGRect boundingBoxOfCorners(CGRect r, Convert convert) {
    r = CGRectStandardize(r);
    const CGPoint corners[4] = {r.origin,
                                {CGRectGetMaxX(r), r.origin.y},
                                {r.origin.x, CGRectGetMaxY(r)},
                                {CGRectGetMaxX(r), CGRectGetMaxY(r)}};
    CGRect out = CGRectNull;
    for (const CGPoint& c : corners) {
        const CGPoint q = convert(c);
        out = CGRectUnion(out, CGRectMake(q.x, q.y, 0, 0));
    }
    return out;
}

}  // namespace

CGAffineTransform UIView::transformToSuperview() const {
    // p_super = centre + T(p - mid(bounds)), T applied with its translation.
    const CGAffineTransform toMid =
        CGAffineTransformMakeTranslation(-CGRectGetMidX(bounds_), -CGRectGetMidY(bounds_));
    return CGAffineTransformConcat(CGAffineTransformConcat(toMid, transform_),
                                   CGAffineTransformMakeTranslation(center_.x, center_.y));
}

CGPoint UIView::convertPointToView(CGPoint p, const UIView* view) const {
    const CGPoint inRoot = CGPointApplyAffineTransform(p, toRoot(this, nullptr));
    if (view == nullptr) return inRoot;
    return fromRoot(inRoot, view);
}

CGPoint UIView::convertPointFromView(CGPoint p, const UIView* view) const {
    const CGPoint inRoot =
        view == nullptr ? p : CGPointApplyAffineTransform(p, toRoot(view, nullptr));
    return fromRoot(inRoot, this);
}

CGRect UIView::convertRectToView(CGRect r, const UIView* view) const {
    return boundingBoxOfCorners(r, [&](CGPoint c) { return convertPointToView(c, view); });
}

CGRect UIView::convertRectFromView(CGRect r, const UIView* view) const {
    return boundingBoxOfCorners(r, [&](CGPoint c) { return convertPointFromView(c, view); });
}

bool UIView::pointInside(CGPoint point, UIEvent*) {
    return CGRectContainsPoint(bounds_, point);
}

UIView* UIView::hitTest(CGPoint point, UIEvent* event) {
    if (hidden_ || !userInteractionEnabled_ || alpha_ < 0.01) return nullptr;
    if (!pointInside(point, event)) return nullptr;
    const auto subs = subviews_;  // pointInside overrides may change the tree
    for (auto it = subs.rbegin(); it != subs.rend(); ++it) {
        UIView* sub = it->get();
        const CGAffineTransform m = sub->transformToSuperview();
        if (!CGAffineTransformIsInvertible(m)) continue;
        const CGPoint local = CGPointApplyAffineTransform(point, CGAffineTransformInvert(m));
        if (UIView* hit = sub->hitTest(local, event)) return hit;
    }
    return this;
}
