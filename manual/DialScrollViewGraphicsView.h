#pragma once
// One mark of a value dial's ruler: tag 1 a regular tick, 2 the near-focus flower, 3 the
// far-focus mountains; other tags draw nothing. subTag names the dial kind (97 ISO and shutter
// speed, 99 lens position). The mark never takes touches, so drags reach the ruler's scroll
// view underneath.

#include "platform/ui/UIView.h"

namespace lumora {

class DialScrollViewGraphicsView : public UIView {
public:
    LU_OBJC_CLASS(DialScrollViewGraphicsView)
    // Alpha 0.8; the caller sets the tag, the sub-tag and a clear background.
    explicit DialScrollViewGraphicsView(CGRect frame);

    int subTag() const { return subTag_; }
    void setSubTag(int subTag) { subTag_ = subTag; }

    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;
    bool pointInside(CGPoint point, UIEvent* event) override;

private:
    int subTag_ = 0;
};

}  // namespace lumora
