#pragma once
// An RGBA colour with straight (not premultiplied) components in 0..1, like UIColor's
// colorWithRed:green:blue:alpha:. Values outside 0..1 are clamped when used; NaN counts as 0.

namespace platform {

struct Color {
    double r = 0, g = 0, b = 0, a = 1;

    static constexpr Color rgb(double r, double g, double b, double a = 1) { return {r, g, b, a}; }
    static constexpr Color white(double w, double a = 1) { return {w, w, w, a}; }
    static constexpr Color clear() { return {0, 0, 0, 0}; }
    static constexpr Color black() { return {0, 0, 0, 1}; }
    static constexpr Color whiteColor() { return {1, 1, 1, 1}; }
    // The platform's systemGrey (grayColor): 0.5 white.
    static constexpr Color grey() { return {0.5, 0.5, 0.5, 1}; }

    constexpr Color withAlpha(double alpha) const { return {r, g, b, alpha}; }
    bool operator==(const Color&) const = default;
};

// The same colour with each component clamped to 0..1 (NaN becomes 0).
Color clamped(const Color& c);

}  // namespace platform
