#pragma once
// A picture in the user manual: one of the camera bar's drawn glyphs (the same artwork the
// add-on draws), or the lens dial's end marks (a flower for close focus, the infinity sign).
// Glyphs on a white tile are drawn amber, the "white" variants white, the others in the bar's
// grey, as they look on the camera.

#include <optional>

#include "platform/graphics/Color.h"
#include "platform/ui/UIView.h"

namespace prefs {

class ManualIllustration : public UIView {
public:
    LU_OBJC_CLASS(ManualIllustration)
    enum class Kind {
        Camera,
        Timer,
        TimeLapse,
        Movie,
        WBLock,
        Glyph,  // a CustomDrawButton glyph by tag
        Macro,
        Infinity
    };
    ManualIllustration(Kind kind, int tag = 0);

    Kind kind() const { return kind_; }
    int drawFlow() const { return drawFlow_; }
    void setDrawFlow(int drawFlow);
    void setSelectedLook(bool selected);
    void setGlyphColour(std::optional<platform::Color> colour);

    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

private:
    Kind kind_;
    int glyphTag_;
    int drawFlow_ = 0;
    bool selected_ = false;
    std::optional<platform::Color> colour_;
};

}  // namespace prefs
