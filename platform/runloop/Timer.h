#pragma once
// NSTimer on the virtual clock: one-shot or repeating, invalidated explicitly. The timer holds
// its callback; a repeating timer fires at start + k * interval (no drift).

#include <functional>
#include <memory>

#include "platform/objc/NSObject.h"
#include "platform/runloop/RunLoop.h"

namespace platform {

class NSTimer : public NSObject {
public:
    LU_OBJC_CLASS(NSTimer)
    using Callback = std::function<void(NSTimer&)>;

    // Schedules on the main run loop (scheduledTimerWithTimeInterval:...repeats:).
    static std::shared_ptr<NSTimer> scheduled(double interval, bool repeats, Callback callback);

    void invalidate();
    bool isValid() const { return valid_; }
    double timeInterval() const { return interval_; }
    // Fires now (and, for a repeating timer, keeps its schedule).
    void fire();

private:
    NSTimer(double interval, bool repeats, Callback callback);
    void arm();

    double interval_;
    bool repeats_;
    bool valid_ = true;
    Callback callback_;
    double nextFire_ = 0;
    EventId pending_ = 0;
};

// performSelector:withObject:afterDelay: and cancelPreviousPerformRequestsWithTarget:. Requests
// are keyed by their target object; the target is held weakly, so a request whose target has
// gone does nothing.
void performAfterDelay(const std::shared_ptr<NSObject>& target, double delay,
                       std::function<void()> fn);
void cancelPreviousPerformRequests(const NSObject* target);

}  // namespace platform
