#include "sim/scenario/Values.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace sim {

namespace {

bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

std::string_view stripParens(std::string_view text) {
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')')
        return text.substr(1, text.size() - 2);
    return text;
}

std::optional<std::vector<double>> parseNumbers(std::string_view text, std::size_t count) {
    std::vector<double> out;
    text = stripParens(text);
    while (true) {
        const std::size_t comma = text.find(',');
        const auto n = parseNumber(text.substr(0, comma));
        if (!n) return std::nullopt;
        out.push_back(*n);
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    if (out.size() != count) return std::nullopt;
    return out;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long> parseInteger(std::string_view text) {
    if (text.empty()) return std::nullopt;
    if (text.front() == '+') text.remove_prefix(1);
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<bool> parseBoolean(std::string_view text) {
    if (text == "true" || text == "yes" || text == "on" || text == "1") return true;
    if (text == "false" || text == "no" || text == "off" || text == "0") return false;
    return std::nullopt;
}

std::optional<double> parseDuration(std::string_view text) {
    struct Unit {
        std::string_view suffix;
        double seconds;
    };
    // "ms" before "s", "min" before "s" is not a suffix clash but keeps the order obvious.
    static constexpr Unit kUnits[] = {{"ms", 0.001}, {"min", 60}, {"h", 3600}, {"s", 1}};
    for (const Unit& unit : kUnits) {
        if (!endsWith(text, unit.suffix)) continue;
        const auto n = parseNumber(text.substr(0, text.size() - unit.suffix.size()));
        if (!n || *n < 0) return std::nullopt;
        const double seconds = *n * unit.seconds;
        if (seconds > 366.0 * 24 * 3600) return std::nullopt;
        return seconds;
    }
    return std::nullopt;
}

std::optional<double> parseAngle(std::string_view text) {
    if (endsWith(text, "deg")) text.remove_suffix(3);
    const auto n = parseNumber(text);
    if (!n || std::fabs(*n) > 36000) return std::nullopt;
    return n;
}

std::optional<CGPoint> parsePoint(std::string_view text) {
    const auto n = parseNumbers(text, 2);
    if (!n) return std::nullopt;
    return CGPointMake((*n)[0], (*n)[1]);
}

std::optional<CGRect> parseRect(std::string_view text) {
    const auto n = parseNumbers(text, 4);
    if (!n || (*n)[2] < 0 || (*n)[3] < 0) return std::nullopt;
    return CGRectMake((*n)[0], (*n)[1], (*n)[2], (*n)[3]);
}

std::optional<PixelSize> parsePixelSize(std::string_view text) {
    const std::size_t x = text.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = parseInteger(text.substr(0, x));
    const auto h = parseInteger(text.substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0) return std::nullopt;
    return PixelSize{*w, *h};
}

std::optional<double> parseSeconds(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        const auto n = parseNumber(text);
        if (!n || *n < 0) return std::nullopt;
        return n;
    }
    const auto num = parseNumber(text.substr(0, slash));
    const auto den = parseNumber(text.substr(slash + 1));
    if (!num || !den || *den <= 0 || *num < 0) return std::nullopt;
    return *num / *den;
}

std::optional<Comparison> parseComparison(std::string_view text) {
    if (text == "=" || text == "==") return Comparison::Equal;
    if (text == "!=") return Comparison::NotEqual;
    if (text == "<") return Comparison::Less;
    if (text == "<=") return Comparison::LessEqual;
    if (text == ">") return Comparison::Greater;
    if (text == ">=") return Comparison::GreaterEqual;
    return std::nullopt;
}

const char* comparisonText(Comparison comparison) {
    switch (comparison) {
        case Comparison::Equal:
            return "=";
        case Comparison::NotEqual:
            return "!=";
        case Comparison::Less:
            return "<";
        case Comparison::LessEqual:
            return "<=";
        case Comparison::Greater:
            return ">";
        case Comparison::GreaterEqual:
            return ">=";
    }
    return "?";
}

bool compare(double actual, Comparison comparison, double expected, double tolerance) {
    switch (comparison) {
        case Comparison::Equal:
            return std::fabs(actual - expected) <= tolerance;
        case Comparison::NotEqual:
            return std::fabs(actual - expected) > tolerance;
        case Comparison::Less:
            return actual < expected;
        case Comparison::LessEqual:
            return actual <= expected + tolerance;
        case Comparison::Greater:
            return actual > expected;
        case Comparison::GreaterEqual:
            return actual >= expected - tolerance;
    }
    return false;
}

std::string formatNumber(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", value);
    return buf;
}

}  // namespace sim
