#include "platform/ui/UIWindow.h"

#include "platform/ui/UIApplication.h"
#include "platform/ui/UIViewController.h"

void UIWindow::makeKeyAndVisible() {
    setHidden(false);
    auto me = weak_from_this().lock();
    if (me != nullptr)
        UIApplication::sharedApplication().setKeyWindow(std::static_pointer_cast<UIWindow>(me));
}

bool UIWindow::isKeyWindow() const {
    return UIApplication::sharedApplication().keyWindow().get() == this;
}

void UIWindow::setRootViewController(const std::shared_ptr<UIViewController>& controller) {
    if (root_ != nullptr && root_->isViewLoaded()) root_->view()->removeFromSuperview();
    root_ = controller;
    if (root_ == nullptr) return;
    auto v = root_->view();
    v->setFrame(bounds());
    addSubview(v);
}
