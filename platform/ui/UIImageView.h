#pragma once
// A view that shows an image stretched over its bounds; the highlighted image replaces it while
// highlighted (when there is one). No image draws nothing.

#include <memory>

#include "platform/ui/UIImage.h"
#include "platform/ui/UIView.h"

class UIImageView : public UIView {
public:
    LU_OBJC_CLASS(UIImageView)
    UIImageView();
    explicit UIImageView(CGRect frame);
    // initWithImage: a frame at the origin with the image's size.
    explicit UIImageView(std::shared_ptr<UIImage> image);

    const std::shared_ptr<UIImage>& image() const { return image_; }
    void setImage(std::shared_ptr<UIImage> image);
    const std::shared_ptr<UIImage>& highlightedImage() const { return highlightedImage_; }
    void setHighlightedImage(std::shared_ptr<UIImage> image);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool h);
    // The image drawn now.
    UIImage* displayedImage() const;

    CGSize sizeThatFits(CGSize size) const override;
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;

private:
    std::shared_ptr<UIImage> image_;
    std::shared_ptr<UIImage> highlightedImage_;
    bool highlighted_ = false;
};
