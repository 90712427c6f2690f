#pragma once
// NSOperationQueue as the motion framework uses it: a serial queue whose blocks run as events of
// the main run loop, so a handler never runs on the stack of the call that queued it. Blocks run
// in the order queued (delayed blocks at their virtual time). Main thread only.

#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_set>

#include "platform/objc/NSObject.h"
#include "platform/runloop/RunLoop.h"

class NSOperationQueue : public NSObject {
public:
    LU_OBJC_CLASS(NSOperationQueue)
    NSOperationQueue() = default;
    ~NSOperationQueue() override;

    // The queue of the main thread.
    static std::shared_ptr<NSOperationQueue> mainQueue();
    // The queue whose block is running now, or null outside any block.
    static NSOperationQueue* currentQueue();

    void addOperationWithBlock(std::function<void()> block);
    // Runs `block` on this queue `delay` seconds of virtual time from now (used by the motion
    // manager to deliver a sample at its sample time).
    platform::EventId addOperationAfterDelay(double delay, std::function<void()> block);
    // Drops one pending block, or all of them.
    void cancelOperation(platform::EventId id);
    void cancelAllOperations();
    std::size_t operationCount() const { return pending_.size(); }

private:
    std::unordered_set<platform::EventId> pending_;
};
