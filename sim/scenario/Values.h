#pragma once
// Parsers of the values scenario lines carry. Each accepts the whole text or nothing: trailing
// characters, non-finite numbers and out-of-range values give nullopt.

#include <optional>
#include <string>
#include <string_view>

#include "platform/geometry/Geometry.h"

namespace sim {

// "12", "-3.5", "1e3".
std::optional<double> parseNumber(std::string_view text);
// "12", "-3" (fits a long).
std::optional<long> parseInteger(std::string_view text);
// "true"/"false", "yes"/"no", "on"/"off", "1"/"0".
std::optional<bool> parseBoolean(std::string_view text);
// A virtual-time span with its unit: "250ms", "2.5s", "10min", "1h"; at most a year, not
// negative.
std::optional<double> parseDuration(std::string_view text);
// Degrees: "30", "-12.5", "90deg".
std::optional<double> parseAngle(std::string_view text);
// "(x,y)" or "x,y".
std::optional<CGPoint> parsePoint(std::string_view text);
// "(x,y,w,h)" or "x,y,w,h"; width and height not negative.
std::optional<CGRect> parseRect(std::string_view text);
// "WxH" in whole pixels, each positive.
struct PixelSize {
    long width = 0;
    long height = 0;
};
std::optional<PixelSize> parsePixelSize(std::string_view text);
// A frame duration or rate as seconds: "1/60" (a fraction of a second) or "0.0166".
std::optional<double> parseSeconds(std::string_view text);

// How two numbers compare in an expectation.
enum class Comparison { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual };
// "=", "==", "!=", "<", "<=", ">", ">=".
std::optional<Comparison> parseComparison(std::string_view text);
const char* comparisonText(Comparison comparison);
// Equality within `tolerance` (absolute) for Equal and NotEqual.
bool compare(double actual, Comparison comparison, double expected, double tolerance = 1e-6);

// Shortest readable form of a number ("60", "0.5", "0.0167").
std::string formatNumber(double value);

}  // namespace sim
