#include "platform/media/AudioSoundLog.h"

#include <algorithm>

namespace platform {

SoundLog& SoundLog::shared() {
    static SoundLog log;
    return log;
}

void SoundLog::record(SoundPlay play) {
    std::lock_guard lock(mutex_);
    plays_.push_back(std::move(play));
}

std::vector<SoundPlay> SoundLog::entries() const {
    std::lock_guard lock(mutex_);
    return plays_;
}

std::size_t SoundLog::count() const {
    std::lock_guard lock(mutex_);
    return plays_.size();
}

std::size_t SoundLog::count(std::string_view name) const {
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(
        plays_.begin(), plays_.end(), [&](const SoundPlay& p) { return p.name == name; }));
}

void SoundLog::clear() {
    std::lock_guard lock(mutex_);
    plays_.clear();
}

}  // namespace platform
