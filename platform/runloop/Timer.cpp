#include "platform/runloop/Timer.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace platform {

NSTimer::NSTimer(double interval, bool repeats, Callback callback)
    : interval_(std::max(interval, 0.0001)), repeats_(repeats), callback_(std::move(callback)) {}

std::shared_ptr<NSTimer> NSTimer::scheduled(double interval, bool repeats, Callback callback) {
    std::shared_ptr<NSTimer> timer(new NSTimer(interval, repeats, std::move(callback)));
    timer->nextFire_ = RunLoop::main().now() + timer->interval_;
    timer->arm();
    return timer;
}

// The run loop holds the timer strongly while it is scheduled, as the platform does.
void NSTimer::arm() {
    auto self = std::static_pointer_cast<NSTimer>(shared_from_this());
    const double delay = nextFire_ - RunLoop::main().now();
    pending_ = RunLoop::main().schedule(delay, [self] {
        self->pending_ = 0;
        if (!self->valid_) return;
        if (self->repeats_) {
            self->nextFire_ += self->interval_;
            self->arm();
        } else {
            self->valid_ = false;
        }
        auto cb = self->callback_;  // the callback may invalidate the timer
        if (cb) cb(*self);
        if (!self->valid_) self->callback_ = nullptr;
    });
}

void NSTimer::invalidate() {
    valid_ = false;
    if (pending_ != 0) {
        RunLoop::main().cancel(pending_);
        pending_ = 0;
    }
    callback_ = nullptr;
}

void NSTimer::fire() {
    if (!valid_) return;
    auto cb = callback_;
    if (!repeats_) invalidate();
    if (cb) cb(*this);
}

namespace {
struct PerformRegistry {
    std::mutex mutex;
    std::multimap<const NSObject*, EventId> pending;
};
PerformRegistry& performs() {
    static PerformRegistry registry;
    return registry;
}
}  // namespace

void performAfterDelay(const std::shared_ptr<NSObject>& target, double delay,
                       std::function<void()> fn) {
    if (!target) return;
    const NSObject* key = target.get();
    std::weak_ptr<NSObject> weak = target;
    auto holder = std::make_shared<EventId>(0);
    const EventId id = RunLoop::main().schedule(delay, [weak, key, holder, fn = std::move(fn)] {
        {
            auto& reg = performs();
            std::lock_guard lock(reg.mutex);
            auto range = reg.pending.equal_range(key);
            for (auto it = range.first; it != range.second; ++it) {
                if (it->second == *holder) {
                    reg.pending.erase(it);
                    break;
                }
            }
        }
        if (weak.lock()) fn();
    });
    *holder = id;
    auto& reg = performs();
    std::lock_guard lock(reg.mutex);
    reg.pending.emplace(key, id);
}

void cancelPreviousPerformRequests(const NSObject* target) {
    std::vector<EventId> ids;
    {
        auto& reg = performs();
        std::lock_guard lock(reg.mutex);
        auto range = reg.pending.equal_range(target);
        for (auto it = range.first; it != range.second; ++it) ids.push_back(it->second);
        reg.pending.erase(range.first, range.second);
    }
    for (EventId id : ids) RunLoop::main().cancel(id);
}

}  // namespace platform
