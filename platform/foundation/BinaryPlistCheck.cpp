#include "platform/foundation/BinaryPlistCheck.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace ns::detail {

namespace {

// Reads a big-endian unsigned integer of `size` bytes (1-8) at `at`; false when out of range.
bool readUInt(std::span<const std::uint8_t> b, std::uint64_t at, unsigned size,
              std::uint64_t& out) {
    if (size == 0 || size > 8 || at > b.size() || b.size() - at < size) return false;
    out = 0;
    for (unsigned i = 0; i < size; ++i) out = (out << 8) | b[at + i];
    return true;
}

struct Layout {
    unsigned offsetSize = 0, refSize = 0;
    std::uint64_t objectCount = 0, top = 0, tableOffset = 0;
};

bool readTrailer(std::span<const std::uint8_t> b, Layout& l) {
    constexpr std::size_t kHeader = 8, kTrailer = 32;
    if (b.size() < kHeader + kTrailer + 2) return false;
    if (std::string_view(reinterpret_cast<const char*>(b.data()), 6) != "bplist") return false;
    std::size_t t = b.size() - kTrailer;
    l.offsetSize = b[t + 6];
    l.refSize = b[t + 7];
    if (!readUInt(b, t + 8, 8, l.objectCount) || !readUInt(b, t + 16, 8, l.top) ||
        !readUInt(b, t + 24, 8, l.tableOffset))
        return false;
    if (l.offsetSize < 1 || l.offsetSize > 8 || l.refSize < 1 || l.refSize > 8) return false;
    if (l.objectCount == 0 || l.top >= l.objectCount) return false;
    if (l.tableOffset < kHeader || l.tableOffset >= t) return false;
    // The offset table must fit between its start and the trailer.
    if (l.objectCount > (t - l.tableOffset) / l.offsetSize) return false;
    return true;
}

// The element count of an object whose marker is at `offset`; `at` is left after the count.
bool objectCount(std::span<const std::uint8_t> b, const Layout& l, std::uint64_t offset,
                 std::uint64_t& count, std::uint64_t& at) {
    count = b[offset] & 0x0F;
    at = offset + 1;
    if (count != 0x0F) return true;
    // The count follows as an integer object: marker 0x1n, then 2^n bytes.
    if (at >= l.tableOffset) return false;
    std::uint8_t intMarker = b[at];
    if ((intMarker >> 4) != 0x1) return false;
    unsigned size = 1u << (intMarker & 0x0F);
    if (size > 8 || !readUInt(b, at + 1, size, count)) return false;
    at += 1 + size;
    return true;
}

// A dictionary key must be a string without NUL characters: libplist hands keys out as C strings
// (and asserts that their length matches).
bool isUsableKey(std::span<const std::uint8_t> b, const Layout& l, std::uint64_t offset) {
    unsigned type = b[offset] >> 4;
    if (type != 0x5 && type != 0x6) return false;
    std::uint64_t count = 0, at = 0;
    if (!objectCount(b, l, offset, count, at)) return false;
    std::uint64_t unit = type == 0x6 ? 2 : 1;
    if (at > l.tableOffset || count > (l.tableOffset - at) / unit) return false;
    for (std::uint64_t i = 0; i < count; ++i) {
        bool zero = unit == 1 ? b[at + i] == 0 : (b[at + 2 * i] == 0 && b[at + 2 * i + 1] == 0);
        if (zero) return false;
    }
    return true;
}

// The object's container references: where they start and how many (dicts: keys + values).
bool containerRefs(std::span<const std::uint8_t> b, const Layout& l, std::uint64_t offset,
                   std::uint64_t& refsAt, std::uint64_t& refCount, bool& isContainer) {
    std::uint8_t marker = b[offset];
    unsigned type = marker >> 4;
    isContainer = type == 0xA || type == 0xC || type == 0xD;
    if (!isContainer) return true;
    std::uint64_t count = 0, at = 0;
    if (!objectCount(b, l, offset, count, at)) return false;
    refCount = type == 0xD ? count * 2 : count;
    if (type == 0xD && count > (UINT64_MAX / 2)) return false;
    refsAt = at;
    // The references must lie before the offset table.
    if (refsAt > l.tableOffset || refCount > (l.tableOffset - refsAt) / l.refSize) return false;
    return true;
}

}  // namespace

bool binaryPlistIsSafe(std::span<const std::uint8_t> b, const BinaryPlistLimits& limits) {
    Layout l;
    if (!readTrailer(b, l)) return false;
    // Every object is expanded at least once, so a larger table cannot pass; refusing it here
    // also bounds the memory of the walk.
    if (l.objectCount > limits.maxExpandedObjects) return false;
    const std::size_t n = static_cast<std::size_t>(l.objectCount);
    std::vector<std::uint64_t> offsets(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (!readUInt(b, l.tableOffset + i * l.offsetSize, l.offsetSize, offsets[i])) return false;
        if (offsets[i] < 8 || offsets[i] >= l.tableOffset) return false;
    }

    // Iterative depth-first walk from the top object. Each object is finished once, with its
    // height and the size of the tree it expands to; meeting an object still on the walk's
    // path is a cycle.
    enum : std::uint8_t { Unseen, Open, Done };
    std::vector<std::uint8_t> state(n, Unseen);
    std::vector<std::uint32_t> height(n, 0);
    std::vector<std::uint64_t> expanded(n, 0);
    enum : std::uint8_t { KeyUnchecked, KeyGood, KeyBad };
    std::vector<std::uint8_t> keyState(n, KeyUnchecked);
    struct Frame {
        std::size_t object;
        std::uint64_t refsAt, refCount, next;
    };
    std::vector<Frame> path;

    auto open = [&](std::size_t object) -> bool {
        std::uint64_t refsAt = 0, refCount = 0;
        bool isContainer = false;
        if (!containerRefs(b, l, offsets[object], refsAt, refCount, isContainer)) return false;
        if (!isContainer) {
            state[object] = Done;
            height[object] = 1;
            expanded[object] = 1;
            return true;
        }
        if (path.size() >= static_cast<std::size_t>(limits.maxDepth)) return false;
        if ((b[offsets[object]] >> 4) == 0xD) {
            // The first half of a dictionary's references are its keys.
            for (std::uint64_t i = 0; i < refCount / 2; ++i) {
                std::uint64_t key = 0;
                if (!readUInt(b, refsAt + i * l.refSize, l.refSize, key) || key >= n) return false;
                if (keyState[key] == KeyUnchecked)
                    keyState[key] = isUsableKey(b, l, offsets[key]) ? KeyGood : KeyBad;
                if (keyState[key] == KeyBad) return false;
            }
        }
        state[object] = Open;
        path.push_back({object, refsAt, refCount, 0});
        return true;
    };

    if (!open(static_cast<std::size_t>(l.top))) return false;
    while (!path.empty()) {
        Frame& f = path.back();
        if (f.next == f.refCount) {
            std::uint32_t h = 0;
            std::uint64_t size = 1;
            for (std::uint64_t i = 0; i < f.refCount; ++i) {
                std::uint64_t ref = 0;
                readUInt(b, f.refsAt + i * l.refSize, l.refSize, ref);
                h = std::max(h, height[ref]);
                size += expanded[ref];
                if (size > limits.maxExpandedObjects) return false;
            }
            state[f.object] = Done;
            height[f.object] = h + 1;
            expanded[f.object] = size;
            path.pop_back();
            continue;
        }
        std::uint64_t ref = 0;
        if (!readUInt(b, f.refsAt + f.next * l.refSize, l.refSize, ref) || ref >= n) return false;
        ++f.next;
        if (state[ref] == Open) return false;  // a cycle
        if (state[ref] == Unseen && !open(static_cast<std::size_t>(ref))) return false;
    }
    return height[l.top] <= static_cast<std::uint32_t>(limits.maxDepth) &&
           expanded[l.top] <= limits.maxExpandedObjects;
}

bool xmlPlistDepthIsSafe(std::span<const std::uint8_t> bytes, int maxDepth) {
    std::string_view s(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    // Counts opening and closing container tags; text elsewhere (comments, strings) cannot hold
    // a raw '<', so this over-counts only for odd but harmless input.
    int depth = 0;
    for (std::size_t i = s.find('<'); i != std::string_view::npos; i = s.find('<', i + 1)) {
        std::string_view rest = s.substr(i + 1);
        bool closing = !rest.empty() && rest.front() == '/';
        if (closing) rest.remove_prefix(1);
        std::size_t nameLength = 0;
        if (rest.starts_with("array"))
            nameLength = 5;
        else if (rest.starts_with("dict"))
            nameLength = 4;
        else
            continue;
        std::size_t close = rest.find('>', nameLength);
        if (close == std::string_view::npos) return true;  // the parser rejects it
        bool empty = close > 0 && rest[close - 1] == '/';
        if (closing) {
            if (depth > 0) --depth;
        } else if (!empty && ++depth > maxDepth) {
            return false;
        }
    }
    return true;
}

}  // namespace ns::detail
