// Paths, painting, graphics state and transforms. Images, masks, layers and blur are in
// GraphicsContextEffects.cpp, text in GraphicsContextText.cpp.

#include "platform/graphics/GraphicsContext.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Blur.h"
#include "platform/graphics/ContextImpl.h"

namespace platform {

namespace {

bool finite(CGFloat v) {
    return std::isfinite(v);
}
bool finite(CGPoint p) {
    return finite(p.x) && finite(p.y);
}
bool finite(CGRect r) {
    return finite(r.origin) && finite(r.size.width) && finite(r.size.height);
}

// Runs fn with an empty current path and puts the caller's path back afterwards, for the
// operations (fillRect, strokeEllipse, ...) that leave the current path alone.
template <class F>
void withOwnPath(cairo_t* cr, F&& fn) {
    cairo_path_t* saved = cairo_copy_path(cr);
    cairo_new_path(cr);
    fn();
    cairo_new_path(cr);
    if (saved->status == CAIRO_STATUS_SUCCESS) cairo_append_path(cr, saved);
    cairo_path_destroy(saved);
}

}  // namespace

// --- Impl ---

GraphicsContext::Impl::Impl(cairo_surface_t* s, int w, int h, double scale)
    : surface(s), width(w), height(h), baseScale(scale) {
    if (surface != nullptr && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cr = cairo_create(surface);
        cairo_scale(cr, baseScale, baseScale);
    }
}

GraphicsContext::Impl::~Impl() {
    if (cr != nullptr) cairo_destroy(cr);
    if (surface != nullptr) cairo_surface_destroy(surface);
}

void GraphicsContext::Impl::setSource(const Color& c) const {
    const Color k = clamped(c);
    if (state.blend == BlendMode::Clear) {
        // Clearing removes whatever the shape covers, whatever the colour.
        cairo_set_source_rgba(cr, 0, 0, 0, 1);
        return;
    }
    cairo_set_source_rgba(cr, k.r, k.g, k.b, k.a * state.alpha);
}

cairo_operator_t GraphicsContext::Impl::op() const {
    switch (state.blend) {
        case BlendMode::Clear:
        case BlendMode::DestinationOut:
            return CAIRO_OPERATOR_DEST_OUT;
        case BlendMode::Copy:
            return CAIRO_OPERATOR_SOURCE;
        case BlendMode::PlusLighter:
            return CAIRO_OPERATOR_ADD;
        case BlendMode::Normal:
            break;
    }
    return CAIRO_OPERATOR_OVER;
}

bool GraphicsContext::Impl::needsGroup() const {
    return state.mask != nullptr || (state.shadow.active() && state.blend == BlendMode::Normal);
}

CGRect GraphicsContext::Impl::toDevice(CGRect user) const {
    user = CGRectStandardize(user);
    double x[4] = {user.origin.x, user.origin.x + user.size.width, user.origin.x,
                   user.origin.x + user.size.width};
    double y[4] = {user.origin.y, user.origin.y, user.origin.y + user.size.height,
                   user.origin.y + user.size.height};
    for (int i = 0; i < 4; ++i) cairo_user_to_device(cr, &x[i], &y[i]);
    const double x0 = *std::min_element(x, x + 4), x1 = *std::max_element(x, x + 4);
    const double y0 = *std::min_element(y, y + 4), y1 = *std::max_element(y, y + 4);
    return {{x0, y0}, {x1 - x0, y1 - y0}};
}

CGRect GraphicsContext::Impl::clipDeviceExtents() const {
    double x0, y0, x1, y1;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    return toDevice({{x0, y0}, {x1 - x0, y1 - y0}});
}

void GraphicsContext::Impl::compositeSource() {
    cairo_set_operator(cr, op());
    if (state.mask != nullptr) {
        cairo_mask_surface(cr, state.mask->surface, 0, 0);
    } else {
        cairo_paint(cr);
    }
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
}

void GraphicsContext::Impl::render(std::optional<CGRect> deviceBounds,
                                   const std::function<void(cairo_t*)>& draw) {
    if (!needsGroup()) {
        cairo_set_operator(cr, op());
        draw(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        return;
    }
    // Draw the shape alone into a group no larger than needed, then composite it (and its
    // shadow) through the clip.
    CGRect box = CGRectMake(0, 0, width, height);
    if (deviceBounds) box = CGRectIntersection(box, CGRectInset(*deviceBounds, -2, -2));
    box = CGRectIntegral(box);
    if (CGRectIsNull(box) || CGRectIsEmpty(box)) return;

    cairo_matrix_t userMatrix;
    cairo_get_matrix(cr, &userMatrix);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    cairo_reset_clip(cr);
    cairo_rectangle(cr, box.origin.x, box.origin.y, box.size.width, box.size.height);
    cairo_clip(cr);
    cairo_set_matrix(cr, &userMatrix);
    cairo_push_group(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    draw(cr);
    cairo_pattern_t* shape = cairo_pop_group(cr);
    cairo_restore(cr);

    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_pattern_set_matrix(shape, &identity);
    cairo_save(cr);
    cairo_identity_matrix(cr);

    if (state.shadow.active() && state.blend == BlendMode::Normal) {
        const double dx = state.shadow.offset.width * baseScale;
        const double dy = state.shadow.offset.height * baseScale;
        const double sigma = state.shadow.blur / 2 * baseScale;
        const double margin = std::ceil(3 * sigma) + 1;
        CGRect sbox = CGRectOffset(CGRectInset(box, -margin, -margin), dx, dy);
        sbox = CGRectIntegral(CGRectIntersection(sbox, clipDeviceExtents()));
        if (!CGRectIsNull(sbox) && !CGRectIsEmpty(sbox)) {
            const int sw = static_cast<int>(sbox.size.width);
            const int sh = static_cast<int>(sbox.size.height);
            cairo_surface_t* tmp = cairo_image_surface_create(CAIRO_FORMAT_A8, sw, sh);
            cairo_surface_set_device_offset(tmp, -sbox.origin.x, -sbox.origin.y);
            cairo_t* tc = cairo_create(tmp);
            cairo_translate(tc, dx, dy);
            cairo_set_source(tc, shape);
            cairo_paint(tc);
            cairo_destroy(tc);
            cairo_surface_flush(tmp);
            if (auto* data = cairo_image_surface_get_data(tmp)) {
                gaussianBlurA8(data, sw, sh, cairo_image_surface_get_stride(tmp), sigma);
            }
            cairo_surface_mark_dirty(tmp);
            const Color sc = clamped(state.shadow.color);
            if (state.mask != nullptr) {
                cairo_push_group(cr);
                cairo_set_source_rgba(cr, sc.r, sc.g, sc.b, sc.a);
                cairo_mask_surface(cr, tmp, 0, 0);
                cairo_pop_group_to_source(cr);
                compositeSource();
            } else {
                cairo_set_source_rgba(cr, sc.r, sc.g, sc.b, sc.a);
                cairo_mask_surface(cr, tmp, 0, 0);
            }
            cairo_surface_destroy(tmp);
        }
    }
    cairo_set_source(cr, shape);
    compositeSource();
    cairo_restore(cr);
    cairo_pattern_destroy(shape);
}

// --- GraphicsContext ---

GraphicsContext::GraphicsContext(std::unique_ptr<Impl> impl, double baseScale)
    : impl_(std::move(impl)), baseScale_(baseScale) {}

GraphicsContext::~GraphicsContext() = default;

bool GraphicsContext::isValid() const {
    return impl_->ok();
}

// Path

void GraphicsContext::beginPath() {
    if (impl_->ok()) cairo_new_path(impl_->cr);
}

void GraphicsContext::moveTo(CGPoint p) {
    if (impl_->ok() && finite(p)) cairo_move_to(impl_->cr, p.x, p.y);
}

void GraphicsContext::lineTo(CGPoint p) {
    if (impl_->ok() && finite(p)) cairo_line_to(impl_->cr, p.x, p.y);
}

void GraphicsContext::curveTo(CGPoint c1, CGPoint c2, CGPoint end) {
    if (impl_->ok() && finite(c1) && finite(c2) && finite(end)) {
        cairo_curve_to(impl_->cr, c1.x, c1.y, c2.x, c2.y, end.x, end.y);
    }
}

void GraphicsContext::addArc(CGPoint centre, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                             bool clockwise) {
    if (!impl_->ok() || !finite(centre) || !finite(radius) || radius < 0 || !finite(startAngle) ||
        !finite(endAngle)) {
        return;
    }
    // With y pointing down, growing angles turn clockwise on screen.
    if (clockwise) {
        cairo_arc(impl_->cr, centre.x, centre.y, radius, startAngle, endAngle);
    } else {
        cairo_arc_negative(impl_->cr, centre.x, centre.y, radius, startAngle, endAngle);
    }
}

void GraphicsContext::addRect(CGRect r) {
    if (!impl_->ok() || !finite(r)) return;
    r = CGRectStandardize(r);
    cairo_rectangle(impl_->cr, r.origin.x, r.origin.y, r.size.width, r.size.height);
}

void GraphicsContext::addEllipse(CGRect r) {
    if (!impl_->ok() || !finite(r)) return;
    r = CGRectStandardize(r);
    if (r.size.width <= 0 || r.size.height <= 0) return;
    cairo_t* cr = impl_->cr;
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_new_sub_path(cr);
    cairo_translate(cr, CGRectGetMidX(r), CGRectGetMidY(r));
    cairo_scale(cr, r.size.width / 2, r.size.height / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_set_matrix(cr, &m);
}

void GraphicsContext::addRoundedRect(CGRect r, CGFloat radius) {
    if (!impl_->ok() || !finite(r) || !finite(radius)) return;
    r = CGRectStandardize(r);
    radius = std::clamp(radius, 0.0, std::min(r.size.width, r.size.height) / 2);
    if (radius <= 0) {
        addRect(r);
        return;
    }
    cairo_t* cr = impl_->cr;
    const double x0 = r.origin.x, y0 = r.origin.y;
    const double x1 = x0 + r.size.width, y1 = y0 + r.size.height;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - radius, y0 + radius, radius, -M_PI / 2, 0);
    cairo_arc(cr, x1 - radius, y1 - radius, radius, 0, M_PI / 2);
    cairo_arc(cr, x0 + radius, y1 - radius, radius, M_PI / 2, M_PI);
    cairo_arc(cr, x0 + radius, y0 + radius, radius, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void GraphicsContext::closePath() {
    if (impl_->ok() && cairo_has_current_point(impl_->cr)) cairo_close_path(impl_->cr);
}

bool GraphicsContext::isPathEmpty() const {
    return !impl_->ok() || !cairo_has_current_point(impl_->cr);
}

// Painting

namespace {
void applyFillRule(cairo_t* cr, FillRule rule) {
    cairo_set_fill_rule(
        cr, rule == FillRule::EvenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
}

enum class Extents { Fill, Stroke };

// Paints and consumes the current path with `paint`, which sets its own sources. Straight onto
// the surface with the state's blend mode when no group is needed; otherwise the path moves
// into a group over its fill or stroke extents, so that shadow, clip mask and blend mode apply
// to the shape as a whole.
template <class Paint>
void paintCurrentPath(GraphicsContext::Impl& im, Extents extents, Paint&& paint) {
    cairo_t* cr = im.cr;
    if (!im.needsGroup()) {
        cairo_set_operator(cr, im.op());
        paint(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        return;
    }
    double x0, y0, x1, y1;
    if (extents == Extents::Stroke) {
        cairo_stroke_extents(cr, &x0, &y0, &x1, &y1);
    } else {
        cairo_fill_extents(cr, &x0, &y0, &x1, &y1);
    }
    const CGRect bounds = im.toDevice({{x0, y0}, {x1 - x0, y1 - y0}});
    cairo_path_t* path = cairo_copy_path(cr);
    cairo_new_path(cr);
    im.render(bounds, [&](cairo_t* c) {
        cairo_append_path(c, path);
        paint(c);
    });
    cairo_path_destroy(path);
}
}  // namespace

void GraphicsContext::fillAndStrokePath(FillRule rule) {
    Impl& im = *impl_;
    if (!im.ok()) return;
    paintCurrentPath(im, Extents::Stroke, [&](cairo_t* c) {
        applyFillRule(c, rule);
        im.setSource(im.state.fill);
        cairo_fill_preserve(c);
        im.setSource(im.state.stroke);
        cairo_stroke(c);
    });
}

void GraphicsContext::strokePath() {
    Impl& im = *impl_;
    if (!im.ok()) return;
    paintCurrentPath(im, Extents::Stroke, [&](cairo_t* c) {
        im.setSource(im.state.stroke);
        cairo_stroke(c);
    });
}

void GraphicsContext::fillPath(FillRule rule) {
    Impl& im = *impl_;
    if (!im.ok()) return;
    applyFillRule(im.cr, rule);  // the fill extents depend on it
    paintCurrentPath(im, Extents::Fill, [&](cairo_t* c) {
        applyFillRule(c, rule);
        im.setSource(im.state.fill);
        cairo_fill(c);
    });
}

void GraphicsContext::paintShape(CGRect r, void (GraphicsContext::*addShape)(CGRect), Paint paint) {
    if (!impl_->ok() || !finite(r)) return;
    withOwnPath(impl_->cr, [&] {
        (this->*addShape)(r);
        if (paint == Paint::Stroke) {
            strokePath();
        } else {
            fillPath();
        }
    });
}

void GraphicsContext::fillRect(CGRect r) {
    paintShape(r, &GraphicsContext::addRect, Paint::Fill);
}

void GraphicsContext::strokeRect(CGRect r) {
    paintShape(r, &GraphicsContext::addRect, Paint::Stroke);
}

void GraphicsContext::fillEllipse(CGRect r) {
    paintShape(r, &GraphicsContext::addEllipse, Paint::Fill);
}

void GraphicsContext::strokeEllipse(CGRect r) {
    paintShape(r, &GraphicsContext::addEllipse, Paint::Stroke);
}

void GraphicsContext::clearRect(CGRect r) {
    Impl& im = *impl_;
    if (!im.ok() || !finite(r)) return;
    r = CGRectStandardize(r);
    withOwnPath(im.cr, [&] {
        cairo_save(im.cr);
        cairo_set_operator(im.cr, CAIRO_OPERATOR_CLEAR);
        cairo_rectangle(im.cr, r.origin.x, r.origin.y, r.size.width, r.size.height);
        cairo_fill(im.cr);
        cairo_restore(im.cr);
    });
}

void GraphicsContext::paint(Color c) {
    Impl& im = *impl_;
    if (!im.ok()) return;
    withOwnPath(im.cr, [&] {
        im.render(std::nullopt, [&](cairo_t* cr) {
            im.setSource(c);
            cairo_paint(cr);
        });
    });
}

// Graphics state

void GraphicsContext::saveGState() {
    Impl& im = *impl_;
    if (!im.ok()) return;
    cairo_save(im.cr);
    im.stack.push_back(im.state);
}

void GraphicsContext::restoreGState() {
    Impl& im = *impl_;
    if (!im.ok()) return;
    const size_t floor = im.layers.empty() ? 0 : im.layers.back().stackDepth;
    if (im.stack.size() <= floor) return;
    cairo_restore(im.cr);
    im.state = std::move(im.stack.back());
    im.stack.pop_back();
}

void GraphicsContext::setFillColor(Color c) {
    impl_->state.fill = clamped(c);
}

void GraphicsContext::setStrokeColor(Color c) {
    impl_->state.stroke = clamped(c);
}

Color GraphicsContext::fillColor() const {
    return impl_->state.fill;
}

Color GraphicsContext::strokeColor() const {
    return impl_->state.stroke;
}

void GraphicsContext::setLineWidth(CGFloat w) {
    if (impl_->ok() && finite(w) && w >= 0) cairo_set_line_width(impl_->cr, w);
}

CGFloat GraphicsContext::lineWidth() const {
    return impl_->ok() ? cairo_get_line_width(impl_->cr) : 0;
}

void GraphicsContext::setLineCap(LineCap cap) {
    if (!impl_->ok()) return;
    cairo_set_line_cap(impl_->cr, cap == LineCap::Round    ? CAIRO_LINE_CAP_ROUND
                                  : cap == LineCap::Square ? CAIRO_LINE_CAP_SQUARE
                                                           : CAIRO_LINE_CAP_BUTT);
}

void GraphicsContext::setLineJoin(LineJoin join) {
    if (!impl_->ok()) return;
    cairo_set_line_join(impl_->cr, join == LineJoin::Round   ? CAIRO_LINE_JOIN_ROUND
                                   : join == LineJoin::Bevel ? CAIRO_LINE_JOIN_BEVEL
                                                             : CAIRO_LINE_JOIN_MITER);
}

void GraphicsContext::setMiterLimit(CGFloat limit) {
    if (impl_->ok() && finite(limit) && limit >= 1) cairo_set_miter_limit(impl_->cr, limit);
}

void GraphicsContext::setLineDash(CGFloat phase, const std::vector<CGFloat>& lengths) {
    if (!impl_->ok() || !finite(phase)) return;
    bool anyPositive = false;
    for (CGFloat l : lengths) {
        if (!finite(l) || l < 0) return;
        anyPositive = anyPositive || l > 0;
    }
    if (lengths.empty() || !anyPositive) {
        cairo_set_dash(impl_->cr, nullptr, 0, 0);
        return;
    }
    cairo_set_dash(impl_->cr, lengths.data(), static_cast<int>(lengths.size()), phase);
}

void GraphicsContext::setAlpha(CGFloat alpha) {
    impl_->state.alpha = clamped(Color{0, 0, 0, alpha}).a;
}

CGFloat GraphicsContext::alpha() const {
    return impl_->state.alpha;
}

void GraphicsContext::setBlendMode(BlendMode mode) {
    impl_->state.blend = mode;
}

void GraphicsContext::setShadow(CGSize offset, CGFloat blur, Color color) {
    if (!finite(offset.width) || !finite(offset.height)) offset = CGSizeZero;
    if (!finite(blur) || blur < 0) blur = 0;
    impl_->state.shadow = {offset, std::min(blur, 500.0), clamped(color)};
}

void GraphicsContext::clearShadow() {
    impl_->state.shadow = {};
}

// Transformation

void GraphicsContext::concatCTM(const CGAffineTransform& t) {
    Impl& im = *impl_;
    if (!im.ok()) return;
    for (CGFloat v : {t.a, t.b, t.c, t.d, t.tx, t.ty}) {
        if (!finite(v)) return;
    }
    cairo_matrix_t m, current, result;
    cairo_matrix_init(&m, t.a, t.b, t.c, t.d, t.tx, t.ty);
    cairo_get_matrix(im.cr, &current);
    cairo_matrix_multiply(&result, &m, &current);
    // A transform that cairo could not invert would break the context for good: skip it.
    cairo_matrix_t probe = result;
    const double det = result.xx * result.yy - result.xy * result.yx;
    if (!finite(det) || std::fabs(det) < 1e-12 ||
        cairo_matrix_invert(&probe) != CAIRO_STATUS_SUCCESS) {
        return;
    }
    cairo_set_matrix(im.cr, &result);
}

void GraphicsContext::translate(CGFloat tx, CGFloat ty) {
    concatCTM(CGAffineTransformMakeTranslation(tx, ty));
}

void GraphicsContext::scale(CGFloat sx, CGFloat sy) {
    concatCTM(CGAffineTransformMakeScale(sx, sy));
}

void GraphicsContext::rotate(CGFloat radians) {
    if (finite(radians)) concatCTM(CGAffineTransformMakeRotation(radians));
}

CGAffineTransform GraphicsContext::ctm() const {
    const Impl& im = *impl_;
    if (!im.ok()) return CGAffineTransformIdentity;
    cairo_matrix_t m;
    cairo_get_matrix(im.cr, &m);
    const double s = im.baseScale;
    return {m.xx / s, m.yx / s, m.xy / s, m.yy / s, m.x0 / s, m.y0 / s};
}

// Clipping to rectangles and paths

void GraphicsContext::clipToRect(CGRect r) {
    if (!impl_->ok() || !finite(r)) return;
    withOwnPath(impl_->cr, [&] {
        addRect(r);
        cairo_clip(impl_->cr);
    });
}

void GraphicsContext::clip(FillRule rule) {
    if (!impl_->ok()) return;
    applyFillRule(impl_->cr, rule);
    cairo_clip(impl_->cr);
}

CGRect GraphicsContext::clipBoundingBox() const {
    if (!impl_->ok()) return CGRectNull;
    double x0, y0, x1, y1;
    cairo_clip_extents(impl_->cr, &x0, &y0, &x1, &y1);
    return {{x0, y0}, {x1 - x0, y1 - y0}};
}

}  // namespace platform
