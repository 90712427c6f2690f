#pragma once
// Encoded stills by what they show. The scene is synthetic and the simulated camera has no
// noise, so the same shot (scene, focus, exposure, bias, mirroring) at the same still size and
// orientation is the same picture every time, bit for bit, as the platform would deliver it.
// The asset saver encodes each distinct picture once and hands later identical shots the same
// JPEG bytes: a long time-lapse of an unchanging scene costs one render and one encode.
//
// Thread-safe (the saving queue and tests use it); a few recent pictures are kept.

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "host/Scene.h"
#include "platform/media/JpegSegments.h"

namespace host {

struct StillKey {
    SceneShot shot;
    int width = 0;
    int height = 0;
    int exifTag = 1;
    bool operator==(const StillKey&) const = default;
};

// The still's JPEG (with its orientation tag) and the small upright preview of the library.
struct EncodedStill {
    platform::Bytes jpeg;
    platform::Bytes preview;
};

class StillCache {
public:
    static constexpr std::size_t kCapacity = 4;

    static StillCache& shared();

    // The picture for `key`: a kept one, or what `make` returns (kept for next time). `make`
    // runs outside the lock.
    std::shared_ptr<const EncodedStill> get(const StillKey& key,
                                            const std::function<EncodedStill()>& make);
    void clear();
    // How many pictures `make` had to produce since the last clear (for tests and benches).
    std::size_t misses() const;

private:
    mutable std::mutex mutex_;
    // Most recently used last.
    std::vector<std::pair<StillKey, std::shared_ptr<const EncodedStill>>> entries_;
    std::size_t misses_ = 0;
};

}  // namespace host
