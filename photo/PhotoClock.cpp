#include "photo/PhotoClock.h"

#include <memory>
#include <mutex>

namespace lumora {
namespace {

struct ClockSlot {
    std::mutex mutex;
    std::shared_ptr<const PhotoClock> clock;
};

ClockSlot& slot() {
    static ClockSlot instance;
    return instance;
}

}  // namespace

void setPhotoClock(PhotoClock clock) {
    auto next = clock ? std::make_shared<const PhotoClock>(std::move(clock)) : nullptr;
    std::lock_guard lock(slot().mutex);
    slot().clock = std::move(next);
}

// The clock is called outside the lock: a clock that reads something slow (or sets the clock
// again) does not hold up or deadlock other photos.
std::chrono::system_clock::time_point photoNow() {
    std::shared_ptr<const PhotoClock> clock;
    {
        std::lock_guard lock(slot().mutex);
        clock = slot().clock;
    }
    return clock ? (*clock)() : std::chrono::system_clock::now();
}

}  // namespace lumora
