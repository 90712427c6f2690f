#include "platform/ui/UIViewController.h"

#include <algorithm>

#include "platform/device/UIDevice.h"
#include "platform/ui/UINavigationController.h"
#include "platform/ui/UIView.h"

UIViewController::~UIViewController() {
    for (auto& child : children_) child->parent_ = nullptr;
}

std::shared_ptr<UIView> UIViewController::view() {
    if (view_ == nullptr) {
        loadView();
        if (view_ == nullptr) setView(std::make_shared<UIView>(CGRectZero));
        viewDidLoad();
    }
    return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view) {
    view_ = std::move(view);
    if (view_ == nullptr) return;
    auto me = weak_from_this().lock();
    if (me != nullptr) view_->setViewController(std::static_pointer_cast<UIViewController>(me));
}

void UIViewController::loadView() {
    setView(std::make_shared<UIView>(UIScreen::mainScreen().bounds()));
}

void UIViewController::addChildViewController(const std::shared_ptr<UIViewController>& child) {
    if (child == nullptr || child.get() == this) return;
    if (child->parent_ == this) return;
    child->removeFromParentViewController();
    children_.push_back(child);
    child->parent_ = this;
}

void UIViewController::removeFromParentViewController() {
    UIViewController* parent = parent_;
    if (parent == nullptr) return;
    parent_ = nullptr;
    std::erase_if(parent->children_, [this](const auto& c) { return c.get() == this; });
}

UINavigationController* UIViewController::navigationController() const {
    for (const UIViewController* c = parent_; c != nullptr; c = c->parent_) {
        if (auto* nav = dynamic_cast<const UINavigationController*>(c)) {
            return const_cast<UINavigationController*>(nav);
        }
    }
    return nullptr;
}

UIResponder* UIViewController::nextResponder() const {
    if (view_ != nullptr && view_->superview() != nullptr) return view_->superview();
    return parent_;
}
