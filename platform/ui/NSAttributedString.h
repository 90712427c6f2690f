#pragma once
// A string with attributes over ranges of characters (code points): font, colour and kerning
// (extra points after each character, NSKernAttributeName). Held by value; addAttributes is the
// mutable variant's operation.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/UIColor.h"
#include "platform/ui/UIFont.h"

struct NSRange {
    std::size_t location = 0;
    std::size_t length = 0;
};

struct NSAttributes {
    std::optional<UIFont> font;
    std::optional<UIColor> foregroundColor;
    std::optional<double> kern;
    bool operator==(const NSAttributes&) const = default;
};

class NSAttributedString {
public:
    NSAttributedString() = default;
    explicit NSAttributedString(std::string text, const NSAttributes& attributes = {});

    const std::string& string() const { return text_; }
    // The number of characters (code points).
    std::size_t length() const { return perChar_.size(); }
    // Sets the given attributes over the range (clipped to the string); unset fields of
    // `attributes` leave what is there.
    void addAttributes(const NSAttributes& attributes, NSRange range);

    struct Run {
        std::string text;
        NSAttributes attributes;
    };
    // Maximal runs of equal attributes, in order.
    std::vector<Run> runs() const;

private:
    std::string text_;
    std::vector<std::size_t> offsets_;  // byte offset of each character
    std::vector<NSAttributes> perChar_;
};
