#pragma once
// A stack of view controllers; the top one's view fills the navigation controller's view.
// An animated push or pop slides the views over 0.35 s and calls viewDidAppear at the end.

#include <memory>
#include <vector>

#include "platform/ui/UIViewController.h"

class UINavigationController : public UIViewController {
public:
    LU_OBJC_CLASS(UINavigationController)
    UINavigationController() = default;
    explicit UINavigationController(const std::shared_ptr<UIViewController>& root);

    void pushViewController(const std::shared_ptr<UIViewController>& controller, bool animated);
    // Pops the top controller unless it is the root; returns it (null when nothing was popped).
    std::shared_ptr<UIViewController> popViewController(bool animated);
    void popToRootViewController(bool animated);

    const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return stack_; }
    UIViewController* topViewController() const {
        return stack_.empty() ? nullptr : stack_.back().get();
    }
    bool isNavigationBarHidden() const { return navigationBarHidden_; }
    // Virtual so that the app showing the bar can follow it.
    virtual void setNavigationBarHidden(bool hidden, bool /*animated*/) {
        navigationBarHidden_ = hidden;
    }

    void viewDidLoad() override;

private:
    void show(UIViewController* incoming, UIViewController* outgoing, bool animated, bool forward);

    std::vector<std::shared_ptr<UIViewController>> stack_;
    bool navigationBarHidden_ = false;
};
