#pragma once
// The drawing context: a C++ rendering of Core Graphics' CGContext over cairo.
//
// API in one paragraph. All drawing goes through a platform::GraphicsContext (the CGContextRef of
// the phone); BitmapContext (BitmapContext.h) is the one you create, over an ARGB32 bitmap.
// Coordinates are in points with UIKit's orientation: origin at the top left, y growing down
// (the context a view's drawRect receives). Methods are named after the CG functions without the
// "CGContext" prefix: moveTo = CGContextMoveToPoint, fillPath = CGContextFillPath,
// concatCTM = CGContextConcatCTM, clipToImageMask = CGContextClipToMask with an image mask, and
// so on. As on the platform, the current path is built in user space and transformed by the CTM
// at the time each element is added; painting or clipping consumes it; saveGState/restoreGState
// (or the RAII GStateGuard) save the colours, line settings, CTM, clip, shadow, alpha and blend
// mode but not the path.
//
// Robustness: nothing here throws or crashes on bad input. A path element with a NaN or infinite
// coordinate is ignored, a non-invertible transform is ignored, a negative or NaN line width or
// radius is ignored, empty text or a missing image draws nothing, and a context whose bitmap
// could not be created (zero or huge size) accepts every call and draws nothing.

#include <memory>
#include <string_view>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Image.h"
#include "platform/graphics/Text.h"

namespace platform {

enum class LineCap { Butt, Round, Square };
enum class LineJoin { Miter, Round, Bevel };
enum class FillRule { NonZero, EvenOdd };
// Normal = source over; Clear erases what the shape covers; Copy replaces it;
// DestinationOut erases by the shape's alpha; PlusLighter adds the shape's premultiplied colour
// to what is below, saturating at 1 (kCGBlendModePlusLighter).
enum class BlendMode { Normal, Clear, Copy, DestinationOut, PlusLighter };

class GraphicsContext {
public:
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;
    virtual ~GraphicsContext();

    // False when the bitmap could not be created; every call is then a no-op.
    bool isValid() const;
    // Points per bitmap pixel of the base space (the bitmap's scale).
    double baseScale() const { return baseScale_; }

    // --- Path (user space) ---
    void beginPath();
    void moveTo(CGPoint p);
    void lineTo(CGPoint p);
    // Cubic Bezier curve from the current point (CGContextAddCurveToPoint).
    void curveTo(CGPoint control1, CGPoint control2, CGPoint end);
    // A circular arc as UIBezierPath addArcWithCenter: angles in radians measured from the +x
    // axis; clockwise as seen on screen (y down). Joins the current point with a line if any.
    void addArc(CGPoint centre, CGFloat radius, CGFloat startAngle, CGFloat endAngle,
                bool clockwise);
    void addRect(CGRect r);
    void addEllipse(CGRect r);  // inscribed in r
    void addRoundedRect(CGRect r, CGFloat cornerRadius);
    void closePath();
    bool isPathEmpty() const;

    // --- Painting ---
    void strokePath();
    void fillPath(FillRule rule = FillRule::NonZero);
    // Fill then stroke the same path (CGContextDrawPath with kCGPathFillStroke).
    void fillAndStrokePath(FillRule rule = FillRule::NonZero);
    void fillRect(CGRect r);
    void strokeRect(CGRect r);
    void fillEllipse(CGRect r);
    void strokeEllipse(CGRect r);
    // Makes the rect fully transparent (ignores colour, alpha and shadow; honours the clip).
    void clearRect(CGRect r);
    // Fills the whole clip region with a colour (ignores the current fill colour).
    void paint(Color c);

    // --- Graphics state ---
    void saveGState();
    void restoreGState();  // unbalanced restores are ignored
    void setFillColor(Color c);
    void setStrokeColor(Color c);
    Color fillColor() const;
    Color strokeColor() const;
    void setLineWidth(CGFloat w);
    CGFloat lineWidth() const;
    void setLineCap(LineCap cap);
    void setLineJoin(LineJoin join);
    void setMiterLimit(CGFloat limit);
    // Dash lengths in points; an empty list switches dashing off.
    void setLineDash(CGFloat phase, const std::vector<CGFloat>& lengths);
    // Global alpha multiplied into everything painted (CGContextSetAlpha), clamped to 0..1.
    void setAlpha(CGFloat alpha);
    CGFloat alpha() const;
    void setBlendMode(BlendMode mode);
    // Shadow of everything painted afterwards: offset in points (y down), blur radius in points,
    // colour. A clear colour (alpha 0) switches shadows off, like CGContextSetShadowWithColor
    // with NULL.
    void setShadow(CGSize offset, CGFloat blur, Color color);
    void clearShadow();

    // --- Transformation ---
    void translate(CGFloat tx, CGFloat ty);
    void scale(CGFloat sx, CGFloat sy);
    void rotate(CGFloat radians);  // clockwise on screen for positive angles
    void concatCTM(const CGAffineTransform& t);
    // User space to base space (points of the bitmap, before the scale).
    CGAffineTransform ctm() const;

    // --- Clipping (intersects with the current clip) ---
    void clipToRect(CGRect r);
    void clip(FillRule rule = FillRule::NonZero);  // to the current path, then clears it
    // Image mask semantics: the mask image is stretched over rect; painting goes through where
    // the mask is dark and is blocked where it is light (coverage = 1 - luminance of the mask
    // composited over black), so transparent pixels let paint through and white pixels block it.
    // A null or empty mask clips nothing away.
    void clipToImageMask(CGRect rect, const Image* mask);
    // Painting goes through in proportion to the mask image's alpha.
    void clipToAlphaMask(CGRect rect, const Image* mask);
    // The clip's bounding box in user space.
    CGRect clipBoundingBox() const;

    // --- Transparency layers (CGContextBeginTransparencyLayer) ---
    // Drawing until the matching end goes to an offscreen layer that is then composited with
    // the given opacity times the global alpha, and the current shadow. Unbalanced ends are
    // ignored. The layer's buffer covers the current clip: clip to the area first to keep it
    // small.
    void beginTransparencyLayer(CGFloat opacity = 1);
    void endTransparencyLayer();

    // --- Images ---
    // Draws the image stretched into rect, upright in user space. Null image draws nothing.
    void drawImage(CGRect rect, const Image* image);
    // Snapshot of the bitmap (CGBitmapContextCreateImage); null for an invalid context.
    ImageRef makeImage() const;

    // --- Text (one line; see Text.h for measuring) ---
    // Draws text in rect: horizontally by the style's alignment, vertically centred on the
    // line box as a label does. Clipped to nothing: text may overflow rect. Returns the size of
    // the drawn line (zero when nothing was drawn).
    CGSize drawText(std::string_view text, CGRect rect, const TextStyle& style);
    // Draws one line with its top-left line-box corner at origin.
    CGSize drawTextAt(std::string_view text, CGPoint origin, const TextStyle& style);

    // --- Effects ---
    // Gaussian blur (three box blurs) of the bitmap pixels under rect (user space, taken as its
    // bounding box in the bitmap). radius is the blur's standard deviation in points; pixels
    // outside the region are not read. Ignores clip, alpha and shadow.
    void blurRegion(CGRect rect, CGFloat radius);

    struct Impl;

protected:
    GraphicsContext(std::unique_ptr<Impl> impl, double baseScale);
    Impl& impl() { return *impl_; }
    const Impl& impl() const { return *impl_; }

private:
    enum class Paint { Fill, Stroke };
    // Adds one shape on a path of its own and fills or strokes it; the current path stays.
    void paintShape(CGRect r, void (GraphicsContext::*addShape)(CGRect), Paint paint);

    std::unique_ptr<Impl> impl_;
    double baseScale_;
};

// Pairs saveGState with restoreGState for a scope.
class GStateGuard {
public:
    explicit GStateGuard(GraphicsContext& ctx) : ctx_(ctx) { ctx_.saveGState(); }
    ~GStateGuard() { ctx_.restoreGState(); }
    GStateGuard(const GStateGuard&) = delete;
    GStateGuard& operator=(const GStateGuard&) = delete;

private:
    GraphicsContext& ctx_;
};

// Pairs beginTransparencyLayer with endTransparencyLayer for a scope.
class TransparencyLayerGuard {
public:
    TransparencyLayerGuard(GraphicsContext& ctx, CGFloat opacity) : ctx_(ctx) {
        ctx_.beginTransparencyLayer(opacity);
    }
    ~TransparencyLayerGuard() { ctx_.endTransparencyLayer(); }
    TransparencyLayerGuard(const TransparencyLayerGuard&) = delete;
    TransparencyLayerGuard& operator=(const TransparencyLayerGuard&) = delete;

private:
    GraphicsContext& ctx_;
};

}  // namespace platform
