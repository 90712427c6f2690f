#pragma once
// The main run loop of a simulated app process, on a virtual clock.
//
// Everything the platform does "later" on the main thread is an event here: main-queue blocks,
// delayed calls, timers, animation completions, motion samples and key-value notifications.
// `runFor(s)` fires the events due within the next s seconds of virtual time in time order
// (first scheduled first among equal times) and leaves the clock at now + s. Only this class
// reads time; everything else asks it.
//
// Threads: `post` and `schedule` may be called from any thread (a worker posting its completion
// back to main). Events run only on the thread that calls runFor / runUntilIdle. Before the clock
// advances, the loop waits for registered background queues to finish what they hold, so that a
// worker thread's result lands at the virtual time it was started, whatever the real speed.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

namespace platform {

using EventId = std::uint64_t;

class RunLoop {
public:
    static RunLoop& main();

    // Virtual seconds since the process started.
    double now() const;

    // Runs `fn` after `delay` seconds of virtual time (0: on the next turn). Returns an id for
    // cancel(). A negative delay counts as 0.
    EventId schedule(double delay, std::function<void()> fn);
    // Runs `fn` on the next turn of the loop (dispatch_async to the main queue).
    EventId post(std::function<void()> fn) { return schedule(0, std::move(fn)); }
    // Cancels a pending event; unknown or already-run ids are ignored.
    void cancel(EventId id);
    bool isPending(EventId id) const;

    // Fires events due within `seconds` of virtual time, then sets the clock to now + seconds.
    // Returns the number of events fired. `maxEvents` is a watchdog against a loop that keeps
    // scheduling zero-delay work forever: past it the run stops and reports on stderr.
    std::size_t runFor(double seconds, std::size_t maxEvents = 50'000'000);
    // Fires events already due (at the current time), including ones they post, without
    // advancing the clock.
    std::size_t runUntilIdle(std::size_t maxEvents = 1'000'000);
    // Fires everything pending, advancing the clock to each event, up to `limit` seconds ahead.
    std::size_t runUntilEmpty(double limitSeconds = 3600);

    std::size_t pendingCount() const;
    // Virtual time of the earliest pending event, or a negative value when none.
    double nextEventTime() const;

    // A function called (on the loop's thread) before the clock moves forward; background queues
    // register their drain here.
    using Quiescer = std::function<void()>;
    int addQuiescer(Quiescer fn);
    void removeQuiescer(int token);

    // Forgets every pending event and sets the clock to 0 (a new process).
    void reset();

private:
    RunLoop() = default;
    struct Key {
        double time;
        std::uint64_t seq;
        bool operator<(const Key& o) const { return time != o.time ? time < o.time : seq < o.seq; }
    };
    struct Event {
        EventId id;
        std::function<void()> fn;
    };

    bool popDue(double until, std::function<void()>& fn);
    void quiesce();

    mutable std::mutex mutex_;
    double now_ = 0;
    std::uint64_t nextSeq_ = 1;
    std::map<Key, Event> events_;
    std::map<EventId, Key> index_;
    std::map<int, Quiescer> quiescers_;
    int nextQuiescer_ = 1;
};

}  // namespace platform
