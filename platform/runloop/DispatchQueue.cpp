#include "platform/runloop/DispatchQueue.h"

#include "platform/runloop/RunLoop.h"

namespace platform {

DispatchQueue::DispatchQueue(std::string label) : label_(std::move(label)) {
    worker_ = std::thread([this] { workerLoop(); });
    quiescer_ = RunLoop::main().addQuiescer([this] { drain(); });
}

DispatchQueue::~DispatchQueue() {
    RunLoop::main().removeQuiescer(quiescer_);
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

DispatchQueue& DispatchQueue::global() {
    static DispatchQueue queue("com.apple.root.default-qos");
    return queue;
}

void DispatchQueue::async(std::function<void()> fn) {
    {
        std::lock_guard lock(mutex_);
        blocks_.push_back(std::move(fn));
    }
    wake_.notify_one();
}

void DispatchQueue::after(double delay, std::function<void()> fn) {
    RunLoop::main().schedule(delay, [this, fn = std::move(fn)]() mutable { async(std::move(fn)); });
}

void DispatchQueue::drain() {
    if (isCurrent()) return;  // a block waiting for its own queue would never return
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return blocks_.empty() && !running_; });
}

bool DispatchQueue::isCurrent() const {
    return std::this_thread::get_id() == worker_.get_id();
}

void DispatchQueue::workerLoop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !blocks_.empty(); });
        if (blocks_.empty() && stopping_) return;
        auto fn = std::move(blocks_.front());
        blocks_.pop_front();
        running_ = true;
        lock.unlock();
        fn();
        fn = nullptr;
        lock.lock();
        running_ = false;
        if (blocks_.empty()) idle_.notify_all();
    }
}

void dispatch_async_main(std::function<void()> fn) {
    RunLoop::main().post(std::move(fn));
}

void dispatch_after_main(double delay, std::function<void()> fn) {
    RunLoop::main().schedule(delay, std::move(fn));
}

}  // namespace platform
