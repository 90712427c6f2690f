#pragma once
// Key-value observation of an object's properties ("lensPosition", "ISO", ...).
//
// Observers implement NSKeyValueObserving and are held weakly: an observer that has gone is
// skipped, never called. A change is delivered to each observer registered at the time of the
// change as its own event on the main run loop, never inside the setter that made the change
// (on the phone these notifications come from the capture system's threads). An observer removed
// before its event runs is not called. Removing a registration that does not exist does nothing.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/objc/NSObject.h"

using NSKeyValueObservingOptions = unsigned long;
inline constexpr NSKeyValueObservingOptions NSKeyValueObservingOptionNew = 0x01;
inline constexpr NSKeyValueObservingOptions NSKeyValueObservingOptionOld = 0x02;
inline constexpr NSKeyValueObservingOptions NSKeyValueObservingOptionInitial = 0x04;

// The change dictionary: the values asked for with the options, as numbers (durations in
// seconds, modes as their enumeration values).
struct NSKeyValueChange {
    std::optional<double> newValue;  // with NSKeyValueObservingOptionNew
    std::optional<double> oldValue;  // with NSKeyValueObservingOptionOld
    bool initial = false;  // the notification asked for by NSKeyValueObservingOptionInitial
};

class NSKeyValueObserving {
public:
    virtual ~NSKeyValueObserving() = default;
    virtual void observeValueForKeyPath(const std::string& keyPath, NSObject* object,
                                        const NSKeyValueChange& change, void* context) = 0;
};

// The registrations of one observed object. The object owns it and forwards
// addObserver / removeObserver to it, and calls didChange from its setters.
class KeyValueObservable {
public:
    explicit KeyValueObservable(NSObject& owner);
    KeyValueObservable(const KeyValueObservable&) = delete;
    KeyValueObservable& operator=(const KeyValueObservable&) = delete;

    // `currentValue` is the property's value now, for NSKeyValueObservingOptionInitial.
    void addObserver(const std::shared_ptr<NSKeyValueObserving>& observer,
                     const std::string& keyPath, NSKeyValueObservingOptions options, void* context,
                     std::optional<double> currentValue);
    // Removes the most recent registration of `observer` for `keyPath`.
    void removeObserver(const NSKeyValueObserving* observer, const std::string& keyPath);
    void removeObserver(const NSKeyValueObserving* observer, const std::string& keyPath,
                        void* context);

    // Queues one notification per live registration for `keyPath`. No-op when old == new.
    void didChange(const std::string& keyPath, double oldValue, double newValue);

    // Live registrations for `keyPath`.
    std::size_t observerCount(const std::string& keyPath) const;

private:
    struct Registration {
        std::uint64_t id;
        std::weak_ptr<NSKeyValueObserving> observer;
        const NSKeyValueObserving* identity;
        std::string keyPath;
        NSKeyValueObservingOptions options;
        void* context;
    };
    struct State {
        std::mutex mutex;
        std::vector<Registration> registrations;
        std::uint64_t nextId = 1;
        bool isRegistered(std::uint64_t id);
    };

    void deliver(const Registration& reg, NSKeyValueChange change);

    NSObject& owner_;
    std::shared_ptr<State> state_ = std::make_shared<State>();
};
