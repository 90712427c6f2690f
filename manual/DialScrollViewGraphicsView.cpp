#include "manual/DialScrollViewGraphicsView.h"

#include "artwork/DialMarks.h"

namespace lumora {

DialScrollViewGraphicsView::DialScrollViewGraphicsView(CGRect frame) : UIView(frame) {
    setAlpha(0.8);
}

void DialScrollViewGraphicsView::drawRect(platform::GraphicsContext& ctx, CGRect /*rect*/) {
    // The marks are laid out from the view's own top-left corner.
    const long t = tag();
    if (t < artwork::kDialMarkTick || t > artwork::kDialMarkFarFocus) return;
    artwork::drawDialMark(ctx, static_cast<int>(t), subTag_);
}

bool DialScrollViewGraphicsView::pointInside(CGPoint /*point*/, UIEvent* /*event*/) {
    return false;
}

}  // namespace lumora
