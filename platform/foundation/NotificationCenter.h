#pragma once
// Notification centres.
//
// The Darwin notify centre is device-wide: an observer registered by one simulated process is
// told of a name posted by any other. Delivery is asynchronous: each observer's callback is
// posted as an event on the main run loop and runs on its next turn, as the platform delivers
// to the main thread. Observers are keyed by (observer pointer, name).
//
// NSNotificationCenter is per process and delivers synchronously, inside post().

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"

// ---- Darwin notify centre, in the platform's C spelling ----

struct __CFNotificationCenter;
using CFNotificationCenterRef = __CFNotificationCenter*;
using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer,
                                        const char* name, const void* object,
                                        const ns::Dictionary* userInfo);

enum CFNotificationSuspensionBehavior {
    CFNotificationSuspensionBehaviorDrop = 1,
    CFNotificationSuspensionBehaviorCoalesce = 2,
    CFNotificationSuspensionBehaviorHold = 3,
    CFNotificationSuspensionBehaviorDeliverImmediately = 4,
};

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();
// Registers `callback` for `name` (a null name: every name). A second registration of the same
// observer and name replaces the first.
void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, const char* name,
                                     const void* object, int suspensionBehavior);
void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        const char* name, const void* object);
void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer);
// The Darwin centre carries only the name: object and userInfo are not delivered (null), as on
// the platform.
void CFNotificationCenterPostNotification(CFNotificationCenterRef center, const char* name,
                                          const void* object, const ns::Dictionary* userInfo,
                                          bool deliverImmediately);

namespace platform {
// Removes every Darwin observer (a fresh device; tests).
void resetDarwinNotifyCenter();
// The simulated process whose observers are registered from now on (set by the launcher).
void setDarwinNotifyProcess(std::uint64_t process);
// Removes the Darwin observers a process registered, when it ends (as the platform does).
void removeDarwinObserversOfProcess(std::uint64_t process);
}  // namespace platform

// ---- In-process notification centre ----

class NSNotificationCenter {
public:
    using Handler = std::function<void(const ns::Dictionary& userInfo)>;
    // Identifies a registration; also accepted by removeObserver.
    using Token = std::uint64_t;

    static NSNotificationCenter& defaultCenter();

    NSNotificationCenter(const NSNotificationCenter&) = delete;
    NSNotificationCenter& operator=(const NSNotificationCenter&) = delete;

    // Registers `handler` for `name`. `owner` is held weakly: once it is gone the handler is
    // dropped and never called. Returns a token for removeObserver.
    Token addObserver(const std::string& name, std::weak_ptr<const void> owner, Handler handler);
    void removeObserver(Token token);
    // Removes every registration whose owner is `owner`.
    void removeObserver(const void* owner);
    // Calls the handlers registered for `name`, in registration order, before returning.
    // Handlers may add or remove observers while it runs.
    void post(const std::string& name, const ns::Dictionary& userInfo = {});

    // Forgets every observer (a new process).
    void reset();

private:
    NSNotificationCenter() = default;
    struct Entry {
        std::string name;
        std::weak_ptr<const void> owner;
        bool hasOwner = false;
        const void* ownerKey = nullptr;
        std::shared_ptr<Handler> handler;
    };
    std::mutex mutex_;
    std::map<Token, Entry> entries_;
    Token nextToken_ = 1;
};
