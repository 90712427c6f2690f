// "Localizable.strings" text: a table or nothing, and every text of a table is valid UTF-8.

#include "fuzz/FuzzTargets.h"
#include "platform/foundation/StringsFile.h"

namespace lumora::fuzz {
namespace {

bool validUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80         ? 0
                          : (c >> 5) == 6  ? 1
                          : (c >> 4) == 14 ? 2
                          : (c >> 3) == 30 ? 3
                                           : -1;
        if (extra < 0 || s.size() - i <= static_cast<std::size_t>(extra)) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 2)
                return false;
        i += 1 + static_cast<std::size_t>(extra);
    }
    return true;
}

}  // namespace

void stringsTarget(const std::uint8_t* data, std::size_t size) {
    const auto table = ns::parseStrings({data, size});
    if (!table) return;
    for (const auto& [key, value] : *table) {
        fuzzCheck(validUtf8(key), "a key is not valid UTF-8");
        const std::string* text = value.string();
        fuzzCheck(text != nullptr, "a value is not a string");
        fuzzCheck(validUtf8(*text), "a value is not valid UTF-8");
    }
}

}  // namespace lumora::fuzz
