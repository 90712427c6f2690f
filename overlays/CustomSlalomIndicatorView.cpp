#include "overlays/CustomSlalomIndicatorView.h"

#include "artwork/SlalomBadge.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "tools/Predicates.h"

namespace lumora {

CustomSlalomIndicatorView::CustomSlalomIndicatorView(CGRect frame,
                                                     UIGestureRecognizer::Action callback,
                                                     const std::shared_ptr<NSObject>& callbackOwner)
    : UIView(frame) {
    addGestureRecognizer(
        std::make_shared<UITapGestureRecognizer>(callbackOwner, std::move(callback)));
}

void CustomSlalomIndicatorView::setIndicatorType(int type) {
    indicatorType_ = type;
    setNeedsDisplay();
}

void CustomSlalomIndicatorView::setFramesPerSecond(int framesPerSecond) {
    framesPerSecond_ = framesPerSecond;
    setNeedsDisplay();
}

void CustomSlalomIndicatorView::setLabelText(std::string text) {
    labelText_ = std::move(text);
    setNeedsDisplay();
}

void CustomSlalomIndicatorView::setResolutionImg(std::shared_ptr<UIImage> image) {
    resolutionImg_ = std::move(image);
    setNeedsDisplay();
}

void CustomSlalomIndicatorView::setResolutionImgFrame(CGRect frame) {
    resolutionImgFrame_ = frame;
    setNeedsDisplay();
}

void CustomSlalomIndicatorView::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const bool pad = isTablet();
    if (indicatorType_ == kResolution) {
        const platform::Image* picture = resolutionImg_ ? resolutionImg_->image().get() : nullptr;
        artwork::drawResolutionBadge(ctx, rect, picture, resolutionImgFrame_, labelText_, pad);
    } else {
        artwork::drawFrameRateBadge(ctx, rect, framesPerSecond_, labelText_, pad);
    }
}

}  // namespace lumora
