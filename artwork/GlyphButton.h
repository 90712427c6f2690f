#pragma once
// The common base of the camera bar's drawn buttons: a custom button without title or image
// whose drawRect draws its glyph in the colour of its state (amber when selected, grey when
// not, faint when disabled). Any change of selected, enabled or highlighted marks it for
// redrawing.

#include "artwork/Glyphs.h"
#include "platform/ui/UIButton.h"

namespace lumora::artwork {

class GlyphButton : public UIButton {
public:
    LU_OBJC_CLASS(GlyphButton)
    GlyphButton() = default;
    explicit GlyphButton(CGRect frame) : UIButton(frame) {}

    // The glyph's state as drawn now.
    GlyphState glyphState() const;
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

protected:
    // Draws the glyph into rect (the bounds) in the given state.
    virtual void drawGlyphInRect(platform::GraphicsContext& ctx, CGRect rect,
                                 const GlyphState& state) = 0;
};

// Registers the glyph button classes with the object runtime (UIButton must be known).
void registerGlyphButtonClasses();

}  // namespace lumora::artwork
