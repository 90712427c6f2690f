#pragma once
// Where the simulator thread leaves what the page shows: the latest screen as encoded bytes and
// the latest state (photos, preferences, clock, recording) as JSON, each with a version that
// grows by one per change. Both are immutable once posted, so server threads read them without
// asking the simulator; they wait here for the next version (server-sent events).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace viewer {

struct Frame {
    std::uint64_t version = 0;
    std::string contentType;  // "image/jpeg"
    std::vector<std::uint8_t> bytes;
};

struct StateSnapshot {
    std::uint64_t version = 0;
    std::string json;
};

class FrameBoard {
public:
    FrameBoard();

    // Simulator thread: a new screen (its version is set here).
    void postFrame(std::string contentType, std::vector<std::uint8_t> bytes);
    // Simulator thread: a new state, posted only when its JSON differs from the last one.
    void postState(std::string json);

    std::shared_ptr<const Frame> frame() const;
    std::shared_ptr<const StateSnapshot> state() const;

    // Waits until the frame or the state is newer than the versions given, the board closes or
    // `timeout` passes. True when something is newer.
    bool waitNewer(std::uint64_t frameVersion, std::uint64_t stateVersion,
                   std::chrono::milliseconds timeout) const;

    // The page's live connections: the clock runs only while one is open.
    void viewerJoined();
    void viewerLeft();
    int viewers() const;

    // Wakes every waiter for good (the server stops).
    void close();
    bool closed() const;

private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::shared_ptr<const Frame> frame_;
    std::shared_ptr<const StateSnapshot> state_;
    int viewers_ = 0;
    bool closed_ = false;
};

}  // namespace viewer
