#pragma once
// What the simulated host did, in order, with virtual times: one entry per call the host made to
// a replaceable method (and a few notes of its own: photo saved, recording length, ...).
//
//   12.500 host _setCameraMode:cameraDevice: 1 0
//
// Thread-safe: the photo-saving thread records too. An entry's time is the main run loop's
// virtual time when it was recorded.

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace host {

struct LogEntry {
    double time = 0;
    std::string event;     // the selector or note ("_didTakePhoto", "photoSaved")
    std::string args;      // its arguments as text, may be empty
    std::string receiver;  // the class the call went to, empty for notes
    // Program-wide order of recording, so that the logs of apps running side by side merge.
    std::uint64_t sequence = 0;
    // "12.500 host <event> <args>".
    std::string line() const;
};

class EventLog {
public:
    EventLog() = default;
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    void record(std::string event, std::string args = {}, std::string receiver = {});
    void clear();

    std::vector<LogEntry> entries() const;
    std::size_t size() const;
    // How often `event` was recorded.
    std::size_t count(const std::string& event) const;
    // How often `event` went to an object of class `receiver`.
    std::size_t count(const std::string& receiver, const std::string& event) const;
    // Index of the first entry for `event` at or after `from`; nullopt when there is none.
    std::optional<std::size_t> find(const std::string& event, std::size_t from = 0) const;
    // True when the events occur in this order (each found after the previous one; other
    // entries may come between).
    bool inOrder(const std::vector<std::string>& events, std::size_t from = 0) const;
    // The events recorded at or after `from`, in order.
    std::vector<std::string> events(std::size_t from = 0) const;
    // Every entry as a line, newline-separated.
    std::string text() const;

private:
    mutable std::mutex mutex_;
    std::vector<LogEntry> entries_;
};

// The log of the running camera app; a scratch log when none runs. Set by CameraApp.
EventLog& log();
void setCurrentLog(EventLog* log);

}  // namespace host
