#pragma once
// A serial queue running its blocks on a real worker thread (the host's photo-saving queue, the
// global background queue). The main run loop waits for every queue to drain before it moves
// virtual time forward, so results are deterministic while the work really runs off the main
// thread.

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace platform {

class DispatchQueue {
public:
    explicit DispatchQueue(std::string label);
    ~DispatchQueue();
    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    // The process's global background queue.
    static DispatchQueue& global();

    const std::string& label() const { return label_; }
    void async(std::function<void()> fn);
    // Runs `fn` on this queue after `delay` seconds of virtual time.
    void after(double delay, std::function<void()> fn);
    // Blocks until every block enqueued so far has finished.
    void drain();
    bool isCurrent() const;

private:
    void workerLoop();

    std::string label_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> blocks_;
    bool running_ = false;
    bool stopping_ = false;
    int quiescer_ = 0;
    std::thread worker_;
};

// Shorthands in the platform's spelling.
void dispatch_async_main(std::function<void()> fn);
void dispatch_after_main(double delay, std::function<void()> fn);

}  // namespace platform
