#pragma once
// Typed readers of the preferences dictionary, the same rules as the add-on's own readers
// (the two deliverables share only the file format, so each has its copy): the default when
// the key is absent or its value has no reading of the asked type.

#include <optional>
#include <string>

#include "platform/foundation/Value.h"

namespace prefs {

class LU_HDTools {
public:
    static bool boolForKey(const std::string& key, bool defaultValue,
                           const std::optional<ns::Dictionary>& dictionary);
    static int intForKey(const std::string& key, int defaultValue,
                         const std::optional<ns::Dictionary>& dictionary);
    static float floatForKey(const std::string& key, float defaultValue,
                             const std::optional<ns::Dictionary>& dictionary);
    static std::string stringForKey(const std::string& key, const std::string& defaultValue,
                                    const std::optional<ns::Dictionary>& dictionary);
};

}  // namespace prefs
