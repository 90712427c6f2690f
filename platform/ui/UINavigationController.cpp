#include "platform/ui/UINavigationController.h"

#include "platform/ui/UIView.h"

UINavigationController::UINavigationController(const std::shared_ptr<UIViewController>& root) {
    if (root == nullptr) return;
    stack_.push_back(root);
    addChildViewController(root);
}

void UINavigationController::viewDidLoad() {
    if (!stack_.empty()) show(stack_.back().get(), nullptr, false, true);
}

void UINavigationController::pushViewController(const std::shared_ptr<UIViewController>& controller,
                                                bool animated) {
    if (controller == nullptr || controller.get() == this) return;
    for (const auto& c : stack_) {
        if (c == controller) return;  // already on the stack
    }
    UIViewController* outgoing = topViewController();
    stack_.push_back(controller);
    addChildViewController(controller);
    if (isViewLoaded()) show(controller.get(), outgoing, animated, true);
}

std::shared_ptr<UIViewController> UINavigationController::popViewController(bool animated) {
    if (stack_.size() < 2) return nullptr;
    auto popped = stack_.back();
    stack_.pop_back();
    if (isViewLoaded()) show(stack_.back().get(), popped.get(), animated, false);
    popped->removeFromParentViewController();
    return popped;
}

void UINavigationController::popToRootViewController(bool animated) {
    while (stack_.size() > 2) {
        stack_.back()->removeFromParentViewController();
        stack_.pop_back();
    }
    popViewController(animated);
}

void UINavigationController::show(UIViewController* incoming, UIViewController* outgoing,
                                  bool animated, bool forward) {
    auto container = view();
    const CGRect b = container->bounds();
    auto in = incoming->view();
    auto out = outgoing != nullptr ? outgoing->view() : nullptr;
    if (outgoing != nullptr) outgoing->viewWillDisappear(animated);
    incoming->viewWillAppear(animated);
    container->addSubview(in);
    if (!animated || out == nullptr) {
        in->setFrame(b);
        if (out != nullptr) out->removeFromSuperview();
        if (outgoing != nullptr) outgoing->viewDidDisappear(false);
        incoming->viewDidAppear(false);
        return;
    }
    const CGFloat w = b.size.width;
    in->setFrame(CGRectOffset(b, forward ? w : -w, 0));
    std::weak_ptr<UIView> weakOut = out;
    std::weak_ptr<NSObject> weakIn = incoming->weak_from_this();
    std::weak_ptr<NSObject> weakOutVc = outgoing->weak_from_this();
    UIView::animateWithDuration(
        0.35, 0, UIViewAnimationOptionCurveEaseInOut,
        [&] {
            in->setFrame(b);
            out->setFrame(CGRectOffset(b, forward ? -w : w, 0));
        },
        [weakOut, weakIn, weakOutVc](bool) {
            if (auto o = weakOut.lock()) o->removeFromSuperview();
            if (auto vc = weakOutVc.lock()) {
                static_cast<UIViewController*>(vc.get())->viewDidDisappear(true);
            }
            if (auto vc = weakIn.lock())
                static_cast<UIViewController*>(vc.get())->viewDidAppear(true);
        });
}
