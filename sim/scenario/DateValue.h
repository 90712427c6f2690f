#pragma once
// Calendar dates and times of scenario lines, in ISO 8601's extended form:
//   2026-12-07                   midnight, the phone's local time
//   2026-12-07T21:41             21:41 local time (seconds and a fraction may follow: 21:41:05.5)
//   2026-12-07T21:41:00Z         an instant in UTC
//   2026-12-07T21:41:00+01:00    an instant with its offset from UTC (+0100 and +01 too)
// The phone's local time is the time zone the process runs in (TZ), the one the photo stamp's
// text is written in.

#include <chrono>
#include <optional>
#include <string_view>

namespace sim {

// The instant, or nullopt for text that is not such a date (impossible days such as 2026-02-30
// and hours past 23:59:59 included). Years 1970 to 2200 (the clock's range ends in 2262).
std::optional<std::chrono::system_clock::time_point> parseDateTime(std::string_view text);

}  // namespace sim
