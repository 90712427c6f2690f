#include "host/StillCache.h"

#include <algorithm>

namespace host {

StillCache& StillCache::shared() {
    static StillCache cache;
    return cache;
}

std::shared_ptr<const EncodedStill> StillCache::get(const StillKey& key,
                                                    const std::function<EncodedStill()>& make) {
    {
        std::lock_guard lock(mutex_);
        auto it = std::find_if(entries_.begin(), entries_.end(),
                               [&](const auto& e) { return e.first == key; });
        if (it != entries_.end()) {
            auto entry = std::move(*it);
            entries_.erase(it);
            entries_.push_back(std::move(entry));
            return entries_.back().second;
        }
    }
    if (!make) return nullptr;
    auto made = std::make_shared<const EncodedStill>(make());
    std::lock_guard lock(mutex_);
    ++misses_;
    // A failed encode is not kept: the next shot tries again.
    if (made->jpeg.empty()) return made;
    if (entries_.size() >= kCapacity) entries_.erase(entries_.begin());
    entries_.emplace_back(key, made);
    return made;
}

void StillCache::clear() {
    std::lock_guard lock(mutex_);
    entries_.clear();
    misses_ = 0;
}

std::size_t StillCache::misses() const {
    std::lock_guard lock(mutex_);
    return misses_;
}

}  // namespace host
