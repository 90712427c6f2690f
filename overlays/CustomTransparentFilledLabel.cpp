#include "overlays/CustomTransparentFilledLabel.h"

#include "artwork/CutOutLabel.h"

namespace lumora {

CustomTransparentFilledLabel::CustomTransparentFilledLabel(CGRect frame) : UILabel(frame) {
    layer().setCornerRadius(2);
    layer().setMasksToBounds(true);
    setTextColor(UIColor::whiteColor());
    setBackgroundColor(UIColor::clearColor());
    setFont(UIFont::fontWithName("DINAlternate-Bold", 12));
    setTextAlignment(NSTextAlignmentCenter);
}

void CustomTransparentFilledLabel::setTextEx(const std::string& text) {
    NSAttributes attributes;
    attributes.kern = kLetterSpacing;
    setAttributedText(NSAttributedString(text, attributes));
}

void CustomTransparentFilledLabel::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    artwork::CutOutLabelStyle style;
    style.fontName = font().fontName;
    // The size the label shrank its text to, so long translations still fit the plate.
    style.fontSize = effectiveFontSize();
    style.kerning = attributedText() ? kLetterSpacing : 0;
    const std::string& shown = attributedText() ? attributedText()->string() : text();
    // The plate replaces the pixels under it; drawn straight onto the screen that would punch
    // the letters through whatever lies behind the label. In a layer of its own, as the label's
    // backing store, the holes stay clear and the layer is laid over the scene.
    platform::TransparencyLayerGuard layer(ctx, 1);
    artwork::drawCutOutLabel(ctx, rect, shown, style);
}

}  // namespace lumora
