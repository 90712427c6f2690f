#pragma once
// The simulated app process. Launching resets everything a real process would start without:
// the object runtime, the main run loop, the in-process notification centre, the per-process
// singletons other subsystems register through onReset(). The device-wide state (file system,
// Darwin notify centre, device configuration) survives. Add-on constructors are not run here:
// the launcher runs them through objc::Injection after registering the app's classes.

#include <functional>
#include <string>

namespace platform {

class Process {
public:
    static Process& current();

    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Ends any running process, resets the per-process state and starts `bundleIdentifier`.
    static void launch(const std::string& bundleIdentifier);
    // Ends the running process (its per-process state is reset). Does nothing when none runs.
    static void terminate();
    static bool isRunning();

    // Registers a function called at every launch and termination, in registration order.
    // Returns a token for removeResetHook.
    static int onReset(std::function<void()> hook);
    static void removeResetHook(int token);

    const std::string& bundleIdentifier() const { return bundleIdentifier_; }

private:
    Process() = default;
    void resetState();
    std::string bundleIdentifier_;
    bool running_ = false;
};

}  // namespace platform
