#pragma once
// The simulator's main queue as the HTTP server sees it. Server threads never touch a view, the
// run loop or the device root: they hand each request to the simulator thread as a job and wait
// for its reply. The simulator thread takes jobs one at a time, between steps of its clock.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <optional>
#include <string>

namespace viewer {

// What a request comes to: an HTTP status, a body and its type.
struct Reply {
    int status = 200;
    std::string body;
    std::string contentType = "application/json";
    static Reply json(std::string body, int status = 200) { return {status, std::move(body)}; }
    // {"error": message}, for a 4xx or 5xx.
    static Reply error(int status, const std::string& message);
};

class MainQueue {
public:
    using Clock = std::chrono::steady_clock;
    using Job = std::function<Reply()>;

    // Any thread: runs `job` on the simulator thread and waits for its reply, at most `timeout`
    // (503 when the queue is closed or the simulator does not answer in time).
    Reply call(Job job, std::chrono::milliseconds timeout = std::chrono::seconds(30));

    // Simulator thread: runs the next job, waiting for one until `deadline`. False when none
    // came (the deadline passed or the queue was closed).
    bool runNext(Clock::time_point deadline);
    // Wakes the simulator thread without a job (its clock changed: it recomputes its deadline).
    void wake();
    // Refuses new jobs and answers the waiting ones with 503.
    void close();
    bool closed() const;

private:
    struct Pending {
        Job job;
        std::promise<Reply> reply;
    };
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::shared_ptr<Pending>> jobs_;
    bool closed_ = false;
    bool woken_ = false;
};

}  // namespace viewer
