#pragma once
// Shared-memory surfaces as the host's asset saver hands photos around: a block of bytes with a
// base address and an allocation size, reference-counted like the platform's CF types.
//
// IOSurfaceCreate returns a surface the caller owns (one reference); CFRetain adds one and
// CFRelease drops one, the last release frees it. Counting is atomic, so a surface may be
// retained and released on the saving thread while another thread holds it. The bytes
// themselves are not locked: writers and readers of the same surface order themselves.

#include <atomic>
#include <cstddef>
#include <memory>

#include "platform/foundation/Value.h"

struct __IOSurface;
using IOSurfaceRef = __IOSurface*;

// The properties key holding the allocation size in bytes (a positive 32-bit number).
inline constexpr const char* kIOSurfaceAllocSize = "IOSurfaceAllocSize";

struct __IOSurface {
    __IOSurface(const __IOSurface&) = delete;
    __IOSurface& operator=(const __IOSurface&) = delete;

private:
    friend IOSurfaceRef IOSurfaceCreate(const ns::Dictionary& properties);
    friend void* IOSurfaceGetBaseAddress(IOSurfaceRef surface);
    friend std::size_t IOSurfaceGetAllocSize(IOSurfaceRef surface);
    friend IOSurfaceRef CFRetain(IOSurfaceRef surface);
    friend void CFRelease(IOSurfaceRef surface);
    friend long CFGetRetainCount(IOSurfaceRef surface);

    __IOSurface(std::unique_ptr<std::byte[]> bytes, std::size_t size)
        : bytes_(std::move(bytes)), size_(size) {}
    ~__IOSurface() = default;

    std::unique_ptr<std::byte[]> bytes_;
    std::size_t size_;
    std::atomic<long> retainCount_{1};
};

// A new zero-filled surface of properties["IOSurfaceAllocSize"] bytes, or null when the key is
// missing, not a number, not positive, above the 32-bit range, or the memory cannot be had.
IOSurfaceRef IOSurfaceCreate(const ns::Dictionary& properties);
// Null for a null surface.
void* IOSurfaceGetBaseAddress(IOSurfaceRef surface);
// 0 for a null surface.
std::size_t IOSurfaceGetAllocSize(IOSurfaceRef surface);

// Reference counting; null is ignored (CFRetain returns it).
IOSurfaceRef CFRetain(IOSurfaceRef surface);
void CFRelease(IOSurfaceRef surface);
long CFGetRetainCount(IOSurfaceRef surface);

namespace platform {

// Owning handles for C++ code: the handle's last copy releases the reference it holds.
using IOSurfacePtr = std::shared_ptr<__IOSurface>;
// Takes over the caller's reference (e.g. from IOSurfaceCreate).
IOSurfacePtr adoptIOSurface(IOSurfaceRef surface);
// Adds a reference of its own.
IOSurfacePtr retainIOSurface(IOSurfaceRef surface);
// A new surface holding a copy of the bytes, sized to them; null for empty bytes.
IOSurfacePtr makeIOSurfaceWithBytes(const void* bytes, std::size_t size);

}  // namespace platform
