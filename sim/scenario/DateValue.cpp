#include "sim/scenario/DateValue.h"

#include <cctype>
#include <cmath>
#include <ctime>

namespace sim {

namespace {

// Exactly `digits` decimal digits at the front of `text`, consumed.
std::optional<int> takeDigits(std::string_view& text, std::size_t digits) {
    if (text.size() < digits) return std::nullopt;
    int value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        if (std::isdigit(static_cast<unsigned char>(text[i])) == 0) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    text.remove_prefix(digits);
    return value;
}

bool take(std::string_view& text, char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
}

struct Fields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    double fraction = 0;               // of a second
    std::optional<int> offsetMinutes;  // east of UTC; nullopt: local time
};

std::optional<Fields> parseFields(std::string_view text) {
    Fields f;
    const auto year = takeDigits(text, 4);
    if (!year || !take(text, '-')) return std::nullopt;
    const auto month = takeDigits(text, 2);
    if (!month || !take(text, '-')) return std::nullopt;
    const auto day = takeDigits(text, 2);
    if (!day) return std::nullopt;
    f.year = *year;
    f.month = *month;
    f.day = *day;
    if (text.empty()) return f;
    if (!take(text, 'T')) return std::nullopt;
    const auto hour = takeDigits(text, 2);
    if (!hour || !take(text, ':')) return std::nullopt;
    const auto minute = takeDigits(text, 2);
    if (!minute) return std::nullopt;
    f.hour = *hour;
    f.minute = *minute;
    if (take(text, ':')) {
        const auto second = takeDigits(text, 2);
        if (!second) return std::nullopt;
        f.second = *second;
        if (take(text, '.') || take(text, ',')) {
            double scale = 0.1;
            std::size_t n = 0;
            while (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front())) != 0) {
                f.fraction += (text.front() - '0') * scale;
                scale /= 10;
                text.remove_prefix(1);
                ++n;
            }
            if (n == 0) return std::nullopt;
        }
    }
    if (take(text, 'Z')) {
        f.offsetMinutes = 0;
    } else if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        const int sign = text.front() == '-' ? -1 : 1;
        text.remove_prefix(1);
        const auto hours = takeDigits(text, 2);
        if (!hours) return std::nullopt;
        int minutes = 0;
        if (!text.empty()) {
            take(text, ':');
            const auto m = takeDigits(text, 2);
            if (!m) return std::nullopt;
            minutes = *m;
        }
        if (*hours > 18 || minutes > 59) return std::nullopt;
        f.offsetMinutes = sign * (*hours * 60 + minutes);
    }
    if (!text.empty()) return std::nullopt;
    return f;
}

}  // namespace

constexpr int kLastYear = 2200;

std::optional<std::chrono::system_clock::time_point> parseDateTime(std::string_view text) {
    using namespace std::chrono;
    const auto f = parseFields(text);
    // The clock counts nanoseconds in 64 bits, which end in 2262: later years would overflow.
    if (!f || f->year < 1970 || f->year > kLastYear || f->hour > 23 || f->minute > 59 ||
        f->second > 59) {
        return std::nullopt;
    }
    const year_month_day date{year{f->year}, month{static_cast<unsigned>(f->month)},
                              day{static_cast<unsigned>(f->day)}};
    if (!date.ok()) return std::nullopt;
    const auto fraction = duration_cast<system_clock::duration>(duration<double>(f->fraction));
    if (f->offsetMinutes) {
        const sys_seconds utc = sys_days{date} + hours{f->hour} + minutes{f->minute} +
                                seconds{f->second} - minutes{*f->offsetMinutes};
        return time_point_cast<system_clock::duration>(utc) + fraction;
    }
    // Local time: the C library resolves the zone and its daylight-saving rule for that day.
    std::tm tm{};
    tm.tm_year = f->year - 1900;
    tm.tm_mon = f->month - 1;
    tm.tm_mday = f->day;
    tm.tm_hour = f->hour;
    tm.tm_min = f->minute;
    tm.tm_sec = f->second;
    tm.tm_isdst = -1;
    const std::time_t t = std::mktime(&tm);
    if (t == static_cast<std::time_t>(-1)) return std::nullopt;
    return system_clock::from_time_t(t) + fraction;
}

}  // namespace sim
