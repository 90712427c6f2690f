#include "platform/ui/NSAttributedString.h"

#include <algorithm>

NSAttributedString::NSAttributedString(std::string text, const NSAttributes& attributes)
    : text_(std::move(text)) {
    // Character starts: every byte that is not a UTF-8 continuation byte.
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80) offsets_.push_back(i);
    }
    perChar_.assign(offsets_.size(), attributes);
}

void NSAttributedString::addAttributes(const NSAttributes& attributes, NSRange range) {
    const std::size_t begin = std::min(range.location, perChar_.size());
    const std::size_t end =
        std::min(perChar_.size(), begin + std::min(range.length, perChar_.size()));
    for (std::size_t i = begin; i < end; ++i) {
        if (attributes.font) perChar_[i].font = attributes.font;
        if (attributes.foregroundColor) perChar_[i].foregroundColor = attributes.foregroundColor;
        if (attributes.kern) perChar_[i].kern = attributes.kern;
    }
}

std::vector<NSAttributedString::Run> NSAttributedString::runs() const {
    std::vector<Run> out;
    for (std::size_t i = 0; i < perChar_.size(); ++i) {
        const std::size_t from = offsets_[i];
        const std::size_t to = i + 1 < offsets_.size() ? offsets_[i + 1] : text_.size();
        if (!out.empty() && out.back().attributes == perChar_[i]) {
            out.back().text.append(text_, from, to - from);
        } else {
            out.push_back({text_.substr(from, to - from), perChar_[i]});
        }
    }
    return out;
}
