#include "tools/CAM_Tools.h"

#include <algorithm>
#include <cctype>

#include "core/TweakState.h"

namespace lumora {
namespace {

const ns::Value* lookUp(std::string_view key, const ns::Dictionary* dict) {
    return dict == nullptr ? nullptr : dict->get(key);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

int CAM_Tools::intForKey(std::string_view key, int defaultValue, const ns::Dictionary* dict) {
    const ns::Value* v = lookUp(key, dict);
    if (v == nullptr) return defaultValue;
    return v->intValue().value_or(defaultValue);
}

bool CAM_Tools::boolForKey(std::string_view key, bool defaultValue, const ns::Dictionary* dict) {
    const ns::Value* v = lookUp(key, dict);
    if (v == nullptr) return defaultValue;
    if (auto b = v->boolValue()) return *b;
    // Every string answers boolValue; this branch keeps the reader's rule for any string value
    // the number reader might decline.
    if (const std::string* s = v->string()) {
        return equalsIgnoringCase(*s, "YES") || equalsIgnoringCase(*s, "TRUE");
    }
    return defaultValue;
}

float CAM_Tools::floatForKey(std::string_view key, float defaultValue, const ns::Dictionary* dict) {
    const ns::Value* v = lookUp(key, dict);
    if (v == nullptr) return defaultValue;
    // A value without a number reading (an array, ...) gives the default rather than failing.
    return v->floatValue().value_or(defaultValue);
}

std::string CAM_Tools::GetResource(std::string_view key) {
    const auto& translations = state().translations;
    if (translations) {
        const ns::Value* v = translations->get(key);
        if (v != nullptr && v->string() != nullptr) return *v->string();
    }
    return std::string(key) + " needs translation!";
}

std::string CAM_Tools::resourcePath(std::string_view relativeName) {
    // Appending a path component: no doubled separators, no trailing one.
    while (!relativeName.empty() && relativeName.front() == '/') relativeName.remove_prefix(1);
    while (!relativeName.empty() && relativeName.back() == '/') relativeName.remove_suffix(1);
    std::string folder = kResourceFolder;
    if (relativeName.empty()) {
        folder.pop_back();
        return folder;
    }
    return folder + std::string(relativeName);
}

}  // namespace lumora
