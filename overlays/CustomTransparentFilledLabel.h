#pragma once
// A short status text cut out of an amber rounded plate, so the scene behind shows through the
// letters (the white-balance lock label, the camera bar's captions). Drawn with the cut-out label
// artwork (artwork/CutOutLabel.h); the text colour cannot be changed from outside.

#include <string>

#include "platform/ui/UILabel.h"

namespace lumora {

class CustomTransparentFilledLabel : public UILabel {
public:
    LU_OBJC_CLASS(CustomTransparentFilledLabel)

    // "DINAlternate-Bold" 12, centred, clear background.
    explicit CustomTransparentFilledLabel(CGRect frame);

    // The text with a letter spacing of 2 points over its whole length.
    void setTextEx(const std::string& text);

    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

    static constexpr double kLetterSpacing = 2.0;
};

}  // namespace lumora
