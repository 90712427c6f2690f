#pragma once
// The Settings application's Preferences framework as a settings bundle sees it: the base class
// of a bundle's root controller, and the registry through which the Settings app finds a
// bundle's root controller by the bundle's name ("LU3_Prefs"). A bundle registers a factory;
// the Settings app makes the controller, gives it the content size (initForContentSize:) and
// pushes it onto its navigation stack. Header-only: the bundle and the Settings app share it
// without linking each other.

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/geometry/Geometry.h"
#include "platform/ui/UINavigationController.h"
#include "platform/ui/UIViewController.h"

class PSViewController : public UIViewController {
public:
    LU_OBJC_CLASS(PSViewController)

    // The loader's entry, right after the controller is made.
    virtual void initForContentSize(CGSize size) { contentSize_ = size; }
    virtual CGSize contentSize() const { return contentSize_; }
    // The title the Settings app shows above the screen.
    virtual std::string navigationTitle() const { return title(); }

    // Pushes a screen onto the Settings navigation stack that shows this controller. Does
    // nothing while the controller is not on a navigation stack or for a null controller.
    virtual void pushController(const std::shared_ptr<UIViewController>& controller,
                                bool animated = true) {
        if (controller == nullptr) return;
        if (UINavigationController* nav = navigationController()) {
            nav->pushViewController(controller, animated);
        }
    }

private:
    CGSize contentSize_{};
};

namespace platform {

using PreferenceBundleFactory = std::function<std::shared_ptr<PSViewController>()>;

// Root-controller factories by bundle name. Thread-safe; registration replaces an earlier one.
class PreferenceBundles {
public:
    static void registerBundle(const std::string& name, PreferenceBundleFactory factory) {
        std::lock_guard lock(state().mutex);
        if (factory) {
            state().factories[name] = std::move(factory);
        } else {
            state().factories.erase(name);
        }
    }
    static void unregisterBundle(const std::string& name) { registerBundle(name, nullptr); }
    static bool isRegistered(const std::string& name) {
        std::lock_guard lock(state().mutex);
        return state().factories.count(name) != 0;
    }
    // A new root controller of the bundle; null when none is registered or the factory gives
    // none.
    static std::shared_ptr<PSViewController> makeRootController(const std::string& name) {
        PreferenceBundleFactory factory;
        {
            std::lock_guard lock(state().mutex);
            auto it = state().factories.find(name);
            if (it == state().factories.end()) return nullptr;
            factory = it->second;
        }
        return factory();
    }
    static std::vector<std::string> names() {
        std::lock_guard lock(state().mutex);
        std::vector<std::string> out;
        for (const auto& [name, factory] : state().factories) out.push_back(name);
        return out;
    }

private:
    struct State {
        std::mutex mutex;
        std::map<std::string, PreferenceBundleFactory> factories;
    };
    static State& state() {
        static State s;
        return s;
    }
};

}  // namespace platform
