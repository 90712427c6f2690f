#include "platform/runloop/RunLoop.h"

#include <algorithm>
#include <cstdio>

namespace platform {

RunLoop& RunLoop::main() {
    static RunLoop loop;
    return loop;
}

double RunLoop::now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

EventId RunLoop::schedule(double delay, std::function<void()> fn) {
    std::lock_guard lock(mutex_);
    const Key key{now_ + std::max(0.0, delay), nextSeq_++};
    const EventId id = key.seq;
    events_.emplace(key, Event{id, std::move(fn)});
    index_.emplace(id, key);
    return id;
}

void RunLoop::cancel(EventId id) {
    std::function<void()> doomed;  // destroyed outside the lock: it may own objects
    {
        std::lock_guard lock(mutex_);
        auto it = index_.find(id);
        if (it == index_.end()) return;
        auto ev = events_.find(it->second);
        doomed = std::move(ev->second.fn);
        events_.erase(ev);
        index_.erase(it);
    }
}

bool RunLoop::isPending(EventId id) const {
    std::lock_guard lock(mutex_);
    return index_.count(id) != 0;
}

bool RunLoop::popDue(double until, std::function<void()>& fn) {
    std::lock_guard lock(mutex_);
    if (events_.empty()) return false;
    auto it = events_.begin();
    if (it->first.time > until) return false;
    now_ = std::max(now_, it->first.time);
    fn = std::move(it->second.fn);
    index_.erase(it->second.id);
    events_.erase(it);
    return true;
}

void RunLoop::quiesce() {
    std::vector<Quiescer> copy;
    {
        std::lock_guard lock(mutex_);
        for (auto& [token, q] : quiescers_) copy.push_back(q);
    }
    for (auto& q : copy) q();
}

std::size_t RunLoop::runFor(double seconds, std::size_t maxEvents) {
    const double until = now() + std::max(0.0, seconds);
    std::size_t fired = 0;
    std::function<void()> fn;
    for (;;) {
        // Work handed to background queues finishes before virtual time moves on.
        quiesce();
        if (!popDue(until, fn)) break;
        fn();
        fn = nullptr;
        if (++fired >= maxEvents) {
            std::fprintf(stderr, "runloop: watchdog stopped the run after %zu events\n", fired);
            return fired;
        }
    }
    std::lock_guard lock(mutex_);
    now_ = std::max(now_, until);
    return fired;
}

std::size_t RunLoop::runUntilIdle(std::size_t maxEvents) {
    return runFor(0, maxEvents);
}

std::size_t RunLoop::runUntilEmpty(double limitSeconds) {
    const double until = now() + limitSeconds;
    std::size_t fired = 0;
    for (;;) {
        quiesce();
        const double next = nextEventTime();
        if (next < 0 || next > until) break;
        fired += runFor(next - now());
    }
    return fired;
}

std::size_t RunLoop::pendingCount() const {
    std::lock_guard lock(mutex_);
    return events_.size();
}

double RunLoop::nextEventTime() const {
    std::lock_guard lock(mutex_);
    return events_.empty() ? -1.0 : events_.begin()->first.time;
}

int RunLoop::addQuiescer(Quiescer fn) {
    std::lock_guard lock(mutex_);
    const int token = nextQuiescer_++;
    quiescers_.emplace(token, std::move(fn));
    return token;
}

void RunLoop::removeQuiescer(int token) {
    std::lock_guard lock(mutex_);
    quiescers_.erase(token);
}

void RunLoop::reset() {
    std::map<Key, Event> doomed;
    {
        std::lock_guard lock(mutex_);
        doomed.swap(events_);
        index_.clear();
        now_ = 0;
    }
}

}  // namespace platform
