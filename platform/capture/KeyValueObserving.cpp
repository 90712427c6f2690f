#include "platform/capture/KeyValueObserving.h"

#include <algorithm>

#include "platform/runloop/RunLoop.h"

KeyValueObservable::KeyValueObservable(NSObject& owner) : owner_(owner) {}

bool KeyValueObservable::State::isRegistered(std::uint64_t id) {
    std::lock_guard lock(mutex);
    return std::any_of(registrations.begin(), registrations.end(),
                       [&](const Registration& r) { return r.id == id; });
}

void KeyValueObservable::addObserver(const std::shared_ptr<NSKeyValueObserving>& observer,
                                     const std::string& keyPath, NSKeyValueObservingOptions options,
                                     void* context, std::optional<double> currentValue) {
    if (!observer || keyPath.empty()) return;
    Registration reg;
    {
        std::lock_guard lock(state_->mutex);
        reg = Registration{state_->nextId++, observer, observer.get(), keyPath, options, context};
        state_->registrations.push_back(reg);
    }
    if ((options & NSKeyValueObservingOptionInitial) != 0) {
        NSKeyValueChange change;
        if ((options & NSKeyValueObservingOptionNew) != 0) change.newValue = currentValue;
        change.initial = true;
        deliver(reg, change);
    }
}

void KeyValueObservable::removeObserver(const NSKeyValueObserving* observer,
                                        const std::string& keyPath) {
    std::lock_guard lock(state_->mutex);
    auto& regs = state_->registrations;
    for (auto it = regs.rbegin(); it != regs.rend(); ++it) {
        if (it->identity == observer && it->keyPath == keyPath) {
            regs.erase(std::next(it).base());
            return;
        }
    }
}

void KeyValueObservable::removeObserver(const NSKeyValueObserving* observer,
                                        const std::string& keyPath, void* context) {
    std::lock_guard lock(state_->mutex);
    auto& regs = state_->registrations;
    for (auto it = regs.rbegin(); it != regs.rend(); ++it) {
        if (it->identity == observer && it->keyPath == keyPath && it->context == context) {
            regs.erase(std::next(it).base());
            return;
        }
    }
}

void KeyValueObservable::didChange(const std::string& keyPath, double oldValue, double newValue) {
    if (oldValue == newValue) return;
    std::vector<Registration> targets;
    {
        std::lock_guard lock(state_->mutex);
        auto& regs = state_->registrations;
        // Registrations whose observer has gone are dropped here.
        regs.erase(std::remove_if(regs.begin(), regs.end(),
                                  [](const Registration& r) { return r.observer.expired(); }),
                   regs.end());
        for (const auto& r : regs) {
            if (r.keyPath == keyPath) targets.push_back(r);
        }
    }
    for (const auto& reg : targets) {
        NSKeyValueChange change;
        if ((reg.options & NSKeyValueObservingOptionNew) != 0) change.newValue = newValue;
        if ((reg.options & NSKeyValueObservingOptionOld) != 0) change.oldValue = oldValue;
        deliver(reg, change);
    }
}

void KeyValueObservable::deliver(const Registration& reg, NSKeyValueChange change) {
    std::weak_ptr<State> state = state_;
    std::weak_ptr<NSObject> object = owner_.weak_from_this();
    platform::RunLoop::main().post([state, object, reg, change] {
        auto liveState = state.lock();
        auto liveObject = object.lock();
        if (!liveState || !liveObject || !liveState->isRegistered(reg.id)) return;
        if (auto observer = reg.observer.lock()) {
            observer->observeValueForKeyPath(reg.keyPath, liveObject.get(), change, reg.context);
        }
    });
}

std::size_t KeyValueObservable::observerCount(const std::string& keyPath) const {
    std::lock_guard lock(state_->mutex);
    return static_cast<std::size_t>(std::count_if(
        state_->registrations.begin(), state_->registrations.end(),
        [&](const Registration& r) { return r.keyPath == keyPath && !r.observer.expired(); }));
}
