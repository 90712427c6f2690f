#include "prefs/LU_HDTools.h"

#include <algorithm>
#include <cctype>

namespace prefs {
namespace {

const ns::Value* lookUp(const std::string& key, const std::optional<ns::Dictionary>& dict) {
    return dict ? dict->get(key) : nullptr;
}

bool equalsIgnoringCase(const std::string& a, const char* b) {
    const std::string other(b);
    return a.size() == other.size() &&
           std::equal(a.begin(), a.end(), other.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

bool LU_HDTools::boolForKey(const std::string& key, bool defaultValue,
                            const std::optional<ns::Dictionary>& dictionary) {
    const ns::Value* v = lookUp(key, dictionary);
    if (v == nullptr) return defaultValue;
    if (auto b = v->boolValue()) return *b;
    if (const std::string* s = v->string()) {
        return equalsIgnoringCase(*s, "YES") || equalsIgnoringCase(*s, "TRUE");
    }
    return defaultValue;
}

int LU_HDTools::intForKey(const std::string& key, int defaultValue,
                          const std::optional<ns::Dictionary>& dictionary) {
    const ns::Value* v = lookUp(key, dictionary);
    return v == nullptr ? defaultValue : v->intValue().value_or(defaultValue);
}

float LU_HDTools::floatForKey(const std::string& key, float defaultValue,
                              const std::optional<ns::Dictionary>& dictionary) {
    const ns::Value* v = lookUp(key, dictionary);
    return v == nullptr ? defaultValue : v->floatValue().value_or(defaultValue);
}

std::string LU_HDTools::stringForKey(const std::string& key, const std::string& defaultValue,
                                     const std::optional<ns::Dictionary>& dictionary) {
    const ns::Value* v = lookUp(key, dictionary);
    return v != nullptr && v->string() != nullptr ? *v->string() : defaultValue;
}

}  // namespace prefs
