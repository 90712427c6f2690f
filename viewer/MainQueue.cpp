#include "viewer/MainQueue.h"

#include <nlohmann/json.hpp>

namespace viewer {

Reply Reply::error(int status, const std::string& message) {
    return {status, nlohmann::json{{"error", message}}.dump()};
}

Reply MainQueue::call(Job job, std::chrono::milliseconds timeout) {
    auto pending = std::make_shared<Pending>();
    pending->job = std::move(job);
    std::future<Reply> reply = pending->reply.get_future();
    {
        std::lock_guard lock(mutex_);
        if (closed_) return Reply::error(503, "the simulator is shutting down");
        jobs_.push_back(pending);
    }
    ready_.notify_one();
    if (reply.wait_for(timeout) != std::future_status::ready)
        return Reply::error(503, "the simulator did not answer in time");
    return reply.get();
}

bool MainQueue::runNext(Clock::time_point deadline) {
    std::shared_ptr<Pending> next;
    {
        std::unique_lock lock(mutex_);
        ready_.wait_until(lock, deadline, [&] { return closed_ || woken_ || !jobs_.empty(); });
        woken_ = false;
        if (closed_ || jobs_.empty()) return false;
        next = std::move(jobs_.front());
        jobs_.pop_front();
    }
    // A job that throws (nothing here should) still answers its caller.
    try {
        next->reply.set_value(next->job());
    } catch (const std::exception& e) {
        next->reply.set_value(Reply::error(500, e.what()));
    }
    return true;
}

void MainQueue::wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    ready_.notify_one();
}

void MainQueue::close() {
    std::deque<std::shared_ptr<Pending>> left;
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        left.swap(jobs_);
    }
    ready_.notify_all();
    for (auto& p : left) p->reply.set_value(Reply::error(503, "the simulator is shutting down"));
}

bool MainQueue::closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

}  // namespace viewer
