#pragma once
// The fuzz targets: each takes arbitrary bytes and must return without crashing, hanging,
// leaking or tripping a sanitizer. A broken invariant aborts through fuzzCheck, so the fuzzer
// keeps the input. The same functions run in the ordinary test suite over the seed corpora and
// every input a fuzzer ever found (fuzz/regressions/).

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumora::fuzz {

using TargetFunction = void (*)(const std::uint8_t* data, std::size_t size);

// The add-on's preferences file: XML or binary property list, through LoadPrefs, savePrefs and
// the typed readers.
void preferencesTarget(const std::uint8_t* data, std::size_t size);
// "Localizable.strings" files.
void stringsTarget(const std::uint8_t* data, std::size_t size);
// Reading and writing the EXIF orientation tag.
void exifTarget(const std::uint8_t* data, std::size_t size);
// The photo tool's un-mirror and date stamp over a file's bytes.
void photoTarget(const std::uint8_t* data, std::size_t size);
// Device profile JSON.
void deviceProfileTarget(const std::uint8_t* data, std::size_t size);
// Scenario scripts.
void scenarioTarget(const std::uint8_t* data, std::size_t size);

struct Target {
    std::string_view name;  // the folder name under fuzz/corpus and fuzz/regressions
    TargetFunction run;
};

inline constexpr Target kTargets[] = {
    {"preferences", preferencesTarget},
    {"strings", stringsTarget},
    {"exif", exifTarget},
    {"photo", photoTarget},
    {"device_profile", deviceProfileTarget},
    {"scenario", scenarioTarget},
};

// Aborts with `what` when `condition` is false.
void fuzzCheck(bool condition, const char* what);

}  // namespace lumora::fuzz
