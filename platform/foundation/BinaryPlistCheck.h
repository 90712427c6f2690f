#pragma once
// A structural check of a binary property list made before libplist parses it. libplist
// expands every object reference into a copy, recursively; a small file whose objects share
// children (or nest very deeply) would expand into an enormous tree or exhaust the stack.

#include <cstddef>
#include <cstdint>
#include <span>

namespace ns::detail {

struct BinaryPlistLimits {
    int maxDepth = 256;
    std::uint64_t maxExpandedObjects = 1u << 20;
};

// True when the trailer, offset table and every container's references are well formed, there
// is no reference cycle, and the expanded tree stays within the limits.
bool binaryPlistIsSafe(std::span<const std::uint8_t> bytes, const BinaryPlistLimits& limits = {});

// True when the nesting of <array> and <dict> elements in XML text stays within maxDepth.
bool xmlPlistDepthIsSafe(std::span<const std::uint8_t> bytes, int maxDepth);

}  // namespace ns::detail
