#pragma once
// The simulated app processes. Launching resets everything a real process would start without:
// the object runtime, the main run loop, the in-process notification centre, the per-process
// singletons other subsystems register through onReset(). The device-wide state (file system,
// Darwin notify centre, device configuration) survives. Add-on constructors are not run here:
// the launcher runs them through objc::Injection after registering the app's classes.
//
// As on the phone, one app is in front and others may live on in the background. The apps
// share this program's runtime and run loop: an app opened beside running ones (open) starts
// without a reset, a fresh launch that keeps the others (launch with Others::Keep) resets the
// shared state and leaves the others alive (their reset hooks see them still alive and keep
// their objects), and ending one app among others (end) leaves the shared state alone.

#include <functional>
#include <string>
#include <vector>

namespace platform {

class Process {
public:
    enum class Others { End, Keep };

    static Process& current();

    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Resets the per-process state and starts `bundleIdentifier` in front. With Others::End
    // every running process ends first; with Others::Keep only an earlier process of the same
    // app does.
    static void launch(const std::string& bundleIdentifier, Others others = Others::End);
    // Starts `bundleIdentifier` in front beside the running processes, without a reset (a
    // plain launch when none runs).
    static void open(const std::string& bundleIdentifier);
    // Ends one process; the last one ends as terminate() does. Nothing for an app not running.
    static void end(const std::string& bundleIdentifier);
    // Ends every process (the per-process state is reset). Does nothing when none runs.
    static void terminate();
    static bool isRunning();
    static bool isAlive(const std::string& bundleIdentifier);
    // Makes a running app the front one (the main bundle answers its identifier).
    static void bringToFront(const std::string& bundleIdentifier);
    // The running apps, oldest first.
    static std::vector<std::string> alive();

    // Registers a function called at every reset of the per-process state (a launch, the end
    // of the last process), in registration order. Returns a token for removeResetHook.
    static int onReset(std::function<void()> hook);
    static void removeResetHook(int token);

    // The front app's identifier ("" when none runs).
    const std::string& bundleIdentifier() const { return bundleIdentifier_; }

private:
    Process() = default;
    void resetState();
    void setFront(const std::string& bundleIdentifier);
    std::string bundleIdentifier_;
    std::vector<std::string> alive_;
};

}  // namespace platform
