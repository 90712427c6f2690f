#include "platform/foundation/NotificationCenter.h"

#include <algorithm>

#include "platform/runloop/RunLoop.h"

// ---- Darwin notify centre ----

struct __CFNotificationCenter {};

namespace {

struct DarwinObserver {
    std::uint64_t id;
    const void* observer;
    std::string name;  // empty: every name
    bool anyName;
    CFNotificationCallback callback;
    std::uint64_t process;
};

// Device-wide: one registry for every simulated process of the device. Guarded by a mutex since
// a worker thread of the host may post.
struct DarwinRegistry {
    std::mutex mutex;
    std::vector<DarwinObserver> observers;
    std::uint64_t nextId = 1;
    std::uint64_t currentProcess = 0;

    bool isRegistered(std::uint64_t id) {
        std::lock_guard lock(mutex);
        return std::any_of(observers.begin(), observers.end(),
                           [id](const DarwinObserver& o) { return o.id == id; });
    }
};

DarwinRegistry& registry() {
    static DarwinRegistry r;
    return r;
}

__CFNotificationCenter darwinCenter;

bool isDarwin(CFNotificationCenterRef center) {
    return center == &darwinCenter;
}

}  // namespace

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter() {
    return &darwinCenter;
}

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
                                     CFNotificationCallback callback, const char* name,
                                     const void* /*object*/, int /*suspensionBehavior*/) {
    // The app is never suspended here, so every suspension behaviour delivers at once.
    if (!isDarwin(center) || callback == nullptr) return;
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    std::string key = name != nullptr ? name : "";
    bool anyName = name == nullptr;
    std::erase_if(r.observers, [&](const DarwinObserver& o) {
        return o.observer == observer && o.anyName == anyName && o.name == key;
    });
    r.observers.push_back(
        {r.nextId++, observer, std::move(key), anyName, callback, r.currentProcess});
}

void CFNotificationCenterRemoveObserver(CFNotificationCenterRef center, const void* observer,
                                        const char* name, const void* /*object*/) {
    if (!isDarwin(center)) return;
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    std::erase_if(r.observers, [&](const DarwinObserver& o) {
        return o.observer == observer && (name == nullptr || o.name == name);
    });
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer) {
    CFNotificationCenterRemoveObserver(center, observer, nullptr, nullptr);
}

void CFNotificationCenterPostNotification(CFNotificationCenterRef center, const char* name,
                                          const void* /*object*/,
                                          const ns::Dictionary* /*userInfo*/,
                                          bool /*deliverImmediately*/) {
    if (!isDarwin(center) || name == nullptr) return;
    auto& r = registry();
    std::vector<DarwinObserver> targets;
    {
        std::lock_guard lock(r.mutex);
        for (const auto& o : r.observers)
            if (o.anyName || o.name == name) targets.push_back(o);
    }
    for (const auto& o : targets) {
        platform::RunLoop::main().post([o, posted = std::string(name)] {
            // An observer removed after the post is not called.
            if (!registry().isRegistered(o.id)) return;
            o.callback(&darwinCenter, const_cast<void*>(o.observer), posted.c_str(), nullptr,
                       nullptr);
        });
    }
}

namespace platform {
void resetDarwinNotifyCenter() {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.observers.clear();
}

void setDarwinNotifyProcess(std::uint64_t process) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.currentProcess = process;
}

void removeDarwinObserversOfProcess(std::uint64_t process) {
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    std::erase_if(r.observers, [process](const DarwinObserver& o) { return o.process == process; });
}
}  // namespace platform

// ---- NSNotificationCenter ----

NSNotificationCenter& NSNotificationCenter::defaultCenter() {
    static NSNotificationCenter center;
    return center;
}

NSNotificationCenter::Token NSNotificationCenter::addObserver(const std::string& name,
                                                              std::weak_ptr<const void> owner,
                                                              Handler handler) {
    if (!handler) return 0;
    // An empty weak pointer means "no owner": the registration lasts until removed.
    std::weak_ptr<const void> none;
    bool hasOwner = owner.owner_before(none) || none.owner_before(owner);
    const void* ownerKey = nullptr;
    if (hasOwner) {
        auto locked = owner.lock();
        if (!locked) return 0;  // already gone
        ownerKey = locked.get();
    }
    std::lock_guard lock(mutex_);
    Token token = nextToken_++;
    entries_.emplace(token, Entry{name, std::move(owner), hasOwner, ownerKey,
                                  std::make_shared<Handler>(std::move(handler))});
    return token;
}

void NSNotificationCenter::removeObserver(Token token) {
    std::lock_guard lock(mutex_);
    entries_.erase(token);
}

void NSNotificationCenter::removeObserver(const void* owner) {
    if (owner == nullptr) return;
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [owner](const auto& e) { return e.second.ownerKey == owner; });
}

void NSNotificationCenter::post(const std::string& name, const ns::Dictionary& userInfo) {
    // Snapshot, then call without the lock so handlers may register and remove observers.
    std::vector<std::pair<Token, std::shared_ptr<Handler>>> targets;
    {
        std::lock_guard lock(mutex_);
        std::erase_if(entries_,
                      [](const auto& e) { return e.second.hasOwner && e.second.owner.expired(); });
        for (const auto& [token, e] : entries_)
            if (e.name == name) targets.emplace_back(token, e.handler);
    }
    for (const auto& [token, handler] : targets) {
        std::shared_ptr<const void> keepOwner;
        {
            std::lock_guard lock(mutex_);
            auto it = entries_.find(token);
            if (it == entries_.end()) continue;  // removed by an earlier handler
            if (it->second.hasOwner) {
                keepOwner = it->second.owner.lock();
                if (!keepOwner) continue;
            }
        }
        (*handler)(userInfo);
    }
}

void NSNotificationCenter::reset() {
    std::map<Token, Entry> doomed;
    std::lock_guard lock(mutex_);
    doomed.swap(entries_);
}
