#pragma once
// The keys of the add-on's preferences file and their types, so that scenario lines can check a
// key's name and turn its value into the type the file holds.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/Value.h"

namespace sim {

enum class PreferenceType { Boolean, Integer };

struct PreferenceKey {
    std::string_view name;
    PreferenceType type;
};

const std::vector<PreferenceKey>& preferenceKeys();
const PreferenceKey* findPreferenceKey(std::string_view name);

// The value of a scenario word for a key: booleans as true/false/yes/no/on/off/1/0, integers as
// digits. A quoted word is stored as a string whatever the key's type (to write odd files on
// purpose). nullopt when the word does not fit the type.
std::optional<ns::Value> preferenceValue(const PreferenceKey& key, std::string_view word,
                                         bool quoted);

// The value as a scenario would write it ("true", "60", "\"text\"").
std::string describeValue(const ns::Value& value);

}  // namespace sim
