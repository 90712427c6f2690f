#include "platform/ui/UIVisualEffectView.h"

UIColor UIBlurEffect::tint() const {
    switch (style_) {
        case UIBlurEffectStyleExtraLight:
            return UIColor::colorWithWhite(0.97, 0.7);
        case UIBlurEffectStyleLight:
            return UIColor::colorWithWhite(1, 0.3);
        case UIBlurEffectStyleDark:
            break;
    }
    return UIColor::colorWithWhite(0.11, 0.73);
}

UIVisualEffectView::UIVisualEffectView(UIBlurEffect effect, CGRect frame)
    : UIView(frame),
      effect_(effect),
      content_(std::make_shared<UIView>(CGRect{{0, 0}, frame.size})) {
    auto blur = CAFilter::filterWithName(kCAFilterGaussianBlur);
    blur->setValue("inputRadius", kBlurRadius);
    layer().setFilters({blur});
    setBackgroundColor(effect_.tint());
    addSubview(content_);
}

void UIVisualEffectView::layoutSubviews() {
    content_->setFrame(bounds());
}
