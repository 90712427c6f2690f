#include "prefs/Translations.h"

#include "platform/foundation/Locale.h"
#include "platform/foundation/StringsFile.h"
#include "prefs/PrefsState.h"

namespace prefs {

std::string translationFolderFor(const std::string& language) {
    for (const char* folder : {"zh-Hans", "zh-Hant", "fr", "ja"}) {
        if (language == folder) return folder;
    }
    return "Base";
}

void InitTranslationDictionary() {
    auto& translations = state().translations;
    if (translations) return;
    const auto languages = NSLocale::preferredLanguages();
    const std::string folder =
        translationFolderFor(languages.empty() ? std::string() : languages.front());
    translations =
        ns::readStringsFile(std::string(kBundlePath) + "/" + folder + ".lproj/Localizable.strings");
}

std::string GetResource(const std::string& key) {
    const auto& translations = state().translations;
    if (translations) {
        const ns::Value* v = translations->get(key);
        if (v != nullptr && v->string() != nullptr) return *v->string();
    }
    return key + " needs translation!";
}

}  // namespace prefs
