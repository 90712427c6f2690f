#include "platform/ui/UILabel.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/GraphicsContext.h"
#include "platform/graphics/Text.h"

namespace {

platform::TextAlignment toAlignment(NSTextAlignment a) {
    switch (a) {
        case NSTextAlignmentCenter:
            return platform::TextAlignment::Center;
        case NSTextAlignmentRight:
            return platform::TextAlignment::Right;
        default:
            return platform::TextAlignment::Left;
    }
}

platform::TextStyle styleOf(const UIFont& font, CGFloat size, UIColor color, double kern,
                            NSTextAlignment a) {
    platform::TextStyle s;
    s.fontName = font.fontName;
    s.fontSize = size;
    s.kerning = kern;
    s.color = color;
    s.alignment = toAlignment(a);
    return s;
}

}  // namespace

UILabel::UILabel() {
    setUserInteractionEnabled(false);
}

UILabel::UILabel(CGRect frame) : UIView(frame) {
    setUserInteractionEnabled(false);
}

void UILabel::setText(std::string text) {
    text_ = std::move(text);
    attributed_.reset();
    setNeedsDisplay();
}

void UILabel::setAttributedText(NSAttributedString text) {
    text_ = text.string();
    attributed_ = std::move(text);
    setNeedsDisplay();
}

void UILabel::setFont(UIFont font) {
    font_ = std::move(font);
    setNeedsDisplay();
}

void UILabel::setTextColor(UIColor color) {
    textColor_ = color;
    setNeedsDisplay();
}

void UILabel::setTextAlignment(NSTextAlignment a) {
    alignment_ = a;
    setNeedsDisplay();
}

CGFloat UILabel::singleLineWidth(CGFloat fontSize) const {
    const double scale = font_.pointSize > 0 ? fontSize / font_.pointSize : 1;
    if (!attributed_) {
        return platform::measureText(text_, styleOf(font_, fontSize, textColor_, 0, alignment_))
            .width;
    }
    CGFloat w = 0;
    for (const auto& run : attributed_->runs()) {
        const UIFont f = run.attributes.font.value_or(font_);
        w += platform::measureText(run.text, styleOf(f, f.pointSize * scale, textColor_,
                                                     run.attributes.kern.value_or(0), alignment_))
                 .width;
    }
    return w;
}

CGFloat UILabel::effectiveFontSize() const {
    const CGFloat size = font_.pointSize;
    if (!adjusts_ || minimumScale_ <= 0 || (numberOfLines_ != 1 && !attributed_)) return size;
    const CGFloat width = singleLineWidth(size);
    const CGFloat available = bounds().size.width;
    if (width <= available || width <= 0) return size;
    return size * std::max(minimumScale_, available / width);
}

CGSize UILabel::sizeThatFits(CGSize size) const {
    if (text_.empty()) return CGSizeZero;
    const auto style = styleOf(font_, font_.pointSize, textColor_, 0, alignment_);
    const CGFloat lineHeight = platform::fontMetrics(style).lineHeight;
    if (attributed_ || numberOfLines_ == 1) {
        return {std::ceil(singleLineWidth(font_.pointSize)), std::ceil(lineHeight)};
    }
    const CGFloat maxWidth = size.width > 0 ? size.width : 1e9;
    auto lines = platform::wrapLines(text_, style, maxWidth);
    if (numberOfLines_ > 0 && lines.size() > static_cast<std::size_t>(numberOfLines_)) {
        lines.resize(static_cast<std::size_t>(numberOfLines_));
    }
    CGFloat w = 0;
    for (const auto& l : lines) w = std::max(w, platform::measureText(l, style).width);
    return {std::ceil(w), std::ceil(lineHeight * static_cast<double>(lines.size()))};
}

void UILabel::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    if (text_.empty() || rect.size.width <= 0 || rect.size.height <= 0) return;
    if (attributed_) {
        drawAttributed(ctx, rect);
        return;
    }
    const auto style = styleOf(font_, effectiveFontSize(), textColor_, 0, alignment_);
    if (numberOfLines_ == 1) {
        ctx.drawText(text_, rect, style);
        return;
    }
    auto lines = platform::wrapLines(text_, style, rect.size.width);
    if (numberOfLines_ > 0 && lines.size() > static_cast<std::size_t>(numberOfLines_)) {
        lines.resize(static_cast<std::size_t>(numberOfLines_));
    }
    const CGFloat lh = platform::fontMetrics(style).lineHeight;
    CGFloat y = rect.origin.y + (rect.size.height - lh * static_cast<double>(lines.size())) / 2;
    for (const auto& line : lines) {
        ctx.drawText(line, CGRectMake(rect.origin.x, y, rect.size.width, lh), style);
        y += lh;
    }
}

void UILabel::drawAttributed(platform::GraphicsContext& ctx, CGRect rect) const {
    const CGFloat size = effectiveFontSize();
    const double scale = font_.pointSize > 0 ? size / font_.pointSize : 1;
    const CGFloat width = singleLineWidth(size);
    CGFloat x = rect.origin.x;
    if (alignment_ == NSTextAlignmentCenter) x += (rect.size.width - width) / 2;
    if (alignment_ == NSTextAlignmentRight) x += rect.size.width - width;
    for (const auto& run : attributed_->runs()) {
        const UIFont f = run.attributes.font.value_or(font_);
        auto style =
            styleOf(f, f.pointSize * scale, run.attributes.foregroundColor.value_or(textColor_),
                    run.attributes.kern.value_or(0), NSTextAlignmentLeft);
        const CGFloat lh = platform::fontMetrics(style).lineHeight;
        const CGFloat y = rect.origin.y + (rect.size.height - lh) / 2;
        x += ctx.drawTextAt(run.text, {x, y}, style).width;
    }
}
