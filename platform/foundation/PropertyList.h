#pragma once
// Property lists in the platform's XML and binary formats (through libplist), read from and
// written to the device root. Bad input never crashes: it gives nullopt.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/foundation/Value.h"

namespace ns {

// Larger inputs are refused rather than parsed.
inline constexpr std::size_t kMaxPropertyListBytes = 64u << 20;
// Deeper nesting is refused (protects the recursive conversion).
inline constexpr int kMaxPropertyListDepth = 256;

// Parses an XML or binary property list; nullopt for anything that is not one.
std::optional<Value> parsePropertyList(std::span<const std::uint8_t> bytes);
// Reads a property list file at a phone path (inside the device root).
std::optional<Value> readPropertyListFile(const std::string& phonePath);
// Reads a file whose root must be a dictionary (a preferences file); nullopt otherwise.
std::optional<Dictionary> readDictionaryFile(const std::string& phonePath);

// The XML form of a value ("" when the value cannot be expressed, e.g. holds a Null).
std::string toXmlPropertyList(const Value& value);
// The binary form ("bplist00"); empty when the value cannot be expressed.
Bytes toBinaryPropertyList(const Value& value);

// True when the value can be written in both forms (property lists have no null, no NUL byte in
// a string or key, and dates within 32-bit seconds of the reference date).
bool canWritePropertyList(const Value& value);

// Writes the XML form atomically: a temporary file in the same folder, flushed to disk, then
// renamed over the old one. False on failure, leaving any old file as it was.
bool writePropertyListAtomically(const Value& value, const std::string& phonePath);

}  // namespace ns
