#pragma once
// The user's language settings, set by the simulator.

#include <string>
#include <vector>

class NSLocale {
public:
    // Language codes in order of preference (e.g. {"en", "de"}); never empty.
    static std::vector<std::string> preferredLanguages();
    static void setPreferredLanguages(std::vector<std::string> languages);
    // E.g. "en_US".
    static std::string currentLocaleIdentifier();
    static void setCurrentLocaleIdentifier(std::string identifier);
};
