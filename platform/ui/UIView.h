#pragma once
// A rectangle on screen and the node of the view tree. Views are made with std::make_shared;
// a view owns its subviews and observes its superview (cleared when either goes).
//
// Geometry is stored as the platform stores it: centre (in the superview's coordinates), bounds
// (own coordinates) and a transform applied about the centre; the frame is derived from them.
// Inside an animation block (animateWithDuration / beginAnimations) the model value changes at
// once and the presentation value (presentationState) moves towards it on the virtual clock.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/ui/CALayer.h"
#include "platform/ui/UIColor.h"
#include "platform/ui/UIResponder.h"
#include "platform/ui/UIViewAnimationTypes.h"

namespace platform {
class GraphicsContext;
}
class UIWindow;
class UIViewController;
class UIGestureRecognizer;
class UIEvent;

// The values the screen shows at a moment: model values, or in-flight animation values.
struct UIViewPresentation {
    CGPoint center;
    CGRect bounds;
    CGAffineTransform transform;
    CGFloat alpha = 1;
    UIColor backgroundColor;
};

class UIView : public UIResponder {
public:
    LU_OBJC_CLASS(UIView)
    UIView();
    // initWithFrame:
    explicit UIView(CGRect frame);
    ~UIView() override;

    // --- Geometry ---
    // The bounding box of the transformed bounds in the superview's coordinates. Setting it
    // sets the centre and the bounds size (the transform stays).
    CGRect frame() const;
    void setFrame(CGRect frame);
    CGRect bounds() const { return bounds_; }
    void setBounds(CGRect bounds);
    CGPoint center() const { return center_; }
    void setCenter(CGPoint center);
    CGAffineTransform transform() const { return transform_; }
    void setTransform(const CGAffineTransform& t);

    // --- Appearance ---
    CGFloat alpha() const { return alpha_; }
    void setAlpha(CGFloat alpha);
    bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    long tag() const { return tag_; }
    void setTag(long tag) { tag_ = tag; }
    bool isUserInteractionEnabled() const { return userInteractionEnabled_; }
    void setUserInteractionEnabled(bool enabled) { userInteractionEnabled_ = enabled; }
    // Clear ("nil") by default.
    UIColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(UIColor color);
    bool clipsToBounds() const { return clipsToBounds_; }
    void setClipsToBounds(bool clips) { clipsToBounds_ = clips; }
    CALayer& layer() { return layer_; }
    const CALayer& layer() const { return layer_; }
    // A name that stays the same in every language, for automation to find the view by.
    const std::string& accessibilityIdentifier() const { return accessibilityIdentifier_; }
    void setAccessibilityIdentifier(std::string id) { accessibilityIdentifier_ = std::move(id); }

    // --- Hierarchy ---
    // A plain observer: cleared when the view leaves its superview or the superview goes.
    UIView* superview() const;
    // Back to front.
    const std::vector<std::shared_ptr<UIView>>& subviews() const { return subviews_; }
    // Adds on top (moving it from its old superview); adding a view to itself or to one of its
    // own descendants is refused.
    void addSubview(const std::shared_ptr<UIView>& view);
    void insertSubview(const std::shared_ptr<UIView>& view, long index);
    void insertSubviewBelow(const std::shared_ptr<UIView>& view, const UIView* sibling);
    void insertSubviewAbove(const std::shared_ptr<UIView>& view, const UIView* sibling);
    void removeFromSuperview();
    void bringSubviewToFront(const UIView* view);
    void sendSubviewToBack(const UIView* view);
    // Depth first, this view included.
    UIView* viewWithTag(long tag);
    bool isDescendantOfView(const UIView* view) const;
    // The window at the root of this view's tree, if the root is one.
    UIWindow* window() const;
    // Called after the superview or window changed (moved to or from a tree).
    virtual void didMoveToSuperview() {}
    virtual void didMoveToWindow() {}
    virtual void willRemoveSubview(UIView*) {}
    virtual void didAddSubview(UIView*) {}

    // --- Coordinates ---
    // To / from another view in the same tree; a null view means the window (the root).
    // Transforms of every view on the way are applied. A view with a degenerate transform on
    // the way maps every point to (0, 0).
    CGPoint convertPointToView(CGPoint p, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint p, const UIView* view) const;
    // The bounding box of the converted corners.
    CGRect convertRectToView(CGRect r, const UIView* view) const;
    CGRect convertRectFromView(CGRect r, const UIView* view) const;
    // Own coordinates to the superview's (centre, bounds and transform).
    CGAffineTransform transformToSuperview() const;

    // --- Hit-testing ---
    // The deepest view containing the point (own coordinates) that takes touches: hidden views,
    // views with alpha below 0.01, views with user interaction off and views with a degenerate
    // transform are skipped together with their subviews.
    virtual UIView* hitTest(CGPoint point, UIEvent* event);
    virtual bool pointInside(CGPoint point, UIEvent* event);

    // --- Layout and drawing ---
    void setNeedsLayout() { needsLayout_ = true; }
    bool needsLayout() const { return needsLayout_; }
    // Lays out this view when marked, then its subviews.
    void layoutIfNeeded();
    virtual void layoutSubviews() {}
    void setNeedsDisplay() { needsDisplay_ = true; }
    void setNeedsDisplayInRect(CGRect) { needsDisplay_ = true; }
    bool needsDisplay() const { return needsDisplay_; }
    // Draws the content in own coordinates (the renderer calls it with the context set up;
    // `rect` is the bounds). The default draws nothing.
    virtual void drawRect(platform::GraphicsContext& ctx, CGRect rect);
    // Called by the renderer after drawing.
    void clearNeedsDisplay() { needsDisplay_ = false; }
    virtual CGSize sizeThatFits(CGSize size) const;
    // Resizes to sizeThatFits, keeping the frame's origin.
    void sizeToFit();

    // --- Gestures ---
    void addGestureRecognizer(const std::shared_ptr<UIGestureRecognizer>& recognizer);
    void removeGestureRecognizer(const UIGestureRecognizer* recognizer);
    const std::vector<std::shared_ptr<UIGestureRecognizer>>& gestureRecognizers() const {
        return recognizers_;
    }

    // --- Responder chain ---
    UIResponder* nextResponder() const override;
    // Set by UIViewController for its view (held weakly).
    void setViewController(const std::shared_ptr<UIViewController>& controller);
    UIViewController* viewController() const;

    // --- Animation ---
    // The values shown at the current virtual time.
    UIViewPresentation presentationState() const;
    bool hasRunningAnimations() const;
    static void animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                    const std::function<void()>& animations,
                                    std::function<void(bool finished)> completion);
    static void animateWithDuration(double duration, const std::function<void()>& animations,
                                    std::function<void(bool finished)> completion);
    static void animateWithDuration(double duration, const std::function<void()>& animations);
    static void performWithoutAnimation(const std::function<void()>& actions);
    static void setAnimationsEnabled(bool enabled);
    static bool areAnimationsEnabled();
    // The older block-less form. Changes made between begin and commit animate with the
    // parameters in force at commit; the did-stop callback runs while the delegate lives.
    static void beginAnimations(const std::string& animationID, void* context = nullptr);
    static void setAnimationDuration(double duration);
    static void setAnimationDelay(double delay);
    static void setAnimationCurve(UIViewAnimationCurve curve);
    static void setAnimationDelegate(const std::shared_ptr<NSObject>& delegate);
    using DidStopCallback =
        std::function<void(const std::string& animationID, bool finished, void* context)>;
    static void setAnimationDidStopSelector(DidStopCallback callback);
    static void commitAnimations();

    // Animated properties (the animation engine's handle on them).
    enum class Property { Center, Bounds, Transform, Alpha, BackgroundColor, Count };
    struct PropertyAnimation;

private:
    void willChange(Property p);
    void detachFromSuperview();
    void insertAt(const std::shared_ptr<UIView>& view, std::size_t index);
    friend class ViewAnimator;

    CGPoint center_;
    CGRect bounds_;
    CGAffineTransform transform_;
    CGFloat alpha_ = 1;
    bool hidden_ = false;
    long tag_ = 0;
    bool userInteractionEnabled_ = true;
    UIColor backgroundColor_;
    bool clipsToBounds_ = false;
    CALayer layer_;
    std::string accessibilityIdentifier_;
    bool needsLayout_ = true;
    bool needsDisplay_ = true;

    UIView* superview_ = nullptr;
    std::vector<std::shared_ptr<UIView>> subviews_;
    std::vector<std::shared_ptr<UIGestureRecognizer>> recognizers_;
    std::weak_ptr<UIViewController> viewController_;
    std::array<std::unique_ptr<PropertyAnimation>, static_cast<std::size_t>(Property::Count)>
        animations_;
};
