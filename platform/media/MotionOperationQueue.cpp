#include "platform/media/MotionOperationQueue.h"

namespace {
thread_local NSOperationQueue* runningQueue = nullptr;
}

NSOperationQueue::~NSOperationQueue() {
    cancelAllOperations();
}

std::shared_ptr<NSOperationQueue> NSOperationQueue::mainQueue() {
    static const auto queue = std::make_shared<NSOperationQueue>();
    return queue;
}

NSOperationQueue* NSOperationQueue::currentQueue() {
    return runningQueue;
}

void NSOperationQueue::addOperationWithBlock(std::function<void()> block) {
    addOperationAfterDelay(0, std::move(block));
}

platform::EventId NSOperationQueue::addOperationAfterDelay(double delay,
                                                           std::function<void()> block) {
    if (!block) return 0;
    // The event holds the id in a shared cell so it can forget itself once it has run; the
    // queue's destructor cancels what is still pending, so `this` is valid when the event runs.
    auto cell = std::make_shared<platform::EventId>(0);
    const platform::EventId id =
        platform::RunLoop::main().schedule(delay, [this, cell, block = std::move(block)] {
            pending_.erase(*cell);
            NSOperationQueue* outer = runningQueue;
            runningQueue = this;
            block();
            runningQueue = outer;
        });
    *cell = id;
    pending_.insert(id);
    return id;
}

void NSOperationQueue::cancelOperation(platform::EventId id) {
    if (pending_.erase(id) != 0) platform::RunLoop::main().cancel(id);
}

void NSOperationQueue::cancelAllOperations() {
    for (platform::EventId id : pending_) platform::RunLoop::main().cancel(id);
    pending_.clear();
}
