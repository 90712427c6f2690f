#pragma once
// A drawn button whose tag picks its glyph (see Glyphs.h: 1-4 composition guides, 5 wrench,
// 6 / 7 focus and exposure tabs, 8 page arrow, 9 stabilization mode) and whose drawFlow picks
// the glyph's variant (tab open and automatic / manual, or the stabilization mode shown).

#include "artwork/GlyphButton.h"

namespace lumora {

class CustomDrawButton : public artwork::GlyphButton {
public:
    LU_OBJC_CLASS(CustomDrawButton)
    CustomDrawButton() = default;
    explicit CustomDrawButton(CGRect frame) : GlyphButton(frame) {}

    int drawFlow() const { return drawFlow_; }
    // Marks the button for redrawing.
    void setDrawFlow(int drawFlow);

protected:
    void drawGlyphInRect(platform::GraphicsContext& ctx, CGRect rect,
                         const artwork::GlyphState& state) override;

private:
    int drawFlow_ = 0;
};

}  // namespace lumora
