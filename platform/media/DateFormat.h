#pragma once
// The date (and time) text of a photo's time stamp: the short date and time styles of a locale,
// as the platform's date formatter produces them, through ICU.

#include <chrono>
#include <string>

namespace platform {

struct DateFormatOptions {
    bool includeTime = false;  // short time after the short date
    // An ICU locale identifier such as "en_US" or "fr_FR"; empty uses the process default.
    std::string locale;
    // An Olson time zone such as "Europe/Paris" or "UTC"; empty uses the system's zone.
    std::string timeZone;
};

// The formatted text in UTF-8; empty only if ICU cannot build a formatter at all.
std::string formatShortDate(std::chrono::system_clock::time_point when,
                            const DateFormatOptions& options);

}  // namespace platform
