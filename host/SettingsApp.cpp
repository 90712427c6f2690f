#include "host/SettingsApp.h"

#include <algorithm>

#include "platform/device/Process.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/FileSystem.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIKitClasses.h"

namespace host {
namespace {

constexpr const char* kBundleFolder = "/Library/PreferenceBundles";

bool installed(const std::string& name) {
    bool isDirectory = false;
    return ns::FileSystem::shared().fileExists(std::string(kBundleFolder) + "/" + name + ".bundle",
                                               &isDirectory) &&
           isDirectory;
}

// The first screen: one row per installed bundle.
class SettingsListController : public UIViewController {
public:
    LU_OBJC_CLASS(PSUIPrefsListController)
    SettingsListController(SettingsApp* app, std::vector<std::string> names)
        : app_(app), names_(std::move(names)) {
        setTitle("Settings");
    }
    void viewDidLoad() override {
        auto v = view();
        v->setBackgroundColor(UIColor::colorWithWhite(0.94, 1));
        const double w = v->bounds().size.width;
        for (std::size_t i = 0; i < names_.size(); ++i) {
            auto row = std::make_shared<UIButton>(CGRectMake(0, 64 + 45.0 * i, w, 44));
            row->setBackgroundColor(UIColor::whiteColor());
            row->setTitle(names_[i], UIControlStateNormal);
            row->setTitleColor(UIColor::blackColor(), UIControlStateNormal);
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

}  // namespace

SettingsApp::SettingsApp() {
    resetHook_ = platform::Process::onReset([this] { processReset(); });
}

SettingsApp::~SettingsApp() {
    if (running_) terminate();
    platform::Process::removeResetHook(resetHook_);
}

void SettingsApp::processReset() {
    if (launching_ || !running_) return;
    UIApplication::sharedApplication().reset();
    navigation_.reset();
    window_.reset();
    running_ = false;
}

void SettingsApp::launch() {
    launching_ = true;
    platform::Process::launch(kSettingsBundleIdentifier);
    launching_ = false;
    UIApplication::sharedApplication().reset();
    platform::registerUIKitClasses();
    running_ = true;
    window_ = std::make_shared<UIWindow>(UIScreen::mainScreen().bounds());
    navigation_ = std::make_shared<UINavigationController>(
        std::make_shared<SettingsListController>(this, bundleNames()));
    window_->setRootViewController(navigation_);
    window_->makeKeyAndVisible();
    window_->layoutIfNeeded();
    platform::RunLoop::main().runUntilIdle();
}

void SettingsApp::terminate() {
    if (!running_) return;
    running_ = false;
    UIApplication::sharedApplication().reset();
    navigation_.reset();
    window_.reset();
    platform::Process::terminate();
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
    navigation_->pushViewController(root, animated);
    platform::RunLoop::main().runUntilIdle();
    return root;
}

void SettingsApp::back(bool animated) {
    if (navigation_) navigation_->popViewController(animated);
    platform::RunLoop::main().runUntilIdle();
}

UIViewController* SettingsApp::topController() const {
    return navigation_ ? navigation_->topViewController() : nullptr;
}

}  // namespace host
