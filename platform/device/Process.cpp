#include "platform/device/Process.h"

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

void Process::launch(const std::string& bundleIdentifier) {
    Process& p = current();
    if (p.running_) terminate();
    p.resetState();
    setDarwinNotifyProcess(++processNumber);
    p.bundleIdentifier_ = bundleIdentifier;
    NSBundle::mainBundle().setBundleIdentifier(bundleIdentifier);
    p.running_ = true;
}

void Process::terminate() {
    Process& p = current();
    if (!p.running_) return;
    p.running_ = false;
    p.resetState();
    p.bundleIdentifier_.clear();
    NSBundle::mainBundle().setBundleIdentifier("");
}

bool Process::isRunning() {
    return current().running_;
}

}  // namespace platform
