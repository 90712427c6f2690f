#include "artwork/GlyphButton.h"

#include "platform/objc/Runtime.h"

namespace lumora::artwork {

GlyphState GlyphButton::glyphState() const {
    GlyphState s;
    s.selected = isSelected();
    s.enabled = isEnabled();
    return s;
}

void GlyphButton::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    // The base button draws only its background image, which these buttons do not use.
    UIButton::drawRect(ctx, rect);
    drawGlyphInRect(ctx, rect, glyphState());
}

void registerGlyphButtonClasses() {
    static constexpr const char* kClasses[] = {"CustomDrawButton", "CameraButton", "TimerButton",
                                               "TimeLapseButton",  "MovieButton",  "WBLockButton"};
    auto& rt = objc::Runtime::current();
    // The intermediate base is an implementation detail; the runtime sees UIButton subclasses.
    for (const char* name : kClasses) rt.registerClass(name, "UIButton");
}

}  // namespace lumora::artwork
