#pragma once
// A view that shows text: plain text with one font and colour, or an attributed string (kerned
// runs on one line). The text is centred vertically. With adjustsFontSizeToFitWidth a single
// line that is too wide shrinks, down to minimumScaleFactor of the font size (0: no shrinking).

#include <optional>
#include <string>

#include "platform/ui/NSAttributedString.h"
#include "platform/ui/UIFont.h"
#include "platform/ui/UIView.h"

enum NSTextAlignment : long {
    NSTextAlignmentLeft = 0,
    NSTextAlignmentCenter = 1,
    NSTextAlignmentRight = 2,
};

class UILabel : public UIView {
public:
    LU_OBJC_CLASS(UILabel)
    UILabel();
    explicit UILabel(CGRect frame);

    const std::string& text() const { return text_; }
    // Setting plain text drops the attributed text.
    void setText(std::string text);
    const std::optional<NSAttributedString>& attributedText() const { return attributed_; }
    void setAttributedText(NSAttributedString text);

    const UIFont& font() const { return font_; }
    void setFont(UIFont font);
    UIColor textColor() const { return textColor_; }
    void setTextColor(UIColor color);
    NSTextAlignment textAlignment() const { return alignment_; }
    void setTextAlignment(NSTextAlignment a);
    bool adjustsFontSizeToFitWidth() const { return adjusts_; }
    void setAdjustsFontSizeToFitWidth(bool a) {
        adjusts_ = a;
        setNeedsDisplay();
    }
    double minimumScaleFactor() const { return minimumScale_; }
    void setMinimumScaleFactor(double s) { minimumScale_ = (s > 0 && s <= 1) ? s : 0; }
    // 1 by default; 0 means as many lines as the text needs.
    long numberOfLines() const { return numberOfLines_; }
    void setNumberOfLines(long n) { numberOfLines_ = n < 0 ? 0 : n; }

    // The font size the text is drawn at in the current bounds (after any shrinking).
    CGFloat effectiveFontSize() const;

    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

private:
    CGFloat singleLineWidth(CGFloat fontSize) const;
    void drawAttributed(platform::GraphicsContext& ctx, CGRect rect) const;

    std::string text_;
    std::optional<NSAttributedString> attributed_;
    UIFont font_ = UIFont::systemFontOfSize(17);
    UIColor textColor_ = UIColor::blackColor();
    NSTextAlignment alignment_ = NSTextAlignmentLeft;
    bool adjusts_ = false;
    double minimumScale_ = 0;
    long numberOfLines_ = 1;
};
