#include "platform/media/IOSurface.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

IOSurfaceRef IOSurfaceCreate(const ns::Dictionary& properties) {
    const ns::Value* value = properties.get(kIOSurfaceAllocSize);
    if (!value || !value->isNumber() || value->isBoolean()) return nullptr;
    const auto size = value->longLongValue();
    if (!size || *size <= 0 || *size > std::numeric_limits<std::int32_t>::max()) return nullptr;
    const auto bytes = static_cast<std::size_t>(*size);
    std::unique_ptr<std::byte[]> memory(new (std::nothrow) std::byte[bytes]());
    if (!memory) return nullptr;
    return new (std::nothrow) __IOSurface(std::move(memory), bytes);
}

void* IOSurfaceGetBaseAddress(IOSurfaceRef surface) {
    return surface ? surface->bytes_.get() : nullptr;
}

std::size_t IOSurfaceGetAllocSize(IOSurfaceRef surface) {
    return surface ? surface->size_ : 0;
}

IOSurfaceRef CFRetain(IOSurfaceRef surface) {
    if (surface) surface->retainCount_.fetch_add(1, std::memory_order_relaxed);
    return surface;
}

void CFRelease(IOSurfaceRef surface) {
    if (!surface) return;
    // acq_rel: every use of the surface by other holders happens before the delete.
    if (surface->retainCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete surface;
}

long CFGetRetainCount(IOSurfaceRef surface) {
    return surface ? surface->retainCount_.load(std::memory_order_relaxed) : 0;
}

namespace platform {

IOSurfacePtr adoptIOSurface(IOSurfaceRef surface) {
    if (!surface) return nullptr;
    return IOSurfacePtr(surface, [](IOSurfaceRef s) { CFRelease(s); });
}

IOSurfacePtr retainIOSurface(IOSurfaceRef surface) {
    return adoptIOSurface(CFRetain(surface));
}

IOSurfacePtr makeIOSurfaceWithBytes(const void* bytes, std::size_t size) {
    if (!bytes || size == 0 || size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return nullptr;
    ns::Dictionary properties;
    properties.set(kIOSurfaceAllocSize, ns::Value(static_cast<int>(size)));
    IOSurfacePtr surface = adoptIOSurface(IOSurfaceCreate(properties));
    if (surface) std::memcpy(IOSurfaceGetBaseAddress(surface.get()), bytes, size);
    return surface;
}

}  // namespace platform
