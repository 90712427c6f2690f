#include "platform/ui/UIImageView.h"

#include "platform/graphics/GraphicsContext.h"

UIImageView::UIImageView() {
    setUserInteractionEnabled(false);
}

UIImageView::UIImageView(CGRect frame) : UIView(frame) {
    setUserInteractionEnabled(false);
}

UIImageView::UIImageView(std::shared_ptr<UIImage> image)
    : UIView(image != nullptr ? CGRect{CGPointZero, image->size()} : CGRectZero),
      image_(std::move(image)) {
    setUserInteractionEnabled(false);
}

void UIImageView::setImage(std::shared_ptr<UIImage> image) {
    image_ = std::move(image);
    setNeedsDisplay();
}

void UIImageView::setHighlightedImage(std::shared_ptr<UIImage> image) {
    highlightedImage_ = std::move(image);
    setNeedsDisplay();
}

void UIImageView::setHighlighted(bool h) {
    highlighted_ = h;
    setNeedsDisplay();
}

UIImage* UIImageView::displayedImage() const {
    if (highlighted_ && highlightedImage_ != nullptr) return highlightedImage_.get();
    return image_.get();
}

CGSize UIImageView::sizeThatFits(CGSize) const {
    const UIImage* img = displayedImage();
    return img != nullptr ? img->size() : CGSizeZero;
}

void UIImageView::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const UIImage* img = displayedImage();
    if (img == nullptr || rect.size.width <= 0 || rect.size.height <= 0) return;
    ctx.drawImage(rect, img->image().get());
}
