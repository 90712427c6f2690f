#include "viewer/FrameBoard.h"

namespace viewer {

FrameBoard::FrameBoard()
    : frame_(std::make_shared<const Frame>()), state_(std::make_shared<const StateSnapshot>()) {}

void FrameBoard::postFrame(std::string contentType, std::vector<std::uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        auto next = std::make_shared<Frame>();
        next->version = frame_->version + 1;
        next->contentType = std::move(contentType);
        next->bytes = std::move(bytes);
        frame_ = std::move(next);
    }
    changed_.notify_all();
}

void FrameBoard::postState(std::string json) {
    {
        std::lock_guard lock(mutex_);
        if (json == state_->json) return;
        state_ = std::make_shared<const StateSnapshot>(StateSnapshot{state_->version + 1, json});
    }
    changed_.notify_all();
}

std::shared_ptr<const Frame> FrameBoard::frame() const {
    std::lock_guard lock(mutex_);
    return frame_;
}

std::shared_ptr<const StateSnapshot> FrameBoard::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

bool FrameBoard::waitNewer(std::uint64_t frameVersion, std::uint64_t stateVersion,
                           std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    const auto newer = [&] {
        return frame_->version > frameVersion || state_->version > stateVersion;
    };
    changed_.wait_for(lock, timeout, [&] { return closed_ || newer(); });
    return newer();
}

void FrameBoard::viewerJoined() {
    std::lock_guard lock(mutex_);
    ++viewers_;
}

void FrameBoard::viewerLeft() {
    std::lock_guard lock(mutex_);
    if (viewers_ > 0) --viewers_;
}

int FrameBoard::viewers() const {
    std::lock_guard lock(mutex_);
    return viewers_;
}

void FrameBoard::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    changed_.notify_all();
}

bool FrameBoard::closed() const {
    std::lock_guard lock(mutex_);
    return closed_;
}

}  // namespace viewer
