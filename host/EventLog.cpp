#include "host/EventLog.h"

#include <atomic>
#include <cstdio>

#include "platform/runloop/RunLoop.h"

namespace host {

std::string LogEntry::line() const {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.3f", time);
    std::string s = std::string(stamp) + " host " + event;
    if (!args.empty()) s += " " + args;
    return s;
}

void EventLog::record(std::string event, std::string args, std::string receiver) {
    static std::atomic<std::uint64_t> counter{0};
    LogEntry e{platform::RunLoop::main().now(), std::move(event), std::move(args),
               std::move(receiver), ++counter};
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(e));
}

void EventLog::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
}

std::vector<LogEntry> EventLog::entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
}

std::size_t EventLog::size() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

std::size_t EventLog::count(const std::string& event) const {
    std::lock_guard lock(mutex_);
    std::size_t n = 0;
    for (const auto& e : entries_) n += e.event == event ? 1 : 0;
    return n;
}

std::size_t EventLog::count(const std::string& receiver, const std::string& event) const {
    std::lock_guard lock(mutex_);
    std::size_t n = 0;
    for (const auto& e : entries_) n += e.event == event && e.receiver == receiver ? 1 : 0;
    return n;
}

std::optional<std::size_t> EventLog::find(const std::string& event, std::size_t from) const {
    std::lock_guard lock(mutex_);
    for (std::size_t i = from; i < entries_.size(); ++i) {
        if (entries_[i].event == event) return i;
    }
    return std::nullopt;
}

bool EventLog::inOrder(const std::vector<std::string>& events, std::size_t from) const {
    std::size_t at = from;
    for (const auto& e : events) {
        auto found = find(e, at);
        if (!found) return false;
        at = *found + 1;
    }
    return true;
}

std::vector<std::string> EventLog::events(std::size_t from) const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> out;
    for (std::size_t i = from; i < entries_.size(); ++i) out.push_back(entries_[i].event);
    return out;
}

std::string EventLog::text() const {
    std::string s;
    for (const auto& e : entries()) s += e.line() + "\n";
    return s;
}

namespace {
std::atomic<EventLog*> current{nullptr};
}

EventLog& log() {
    static EventLog scratch;
    EventLog* l = current.load();
    return l != nullptr ? *l : scratch;
}

void setCurrentLog(EventLog* log) {
    current.store(log);
}

}  // namespace host
