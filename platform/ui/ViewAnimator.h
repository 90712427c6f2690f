#pragma once
// The engine behind UIView's animation API (internal to the UI library).
//
// An animation block is a context on a stack. A view's setter, before changing a model value,
// tells the engine; inside a context the engine remembers the value shown at that moment. When
// the block is committed each remembered change becomes a PropertyAnimation on its view, from
// the remembered value to the model value, starting after the delay; the completion is
// scheduled on the main run loop at delay + duration (the next turn for a zero total). A change
// made outside any block removes the property's animation, so the view shows the model value.

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/ui/UIView.h"

using AnimatedValue = std::variant<CGPoint, CGRect, CGAffineTransform, double, UIColor>;

struct UIView::PropertyAnimation {
    AnimatedValue from;
    double begin = 0;  // virtual time the movement starts (after the delay)
    double duration = 0;
    UIViewAnimationCurve curve = UIViewAnimationCurveEaseInOut;
};

class ViewAnimator {
public:
    static ViewAnimator& shared();

    struct Context {
        double duration = 0.2;  // the platform's default for beginAnimations
        double delay = 0;
        UIViewAnimationCurve curve = UIViewAnimationCurveEaseInOut;
        std::function<void(bool)> completion;
        // The older form's identity, delegate and did-stop callback.
        std::string animationID;
        void* context = nullptr;
        std::weak_ptr<NSObject> delegate;
        bool hasDelegate = false;
        UIView::DidStopCallback didStop;

        struct Change {
            std::weak_ptr<UIView> view;
            UIView::Property property;
            AnimatedValue from;
        };
        std::vector<Change> changes;
    };

    void push(Context context) { stack_.push_back(std::move(context)); }
    // The innermost open context, or null.
    Context* current() { return stack_.empty() ? nullptr : &stack_.back(); }
    // Turns the innermost context's changes into animations and schedules its completion.
    void commit();

    // A view is about to change `p` (called by UIView's setters).
    void willChange(UIView& view, UIView::Property p);

    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool enabled() const { return enabled_; }

    // The value of one property shown at virtual time `now`.
    static AnimatedValue modelValue(const UIView& view, UIView::Property p);
    static AnimatedValue presentationValue(const UIView& view, UIView::Property p, double now);

private:
    std::vector<Context> stack_;
    bool enabled_ = true;
};

// Interpolation between two values of the same kind at progress t (0..1). Transforms are
// decomposed into translation, rotation, scale and shear so a rotation stays rigid midway.
AnimatedValue interpolate(const AnimatedValue& from, const AnimatedValue& to, double t);
