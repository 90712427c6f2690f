#include "host/SettingsApp.h"

#include <algorithm>

#include "host/SettingsNavigationBar.h"
#include "host/System.h"
#include "platform/device/Process.h"
#include "platform/device/SystemCommand.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/FileSystem.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIKitClasses.h"
#include "platform/ui/UILabel.h"

namespace host {
namespace {

constexpr const char* kBundleFolder = "/Library/PreferenceBundles";

bool installed(const std::string& name) {
    bool isDirectory = false;
    return ns::FileSystem::shared().fileExists(std::string(kBundleFolder) + "/" + name + ".bundle",
                                               &isDirectory) &&
           isDirectory;
}

// A row of the list: the bundle's name at the left, a chevron at the right, hairlines above
// the first row and below each, grey while touched.
class SettingsListRow : public UIButton {
public:
    SettingsListRow(CGRect frame, bool first) : UIButton(frame), first_(first) {
        setBackgroundColor(UIColor::whiteColor());
    }
    void layoutSubviews() override {
        UIButton::layoutSubviews();
        const CGRect b = bounds();
        if (UILabel* title = titleLabel()) {
            title->setTextAlignment(NSTextAlignmentLeft);
            title->setFrame(CGRectMake(15, 0, b.size.width - 45, b.size.height));
        }
    }
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override {
        const platform::Color separator{0.78, 0.78, 0.80, 1};
        ctx.setFillColor(separator);
        if (first_) ctx.fillRect(CGRectMake(0, 0, rect.size.width, 0.5));
        ctx.fillRect(CGRectMake(0, rect.size.height - 0.5, rect.size.width, 0.5));
        const double x = rect.size.width - 23, y = rect.size.height / 2;
        platform::GStateGuard guard(ctx);
        ctx.setStrokeColor(separator);
        ctx.setLineWidth(2);
        ctx.setLineCap(platform::LineCap::Round);
        ctx.beginPath();
        ctx.moveTo(CGPointMake(x, y - 6.5));
        ctx.lineTo(CGPointMake(x + 6.5, y));
        ctx.lineTo(CGPointMake(x, y + 6.5));
        ctx.strokePath();
    }

protected:
    void stateDidChange() override {
        UIButton::stateDidChange();
        setBackgroundColor(isHighlighted() ? UIColor::colorWithWhite(0.85, 1)
                                           : UIColor::whiteColor());
    }

private:
    bool first_;
};

// The first screen: one row per installed bundle, grouped below the bar as the phone lists
// its settings bundles.
class SettingsListController : public UIViewController {
public:
    LU_OBJC_CLASS(PSUIPrefsListController)
    SettingsListController(SettingsApp* app, std::vector<std::string> names)
        : app_(app), names_(std::move(names)) {
        setTitle("Settings");
    }
    void viewDidLoad() override {
        auto v = view();
        v->setBackgroundColor(UIColor::colorWithRed(0.937, 0.937, 0.957, 1));
        const double w = v->bounds().size.width;
        for (std::size_t i = 0; i < names_.size(); ++i) {
            auto row = std::make_shared<SettingsListRow>(
                CGRectMake(0, SettingsNavigationBar::kHeight + 35 + 44.0 * i, w, 44), i == 0);
            row->setTitle(names_[i], UIControlStateNormal);
            row->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
            row->titleLabel()->setFont(UIFont::fontWithName("HelveticaNeue", 17));
            row->setTag(static_cast<long>(i) + 1);
            const std::string name = names_[i];
            SettingsApp* app = app_;
            row->addTarget(
                nullptr, [app, name](UIControl*, UIEvent*) { app->openBundle(name, true); },
                UIControlEventTouchUpInside);
            v->addSubview(row);
        }
    }

private:
    SettingsApp* app_;  // owns the window that owns this controller
    std::vector<std::string> names_;
};

// The navigation stack, telling the app when a screen hides or shows the bar.
class SettingsNavigationController : public UINavigationController {
public:
    SettingsNavigationController(const std::shared_ptr<UIViewController>& root, SettingsApp* app)
        : UINavigationController(root), app_(app) {}
    void setNavigationBarHidden(bool hidden, bool animated) override {
        UINavigationController::setNavigationBarHidden(hidden, animated);
        app_->updateNavigationBar();
    }

private:
    SettingsApp* app_;  // owns the window that owns this controller
};

// Every control a touch reaches starts being watched, before the touch goes on to it.
class SettingsWindow : public UIWindow {
public:
    SettingsWindow(CGRect frame, SettingsApp* app) : UIWindow(frame), app_(app) {}
    UIView* hitTest(CGPoint point, UIEvent* event) override {
        UIView* hit = UIWindow::hitTest(point, event);
        for (UIView* v = hit; v != nullptr; v = v->superview()) {
            if (auto* control = dynamic_cast<UIControl*>(v)) {
                app_->watchControl(*control);
                break;
            }
        }
        return hit;
    }

private:
    SettingsApp* app_;  // owns this window
};

bool isVisible(const UIView& view) {
    for (const UIView* v = &view; v != nullptr; v = v->superview()) {
        if (v->isHidden() || v->alpha() <= 0) return false;
    }
    return true;
}

UIControl* searchNamed(UIView& view, const std::string& name) {
    const auto& subviews = view.subviews();
    for (auto it = subviews.rbegin(); it != subviews.rend(); ++it) {
        if (*it == nullptr) continue;
        if (UIControl* found = searchNamed(**it, name)) return found;
    }
    auto* control = dynamic_cast<UIControl*>(&view);
    return control != nullptr && isVisible(view) && controlName(view) == name ? control : nullptr;
}

}  // namespace

std::string controlName(const UIView& control) {
    // A name given for automation is the same in every language and unique on its screen.
    if (!control.accessibilityIdentifier().empty()) return control.accessibilityIdentifier();
    if (const auto* button = dynamic_cast<const UIButton*>(&control)) {
        const std::string title = button->titleForState(UIControlStateNormal);
        if (!title.empty()) return title;
    }
    if (const UIView* row = control.superview()) {
        for (const auto& sibling : row->subviews()) {
            if (const auto* label = dynamic_cast<const UILabel*>(sibling.get())) {
                if (!label->text().empty()) return label->text();
            }
        }
    }
    return {};
}

UIControl* findNamedControl(UIView& root, const std::string& name) {
    return name.empty() ? nullptr : searchNamed(root, name);
}

SettingsApp::SettingsApp() {
    resetHook_ = platform::Process::onReset([this] { processReset(); });
}

SettingsApp::~SettingsApp() {
    if (running_) terminate();
    platform::Process::removeResetHook(resetHook_);
}

void SettingsApp::processReset() {
    // A fresh start of the camera beside Settings leaves this process alive; its classes are
    // registered again when it comes back to the front.
    if (launching_ || !running_ || platform::Process::isAlive(kSettingsBundleIdentifier)) return;
    log_.record("processEnded");
    UIApplication::sharedApplication().reset();
    dropWindow();
    running_ = false;
}

void SettingsApp::dropWindow() {
    navigation_.reset();
    bar_.reset();
    window_.reset();
    watched_.clear();
    watcher_.reset();
}

void SettingsApp::launch() {
    if (running_) terminate();
    launching_ = true;
    // Beside a running camera, which lives on in the background.
    platform::Process::open(kSettingsBundleIdentifier);
    launching_ = false;
    UIApplication::sharedApplication().reset();
    platform::registerUIKitClasses();
    platform::setSystemCommandHandler(&host::system);
    running_ = true;
    background_ = false;
    log_.record("launch", kSettingsBundleIdentifier);
    watcher_ = std::make_shared<NSObject>();
    const CGRect screen = UIScreen::mainScreen().bounds();
    window_ = std::make_shared<SettingsWindow>(screen, this);
    navigation_ = std::make_shared<SettingsNavigationController>(
        std::make_shared<SettingsListController>(this, bundleNames()), this);
    window_->setRootViewController(navigation_);
    bar_ = std::make_shared<SettingsNavigationBar>(
        CGRectMake(0, 0, screen.size.width, SettingsNavigationBar::kHeight));
    bar_->backButton()->addTarget(
        watcher_, [this](UIControl*, UIEvent*) { back(true); }, UIControlEventTouchUpInside);
    window_->addSubview(bar_);
    updateNavigationBar();
    window_->makeKeyAndVisible();
    window_->layoutIfNeeded();
    platform::RunLoop::main().runUntilIdle();
}

void SettingsApp::updateNavigationBar() {
    if (bar_ && navigation_) {
        bar_->update(*navigation_);
        // Above whatever screen slid in.
        if (window_) window_->bringSubviewToFront(bar_.get());
    }
    // Screens lay out their rows as they come, so that touches find them where they are drawn.
    if (window_) window_->layoutIfNeeded();
}

void SettingsApp::watchControl(UIControl& control) {
    std::erase_if(watched_, [](const std::weak_ptr<NSObject>& w) { return w.expired(); });
    const std::shared_ptr<NSObject> self = control.shared_from_this();
    for (const auto& w : watched_) {
        if (w.lock() == self) return;
    }
    watched_.push_back(self);
    // Added after the screen's own actions, so it runs after them: a screen a tap pushed is
    // on the stack when the bar is updated.
    control.addTarget(
        watcher_,
        [this](UIControl* sender, UIEvent*) {
            if (sender != nullptr) log_.record("tap", controlName(*sender), sender->className());
            updateNavigationBar();
        },
        UIControlEventTouchUpInside);
    control.addTarget(
        watcher_,
        [this](UIControl* sender, UIEvent*) {
            if (sender == nullptr) return;
            log_.record("valueChanged",
                        controlName(*sender) + (sender->isSelected() ? " on" : " off"),
                        sender->className());
            updateNavigationBar();
        },
        UIControlEventValueChanged);
}

void SettingsApp::terminate() {
    if (!running_) return;
    running_ = false;
    log_.record("terminate");
    if (platform::Process::current().bundleIdentifier() == kSettingsBundleIdentifier) {
        UIApplication::sharedApplication().reset();
    }
    dropWindow();
    platform::Process::end(kSettingsBundleIdentifier);
}

void SettingsApp::background() {
    if (!running_ || background_) return;
    background_ = true;
    log_.record("background");
}

void SettingsApp::foreground() {
    if (!running_ || !background_) return;
    background_ = false;
    platform::Process::bringToFront(kSettingsBundleIdentifier);
    // A fresh start of another app reset the shared runtime meanwhile.
    platform::registerUIKitClasses();
    platform::setSystemCommandHandler(&host::system);
    UIApplication::sharedApplication().reset();
    if (window_) window_->makeKeyAndVisible();
    log_.record("foreground");
    platform::RunLoop::main().runUntilIdle();
}

std::vector<std::string> SettingsApp::bundleNames() const {
    std::vector<std::string> out;
    for (const auto& name : platform::PreferenceBundles::names()) {
        if (installed(name)) out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::shared_ptr<PSViewController> SettingsApp::openBundle(const std::string& name, bool animated) {
    if (!running_ || !navigation_ || !installed(name)) return nullptr;
    auto root = platform::PreferenceBundles::makeRootController(name);
    if (root == nullptr) return nullptr;
    root->initForContentSize(UIScreen::mainScreen().bounds().size);
    log_.record("openBundle", name);
    navigation_->pushViewController(root, animated);
    updateNavigationBar();
    platform::RunLoop::main().runUntilIdle();
    return root;
}

void SettingsApp::back(bool animated) {
    if (navigation_ && navigation_->popViewController(animated)) {
        log_.record("back");
        updateNavigationBar();
    }
    platform::RunLoop::main().runUntilIdle();
}

UIViewController* SettingsApp::topController() const {
    return navigation_ ? navigation_->topViewController() : nullptr;
}

}  // namespace host
