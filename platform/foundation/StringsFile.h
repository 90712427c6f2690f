#pragma once
// "Localizable.strings" files: `"key" = "value";` pairs with /* */ and // comments and the
// escapes \" \\ \n \t \r \Uxxxx, in UTF-8 (with or without a byte-order mark) or UTF-16 with a
// byte-order mark. Malformed text or encoding gives nullopt, never a partial table.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/foundation/Value.h"

namespace ns {

std::optional<Dictionary> parseStrings(std::span<const std::uint8_t> bytes);
std::optional<Dictionary> readStringsFile(const std::string& phonePath);

}  // namespace ns
