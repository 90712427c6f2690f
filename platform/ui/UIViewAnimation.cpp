// UIView's class-level animation API over the ViewAnimator.

#include "platform/ui/UIView.h"
#include "platform/ui/ViewAnimator.h"

namespace {

UIViewAnimationCurve curveFromOptions(UIViewAnimationOptions options) {
    return static_cast<UIViewAnimationCurve>((options >> 16) & 0x3);
}

}  // namespace

void UIView::animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                 const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
    auto& animator = ViewAnimator::shared();
    ViewAnimator::Context ctx;
    ctx.duration = std::isfinite(duration) ? duration : 0;
    ctx.delay = std::isfinite(delay) ? delay : 0;
    ctx.curve = curveFromOptions(options);
    ctx.completion = std::move(completion);
    animator.push(std::move(ctx));
    if (animations) animations();
    animator.commit();
}

void UIView::animateWithDuration(double duration, const std::function<void()>& animations,
                                 std::function<void(bool)> completion) {
    animateWithDuration(duration, 0, 0, animations, std::move(completion));
}

void UIView::animateWithDuration(double duration, const std::function<void()>& animations) {
    animateWithDuration(duration, 0, 0, animations, nullptr);
}

void UIView::performWithoutAnimation(const std::function<void()>& actions) {
    auto& animator = ViewAnimator::shared();
    const bool was = animator.enabled();
    animator.setEnabled(false);
    if (actions) actions();
    animator.setEnabled(was);
}

void UIView::setAnimationsEnabled(bool enabled) {
    ViewAnimator::shared().setEnabled(enabled);
}

bool UIView::areAnimationsEnabled() {
    return ViewAnimator::shared().enabled();
}

void UIView::beginAnimations(const std::string& animationID, void* context) {
    ViewAnimator::Context ctx;
    ctx.animationID = animationID;
    ctx.context = context;
    ViewAnimator::shared().push(std::move(ctx));
}

void UIView::setAnimationDuration(double duration) {
    if (auto* ctx = ViewAnimator::shared().current(); ctx != nullptr && std::isfinite(duration)) {
        ctx->duration = duration;
    }
}

void UIView::setAnimationDelay(double delay) {
    if (auto* ctx = ViewAnimator::shared().current(); ctx != nullptr && std::isfinite(delay)) {
        ctx->delay = delay;
    }
}

void UIView::setAnimationCurve(UIViewAnimationCurve curve) {
    if (auto* ctx = ViewAnimator::shared().current()) ctx->curve = curve;
}

void UIView::setAnimationDelegate(const std::shared_ptr<NSObject>& delegate) {
    if (auto* ctx = ViewAnimator::shared().current()) {
        ctx->delegate = delegate;
        ctx->hasDelegate = delegate != nullptr;
    }
}

void UIView::setAnimationDidStopSelector(DidStopCallback callback) {
    if (auto* ctx = ViewAnimator::shared().current()) ctx->didStop = std::move(callback);
}

void UIView::commitAnimations() {
    ViewAnimator::shared().commit();
}
