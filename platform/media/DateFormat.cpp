#include "platform/media/DateFormat.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <memory>

namespace platform {

namespace {

// CLDR 42 (ICU 72) puts a narrow no-break space (U+202F) before "AM"/"PM" and in some time
// patterns; the phone's formatter of this generation wrote a plain space there, and fonts
// without the character would draw a missing-glyph box into the photo.
void plainSpaces(icu::UnicodeString& text) {
    text.findAndReplace(icu::UnicodeString(static_cast<UChar32>(0x202F)), " ");
}

}  // namespace

std::string formatShortDate(std::chrono::system_clock::time_point when,
                            const DateFormatOptions& options) {
    const icu::Locale locale = options.locale.empty()
                                   ? icu::Locale::getDefault()
                                   : icu::Locale::createCanonical(options.locale.c_str());
    std::unique_ptr<icu::DateFormat> formatter(
        options.includeTime ? icu::DateFormat::createDateTimeInstance(
                                  icu::DateFormat::kShort, icu::DateFormat::kShort, locale)
                            : icu::DateFormat::createDateInstance(icu::DateFormat::kShort, locale));
    if (!formatter) return {};
    if (!options.timeZone.empty()) {
        formatter->adoptTimeZone(
            icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(options.timeZone)));
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch());
    icu::UnicodeString text;
    formatter->format(static_cast<UDate>(ms.count()), text);
    plainSpaces(text);
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

}  // namespace platform
