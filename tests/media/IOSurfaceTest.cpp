// Shared-memory surfaces: creation from properties, bytes, reference counting across threads.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "platform/media/IOSurface.h"

namespace {

ns::Dictionary sized(ns::Value size) {
    ns::Dictionary properties;
    properties.set(kIOSurfaceAllocSize, std::move(size));
    return properties;
}

}  // namespace

TEST(IOSurface, CreatesAZeroedBlockOfTheRequestedSize) {
    IOSurfaceRef surface = IOSurfaceCreate(sized(ns::Value(1000)));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(IOSurfaceGetAllocSize(surface), 1000u);
    auto* bytes = static_cast<unsigned char*>(IOSurfaceGetBaseAddress(surface));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 1000; ++i) ASSERT_EQ(bytes[i], 0);
    std::memset(bytes, 0xAB, 1000);  // the whole allocation is writable
    EXPECT_EQ(CFGetRetainCount(surface), 1);
    CFRelease(surface);
}

TEST(IOSurface, RefusesMissingOrUnusableSizes) {
    EXPECT_EQ(IOSurfaceCreate(ns::Dictionary{}), nullptr);
    EXPECT_EQ(IOSurfaceCreate(sized(ns::Value(0))), nullptr);
    EXPECT_EQ(IOSurfaceCreate(sized(ns::Value(-5))), nullptr);
    EXPECT_EQ(IOSurfaceCreate(sized(ns::Value(3'000'000'000LL))), nullptr);
    EXPECT_EQ(IOSurfaceCreate(sized(ns::Value("1000"))), nullptr);
    EXPECT_EQ(IOSurfaceCreate(sized(ns::Value(true))), nullptr);
    ns::Dictionary wrongKey;
    wrongKey.set("IOSurfaceSize", ns::Value(100));
    EXPECT_EQ(IOSurfaceCreate(wrongKey), nullptr);
}

TEST(IOSurface, NullSurfacesAreIgnored) {
    EXPECT_EQ(IOSurfaceGetBaseAddress(nullptr), nullptr);
    EXPECT_EQ(IOSurfaceGetAllocSize(nullptr), 0u);
    EXPECT_EQ(CFRetain(nullptr), nullptr);
    CFRelease(nullptr);
    EXPECT_EQ(platform::adoptIOSurface(nullptr), nullptr);
}

TEST(IOSurface, SharedHandlesReleaseTheirReference) {
    IOSurfaceRef raw = IOSurfaceCreate(sized(ns::Value(16)));
    ASSERT_NE(raw, nullptr);
    {
        auto held = platform::retainIOSurface(raw);
        EXPECT_EQ(CFGetRetainCount(raw), 2);
        auto copy = held;
        EXPECT_EQ(CFGetRetainCount(raw), 2);  // one reference per handle group
    }
    EXPECT_EQ(CFGetRetainCount(raw), 1);
    auto adopted = platform::adoptIOSurface(raw);  // takes over the creator's reference
    EXPECT_EQ(CFGetRetainCount(raw), 1);
}

TEST(IOSurface, WithBytesCopiesThem) {
    const char text[] = "jpeg bytes";
    auto surface = platform::makeIOSurfaceWithBytes(text, sizeof text);
    ASSERT_TRUE(surface);
    EXPECT_EQ(IOSurfaceGetAllocSize(surface.get()), sizeof text);
    EXPECT_EQ(std::memcmp(IOSurfaceGetBaseAddress(surface.get()), text, sizeof text), 0);
    EXPECT_FALSE(platform::makeIOSurfaceWithBytes(text, 0));
    EXPECT_FALSE(platform::makeIOSurfaceWithBytes(nullptr, 4));
}

TEST(IOSurface, RetainAndReleaseFromManyThreads) {
    IOSurfaceRef surface = IOSurfaceCreate(sized(ns::Value(64)));
    ASSERT_NE(surface, nullptr);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([surface] {
            for (int i = 0; i < 10000; ++i) {
                CFRetain(surface);
                CFRelease(surface);
            }
            // A handle made and dropped on another thread, as the saving queue does.
            auto held = platform::retainIOSurface(surface);
            (void)IOSurfaceGetAllocSize(held.get());
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(CFGetRetainCount(surface), 1);
    CFRelease(surface);
}
