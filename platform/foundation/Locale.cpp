#include "platform/foundation/Locale.h"

#include <mutex>

namespace {

struct LocaleSettings {
    std::mutex mutex;
    std::vector<std::string> languages{"en"};
    std::string identifier = "en_US";
};

LocaleSettings& settings() {
    static LocaleSettings s;
    return s;
}

}  // namespace

std::vector<std::string> NSLocale::preferredLanguages() {
    auto& s = settings();
    std::lock_guard lock(s.mutex);
    return s.languages;
}

void NSLocale::setPreferredLanguages(std::vector<std::string> languages) {
    auto& s = settings();
    std::lock_guard lock(s.mutex);
    // The platform always has at least one language; an empty list falls back to English.
    s.languages = languages.empty() ? std::vector<std::string>{"en"} : std::move(languages);
}

std::string NSLocale::currentLocaleIdentifier() {
    auto& s = settings();
    std::lock_guard lock(s.mutex);
    return s.identifier;
}

void NSLocale::setCurrentLocaleIdentifier(std::string identifier) {
    auto& s = settings();
    std::lock_guard lock(s.mutex);
    s.identifier = identifier.empty() ? "en_US" : std::move(identifier);
}
