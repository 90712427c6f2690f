#pragma once
// A controller of one view, created on first access (loadView, then viewDidLoad), with child
// controllers and appearance hooks. The controller owns its view; the view refers back weakly.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/UIResponder.h"

class UIView;
class UINavigationController;

class UIViewController : public UIResponder {
public:
    LU_OBJC_CLASS(UIViewController)
    UIViewController() = default;
    ~UIViewController() override;

    // The view, loaded on first access.
    std::shared_ptr<UIView> view();
    bool isViewLoaded() const { return view_ != nullptr; }
    void setView(std::shared_ptr<UIView> view);

    // Makes the view; the default is a plain view the size of the screen.
    virtual void loadView();
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewDidAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void viewDidDisappear(bool /*animated*/) {}
    virtual void didReceiveMemoryWarning() {}

    const std::string& title() const { return title_; }
    void setTitle(std::string title) { title_ = std::move(title); }

    // Child controllers (owned); the parent is an observer cleared when the child leaves.
    void addChildViewController(const std::shared_ptr<UIViewController>& child);
    void removeFromParentViewController();
    const std::vector<std::shared_ptr<UIViewController>>& childViewControllers() const {
        return children_;
    }
    UIViewController* parentViewController() const { return parent_; }
    // The nearest navigation controller up the parent chain.
    UINavigationController* navigationController() const;

    // The view's superview (the controller's view forwards touches here, then up).
    UIResponder* nextResponder() const override;

private:
    std::shared_ptr<UIView> view_;
    std::string title_;
    std::vector<std::shared_ptr<UIViewController>> children_;
    UIViewController* parent_ = nullptr;
};
