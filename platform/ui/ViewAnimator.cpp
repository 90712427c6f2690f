#include "platform/ui/ViewAnimator.h"

#include <algorithm>

#include "platform/runloop/RunLoop.h"

ViewAnimator& ViewAnimator::shared() {
    static ViewAnimator animator;
    return animator;
}

void ViewAnimator::willChange(UIView& view, UIView::Property p) {
    const auto index = static_cast<std::size_t>(p);
    Context* ctx = current();
    if (ctx == nullptr || !enabled_) {
        view.animations_[index].reset();
        return;
    }
    std::weak_ptr<NSObject> weak = view.weak_from_this();
    if (weak.expired()) return;  // not owned by a shared_ptr: changes without animation
    auto weakView = std::weak_ptr<UIView>(std::static_pointer_cast<UIView>(weak.lock()));
    for (const auto& c : ctx->changes) {
        if (c.property == p && c.view.lock().get() == &view) return;  // first value counts
    }
    ctx->changes.push_back(
        {weakView, p, presentationValue(view, p, platform::RunLoop::main().now())});
}

void ViewAnimator::commit() {
    if (stack_.empty()) return;
    Context ctx = std::move(stack_.back());
    stack_.pop_back();
    auto& loop = platform::RunLoop::main();
    const double duration = std::max(0.0, ctx.duration);
    const double delay = std::max(0.0, ctx.delay);
    for (const auto& change : ctx.changes) {
        auto view = change.view.lock();
        if (view == nullptr) continue;
        auto& slot = view->animations_[static_cast<std::size_t>(change.property)];
        if (duration <= 0) {
            slot.reset();
            continue;
        }
        auto anim = std::make_unique<UIView::PropertyAnimation>();
        anim->from = change.from;
        anim->begin = loop.now() + delay;
        anim->duration = duration;
        anim->curve = ctx.curve;
        slot = std::move(anim);
    }
    const bool legacy = static_cast<bool>(ctx.didStop);
    if (!ctx.completion && !legacy) return;
    loop.schedule(delay + duration,
                  [completion = std::move(ctx.completion), didStop = std::move(ctx.didStop),
                   id = ctx.animationID, context = ctx.context, delegate = ctx.delegate,
                   hasDelegate = ctx.hasDelegate]() {
                      if (completion) completion(true);
                      if (didStop && (!hasDelegate || !delegate.expired())) {
                          auto keep = delegate.lock();  // the delegate stays alive during the call
                          didStop(id, true, context);
                      }
                  });
}

AnimatedValue ViewAnimator::modelValue(const UIView& view, UIView::Property p) {
    switch (p) {
        case UIView::Property::Center:
            return view.center_;
        case UIView::Property::Bounds:
            return view.bounds_;
        case UIView::Property::Transform:
            return view.transform_;
        case UIView::Property::Alpha:
            return view.alpha_;
        case UIView::Property::BackgroundColor:
        case UIView::Property::Count:
            break;
    }
    return view.backgroundColor_;
}

AnimatedValue ViewAnimator::presentationValue(const UIView& view, UIView::Property p, double now) {
    AnimatedValue model = modelValue(view, p);
    const auto& anim = view.animations_[static_cast<std::size_t>(p)];
    if (anim == nullptr) return model;
    if (now < anim->begin) return anim->from;  // a delayed animation shows its start value
    // The end counts as reached within a nanosecond, so sums of run steps that land on it
    // with rounding show the final value.
    if (now >= anim->begin + anim->duration - 1e-9) return model;
    const double fraction = (now - anim->begin) / anim->duration;
    return interpolate(anim->from, model, animationCurveProgress(anim->curve, fraction));
}
