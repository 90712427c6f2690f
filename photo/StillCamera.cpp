#include "photo/StillCamera.h"

#include <algorithm>
#include <deque>
#include <mutex>
#include <utility>

#include "hostapi/CAMStillImageCapture.h"
#include "tools/Predicates.h"

namespace lumora {

namespace {

// Requests in flight, oldest first. A request that never reaches the saver (the app ended
// between shot and save) is dropped once enough newer ones were recorded; a request object at a
// reused address replaces the old record.
constexpr std::size_t kMaxInFlight = 64;

struct Records {
    std::mutex mutex;
    std::deque<std::pair<const void*, bool>> front;  // request -> taken with the front camera
};

Records& records() {
    static Records instance;
    return instance;
}

thread_local std::optional<bool> savingFront;

// The key of a request: its address as the request class (the one the response hands back).
const void* requestKey(id request) {
    if (const auto* r = dynamic_cast<const CAMStillImageCaptureRequest*>(request)) return r;
    return request;
}

}  // namespace

void rememberStillCamera(id controller, id request) {
    if (request == nullptr) return;
    const void* key = requestKey(request);
    const auto* capture = dynamic_cast<const CAMCaptureController*>(controller);
    const bool front = capture ? isFrontCameraEx(capture->cameraDevice()) : isFrontCamera();
    Records& r = records();
    std::lock_guard lock(r.mutex);
    std::erase_if(r.front, [&](const auto& entry) { return entry.first == key; });
    if (r.front.size() == kMaxInFlight) r.front.pop_front();
    r.front.emplace_back(key, front);
}

std::optional<bool> takeStillCamera(id response) {
    const auto* saved = dynamic_cast<const CAMStillImageCaptureResponse*>(response);
    const void* request = saved ? saved->stillImageRequest() : nullptr;
    if (request == nullptr) return std::nullopt;
    Records& r = records();
    std::lock_guard lock(r.mutex);
    const auto it = std::find_if(r.front.begin(), r.front.end(),
                                 [&](const auto& entry) { return entry.first == request; });
    if (it == r.front.end()) return std::nullopt;
    const bool front = it->second;
    r.front.erase(it);
    return front;
}

SavingStill::SavingStill(id response) : previous_(savingFront) {
    savingFront = takeStillCamera(response);
}

SavingStill::~SavingStill() {
    savingFront = previous_;
}

bool stillSavedWithFrontCamera() {
    return savingFront.value_or(isFrontCamera());
}

}  // namespace lumora
