#pragma once
// UIColor as a value: straight RGBA components in 0..1 with the platform's named colours.
// A view's "nil" background is the clear colour.

#include "platform/graphics/Color.h"

struct UIColor : platform::Color {
    constexpr UIColor() : platform::Color{0, 0, 0, 0} {}
    constexpr UIColor(const platform::Color& c) : platform::Color(c) {}

    static constexpr UIColor colorWithRed(double r, double g, double b, double a) {
        return platform::Color{r, g, b, a};
    }
    static constexpr UIColor colorWithWhite(double w, double a) {
        return platform::Color{w, w, w, a};
    }
    static constexpr UIColor clearColor() { return platform::Color{0, 0, 0, 0}; }
    static constexpr UIColor blackColor() { return platform::Color{0, 0, 0, 1}; }
    static constexpr UIColor whiteColor() { return platform::Color{1, 1, 1, 1}; }
    static constexpr UIColor redColor() { return platform::Color{1, 0, 0, 1}; }
    static constexpr UIColor greenColor() { return platform::Color{0, 1, 0, 1}; }
    static constexpr UIColor blueColor() { return platform::Color{0, 0, 1, 1}; }
    static constexpr UIColor yellowColor() { return platform::Color{1, 1, 0, 1}; }
    static constexpr UIColor grayColor() { return platform::Color{0.5, 0.5, 0.5, 1}; }
    static constexpr UIColor lightGrayColor() {
        return platform::Color{2.0 / 3, 2.0 / 3, 2.0 / 3, 1};
    }
    static constexpr UIColor darkGrayColor() {
        return platform::Color{1.0 / 3, 1.0 / 3, 1.0 / 3, 1};
    }

    constexpr UIColor colorWithAlphaComponent(double alpha) const {
        return platform::Color{r, g, b, alpha};
    }
    // getRed:green:blue:alpha:; null pointers are skipped.
    bool getRed(double* red, double* green, double* blue, double* alpha) const {
        if (red != nullptr) *red = r;
        if (green != nullptr) *green = g;
        if (blue != nullptr) *blue = b;
        if (alpha != nullptr) *alpha = a;
        return true;
    }
};
