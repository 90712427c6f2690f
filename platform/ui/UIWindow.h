#pragma once
// The root of a view tree shown on the screen. Window coordinates are the window's own.

#include <memory>

#include "platform/ui/UIView.h"

class UIViewController;

class UIWindow : public UIView {
public:
    LU_OBJC_CLASS(UIWindow)
    using UIView::UIView;

    // Makes this the application's key window and shows it.
    void makeKeyAndVisible();
    bool isKeyWindow() const;

    // The controller whose view fills the window (replacing the previous one's view).
    std::shared_ptr<UIViewController> rootViewController() const { return root_; }
    void setRootViewController(const std::shared_ptr<UIViewController>& controller);

private:
    std::shared_ptr<UIViewController> root_;
};
