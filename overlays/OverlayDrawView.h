#pragma once
// The composition guide drawn over the host's preview: clear, untouchable, and drawing the
// guide its tag names (1 thirds, 2 golden section with spiral, 3 trisection, 4 square; any other
// tag, such as -1 for none, draws nothing).

#include "platform/ui/UIView.h"

namespace lumora {

class OverlayDrawView : public UIView {
public:
    LU_OBJC_CLASS(OverlayDrawView)
    explicit OverlayDrawView(CGRect frame);

    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;
};

}  // namespace lumora
