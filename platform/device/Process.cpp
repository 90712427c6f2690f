#include "platform/device/Process.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/device/NSBundle.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/objc/Runtime.h"
#include "platform/runloop/RunLoop.h"

namespace platform {

namespace {

struct Hooks {
    std::map<int, std::function<void()>> byToken;  // ordered by registration
    int next = 1;
};

Hooks& hooks() {
    static Hooks h;
    return h;
}

// Numbers the processes so that Darwin observers can be dropped with the process that made them.
std::uint64_t processNumber = 0;

}  // namespace

Process& Process::current() {
    static Process process;
    return process;
}

int Process::onReset(std::function<void()> hook) {
    if (!hook) return 0;
    auto& h = hooks();
    int token = h.next++;
    h.byToken.emplace(token, std::move(hook));
    return token;
}

void Process::removeResetHook(int token) {
    hooks().byToken.erase(token);
}

// Order: the subsystems' own singletons first (they may still refer to runtime objects and
// pending events), then the in-process centre, the run loop and the runtime itself.
void Process::resetState() {
    std::vector<std::function<void()>> toRun;
    for (const auto& [token, hook] : hooks().byToken) toRun.push_back(hook);
    for (const auto& hook : toRun) hook();
    NSNotificationCenter::defaultCenter().reset();
    removeDarwinObserversOfProcess(processNumber);
    RunLoop::main().reset();
    objc::Runtime::current().reset();
    UIScreen::mainScreen().reset();
}

void Process::setFront(const std::string& bundleIdentifier) {
    bundleIdentifier_ = bundleIdentifier;
    NSBundle::mainBundle().setBundleIdentifier(bundleIdentifier);
}

void Process::launch(const std::string& bundleIdentifier, Others others) {
    Process& p = current();
    if (others == Others::End) {
        terminate();
    } else {
        std::erase(p.alive_, bundleIdentifier);
    }
    // Alive before the reset, so that the apps' hooks can tell who lives on.
    p.alive_.push_back(bundleIdentifier);
    p.resetState();
    setDarwinNotifyProcess(++processNumber);
    p.setFront(bundleIdentifier);
}

void Process::open(const std::string& bundleIdentifier) {
    Process& p = current();
    if (p.alive_.empty()) {
        launch(bundleIdentifier);
        return;
    }
    if (!isAlive(bundleIdentifier)) p.alive_.push_back(bundleIdentifier);
    p.setFront(bundleIdentifier);
}

void Process::end(const std::string& bundleIdentifier) {
    Process& p = current();
    if (!isAlive(bundleIdentifier)) return;
    if (p.alive_.size() == 1) {
        terminate();
        return;
    }
    std::erase(p.alive_, bundleIdentifier);
    if (p.bundleIdentifier_ == bundleIdentifier) p.setFront(p.alive_.back());
}

void Process::terminate() {
    Process& p = current();
    if (p.alive_.empty()) return;
    p.alive_.clear();
    p.resetState();
    p.setFront("");
}

bool Process::isRunning() {
    return !current().alive_.empty();
}

bool Process::isAlive(const std::string& bundleIdentifier) {
    const auto& a = current().alive_;
    return std::find(a.begin(), a.end(), bundleIdentifier) != a.end();
}

void Process::bringToFront(const std::string& bundleIdentifier) {
    if (isAlive(bundleIdentifier)) current().setFront(bundleIdentifier);
}

std::vector<std::string> Process::alive() {
    return current().alive_;
}

}  // namespace platform
