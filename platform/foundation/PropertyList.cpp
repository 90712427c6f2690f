#include "platform/foundation/PropertyList.h"

#include <plist/plist.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "platform/foundation/BinaryPlistCheck.h"
#include "platform/foundation/FileSystem.h"

namespace ns {

namespace {

struct PlistFree {
    void operator()(void* p) const { plist_free(p); }
};
using PlistPtr = std::unique_ptr<void, PlistFree>;

std::optional<Value> fromPlist(plist_t node, int depth) {
    if (node == nullptr || depth > kMaxPropertyListDepth) return std::nullopt;
    switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            std::uint8_t b = 0;
            plist_get_bool_val(node, &b);
            return Value(b != 0);
        }
        case PLIST_UINT: {
            // libplist keeps every integer as 64 bits; negative ones read back as their two's
            // complement.
            std::uint64_t u = 0;
            plist_get_uint_val(node, &u);
            return Value(static_cast<long long>(static_cast<std::int64_t>(u)));
        }
        case PLIST_UID: {
            std::uint64_t u = 0;
            plist_get_uid_val(node, &u);
            return Value(static_cast<long long>(static_cast<std::int64_t>(u)));
        }
        case PLIST_REAL: {
            double d = 0;
            plist_get_real_val(node, &d);
            return Value(d);
        }
        case PLIST_STRING:
        case PLIST_KEY: {
            std::uint64_t length = 0;
            const char* s = plist_get_string_ptr(node, &length);
            if (s == nullptr) return Value(std::string());
            return Value(std::string(s, static_cast<std::size_t>(length)));
        }
        case PLIST_DATA: {
            std::uint64_t length = 0;
            const char* d = plist_get_data_ptr(node, &length);
            const auto* p = reinterpret_cast<const std::uint8_t*>(d);
            return Value::data(d == nullptr ? Bytes{} : Bytes(p, p + length));
        }
        case PLIST_DATE: {
            std::int32_t sec = 0, usec = 0;
            plist_get_date_val(node, &sec, &usec);
            return Value::date(static_cast<double>(sec) + usec / 1e6);
        }
        case PLIST_ARRAY: {
            Array a;
            std::uint32_t n = plist_array_get_size(node);
            a.reserve(n);
            for (std::uint32_t i = 0; i < n; ++i) {
                auto item = fromPlist(plist_array_get_item(node, i), depth + 1);
                if (!item) return std::nullopt;
                a.push_back(std::move(*item));
            }
            return Value(std::move(a));
        }
        case PLIST_DICT: {
            Dictionary d;
            plist_dict_iter it = nullptr;
            plist_dict_new_iter(node, &it);
            if (it == nullptr) return Value(std::move(d));
            bool ok = true;
            for (;;) {
                char* key = nullptr;
                plist_t value = nullptr;
                plist_dict_next_item(node, it, &key, &value);
                if (value == nullptr) {
                    std::free(key);
                    break;
                }
                auto item = fromPlist(value, depth + 1);
                if (key != nullptr && item) d.set(key, std::move(*item));
                if (key == nullptr || !item) ok = false;
                std::free(key);
                if (!ok) break;
            }
            std::free(it);
            if (!ok) return std::nullopt;
            return Value(std::move(d));
        }
        default:
            return std::nullopt;
    }
}

plist_t toPlist(const Value& v, int depth) {
    if (depth > kMaxPropertyListDepth) return nullptr;
    switch (v.type()) {
        case ValueType::Null:
            return nullptr;  // property lists have no null
        case ValueType::Boolean:
            return plist_new_bool(*v.boolean() ? 1 : 0);
        case ValueType::Integer:
            return plist_new_uint(static_cast<std::uint64_t>(*v.integer()));
        case ValueType::Real:
            return plist_new_real(*v.real());
        case ValueType::String: {
            // libplist takes C strings: an embedded NUL would silently cut the text.
            const std::string& s = *v.string();
            if (s.find('\0') != std::string::npos) return nullptr;
            return plist_new_string(s.c_str());
        }
        case ValueType::Data: {
            const Bytes& b = *v.bytes();
            return plist_new_data(reinterpret_cast<const char*>(b.data()), b.size());
        }
        case ValueType::Date: {
            double t = *v.dateValue();
            double sec = std::floor(t);
            if (!std::isfinite(t) || sec < INT32_MIN || sec > INT32_MAX) return nullptr;
            auto usec = static_cast<std::int32_t>(std::lround((t - sec) * 1e6));
            if (usec >= 1000000) {
                if (sec >= INT32_MAX) return nullptr;
                sec += 1;
                usec -= 1000000;
            }
            return plist_new_date(static_cast<std::int32_t>(sec), usec);
        }
        case ValueType::Array: {
            PlistPtr a(plist_new_array());
            for (const Value& item : *v.array()) {
                plist_t node = toPlist(item, depth + 1);
                if (node == nullptr) return nullptr;
                plist_array_append_item(a.get(), node);
            }
            return a.release();
        }
        case ValueType::Dictionary: {
            PlistPtr d(plist_new_dict());
            for (const auto& [key, item] : *v.dictionary()) {
                if (key.find('\0') != std::string::npos) return nullptr;
                plist_t node = toPlist(item, depth + 1);
                if (node == nullptr) return nullptr;
                plist_dict_set_item(d.get(), key.c_str(), node);
            }
            return d.release();
        }
    }
    return nullptr;
}

}  // namespace

std::optional<Value> parsePropertyList(std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kMaxPropertyListBytes) return std::nullopt;
    const char* data = reinterpret_cast<const char*>(bytes.data());
    auto length = static_cast<std::uint32_t>(bytes.size());
    plist_t root = nullptr;
    if (plist_is_binary(data, length)) {
        detail::BinaryPlistLimits limits;
        limits.maxDepth = kMaxPropertyListDepth;
        if (!detail::binaryPlistIsSafe(bytes, limits)) return std::nullopt;
        plist_from_bin(data, length, &root);
    } else {
        if (!detail::xmlPlistDepthIsSafe(bytes, kMaxPropertyListDepth)) return std::nullopt;
        plist_from_xml(data, length, &root);
    }
    PlistPtr owner(root);
    if (root == nullptr) return std::nullopt;
    return fromPlist(root, 0);
}

std::optional<Value> readPropertyListFile(const std::string& phonePath) {
    auto bytes = FileSystem::shared().readFile(phonePath);
    if (!bytes || bytes->size() > kMaxPropertyListBytes) return std::nullopt;
    return parsePropertyList(*bytes);
}

std::optional<Dictionary> readDictionaryFile(const std::string& phonePath) {
    auto value = readPropertyListFile(phonePath);
    if (!value || !value->isDictionary()) return std::nullopt;
    return std::move(*value->dictionary());
}

std::string toXmlPropertyList(const Value& value) {
    PlistPtr root(toPlist(value, 0));
    if (!root) return {};
    char* xml = nullptr;
    std::uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    if (xml == nullptr) return {};
    std::string out(xml, length);
    plist_to_xml_free(xml);
    return out;
}

Bytes toBinaryPropertyList(const Value& value) {
    PlistPtr root(toPlist(value, 0));
    if (!root) return {};
    char* bin = nullptr;
    std::uint32_t length = 0;
    plist_to_bin(root.get(), &bin, &length);
    if (bin == nullptr) return {};
    const auto* p = reinterpret_cast<const std::uint8_t*>(bin);
    Bytes out(p, p + length);
    plist_to_bin_free(bin);
    return out;
}

bool canWritePropertyList(const Value& value) {
    return PlistPtr(toPlist(value, 0)) != nullptr;
}

bool writePropertyListAtomically(const Value& value, const std::string& phonePath) {
    std::string xml = toXmlPropertyList(value);
    if (xml.empty()) return false;
    return FileSystem::shared().writeFileAtomically(phonePath, Bytes(xml.begin(), xml.end()));
}

}  // namespace ns
