#include "platform/ui/UIButton.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"

namespace {
constexpr UIColor kTintBlue = UIColor::colorWithRed(0, 122.0 / 255, 1, 1);
}

std::shared_ptr<UIButton> UIButton::buttonWithType(UIButtonType type) {
    auto b = std::make_shared<UIButton>();
    b->type_ = type;
    return b;
}

template <class T>
T UIButton::lookup(const std::map<UIControlState, T>& m, UIControlState s, T fallback) {
    if (auto it = m.find(s); it != m.end()) return it->second;
    // A combined state falls back to its highlighted, then selected, part before normal.
    for (UIControlState part : {UIControlStateHighlighted, UIControlStateSelected}) {
        if ((s & part) != 0 && s != part) {
            if (auto it = m.find(part); it != m.end()) return it->second;
        }
    }
    if (auto it = m.find(UIControlStateNormal); it != m.end()) return it->second;
    return fallback;
}

void UIButton::setTitle(const std::string& title, UIControlState state) {
    titles_[state] = title;
    refresh();
}

std::string UIButton::titleForState(UIControlState state) const {
    return lookup<std::string>(titles_, state, "");
}

void UIButton::setTitleColor(UIColor color, UIControlState state) {
    titleColors_[state] = color;
    refresh();
}

UIColor UIButton::titleColorForState(UIControlState state) const {
    if (type_ == UIButtonTypeCustom) return lookup(titleColors_, state, UIColor::whiteColor());
    UIColor c = lookup(titleColors_, state, kTintBlue);
    if (titleColors_.count(state) == 0) {
        if ((state & UIControlStateDisabled) != 0) return UIColor::colorWithWhite(0.5, 0.5);
        if ((state & UIControlStateHighlighted) != 0) return c.colorWithAlphaComponent(c.a * 0.2);
    }
    return c;
}

void UIButton::setImage(std::shared_ptr<UIImage> image, UIControlState state) {
    images_[state] = std::move(image);
    refresh();
}

std::shared_ptr<UIImage> UIButton::imageForState(UIControlState state) const {
    return lookup<std::shared_ptr<UIImage>>(images_, state, nullptr);
}

void UIButton::setBackgroundImage(std::shared_ptr<UIImage> image, UIControlState state) {
    backgrounds_[state] = std::move(image);
    setNeedsDisplay();
}

std::shared_ptr<UIImage> UIButton::backgroundImageForState(UIControlState state) const {
    return lookup<std::shared_ptr<UIImage>>(backgrounds_, state, nullptr);
}

UILabel* UIButton::titleLabel() {
    if (titleLabel_ == nullptr) {
        titleLabel_ = std::make_shared<UILabel>();
        titleLabel_->setFont(UIFont::systemFontOfSize(type_ == UIButtonTypeSystem ? 15 : 18));
        titleLabel_->setTextAlignment(NSTextAlignmentCenter);
        refresh();
    }
    return titleLabel_.get();
}

UIImageView* UIButton::imageView() {
    if (imageView_ == nullptr) {
        imageView_ = std::make_shared<UIImageView>();
        refresh();
    }
    return imageView_.get();
}

void UIButton::stateDidChange() {
    refresh();
    setNeedsDisplay();
}

void UIButton::refresh() {
    const std::string title = currentTitle();
    if (!title.empty() && titleLabel_ == nullptr) {
        titleLabel();  // creates the label and comes back here
        return;
    }
    if (titleLabel_ != nullptr) {
        titleLabel_->setText(title);
        titleLabel_->setTextColor(titleColorForState(state()));
        if (title.empty()) {
            titleLabel_->removeFromSuperview();
        } else if (titleLabel_->superview() != this) {
            addSubview(titleLabel_);
        }
    }
    auto image = currentImage();
    if (image != nullptr && imageView_ == nullptr) {
        imageView();
        return;
    }
    if (imageView_ != nullptr) {
        imageView_->setImage(image);
        if (image == nullptr) {
            imageView_->removeFromSuperview();
        } else if (imageView_->superview() != this) {
            insertSubview(imageView_, 0);
        }
    }
    setNeedsLayout();
}

CGSize UIButton::sizeThatFits(CGSize size) const {
    CGSize s{};
    if (auto img = currentImage()) s = img->size();
    if (titleLabel_ != nullptr && !titleLabel_->text().empty()) {
        const CGSize t = titleLabel_->sizeThatFits(size);
        s.width += t.width;
        s.height = std::max(s.height, t.height);
    }
    if (auto bg = backgroundImageForState(state())) {
        s.width = std::max(s.width, bg->size().width);
        s.height = std::max(s.height, bg->size().height);
    }
    return s;
}

void UIButton::layoutSubviews() {
    const CGRect b = bounds();
    CGSize imageSize{}, titleSize{};
    const bool hasImage = imageView_ != nullptr && imageView_->superview() == this;
    const bool hasTitle = titleLabel_ != nullptr && titleLabel_->superview() == this;
    if (hasImage && imageView_->image() != nullptr) imageSize = imageView_->image()->size();
    if (hasTitle) {
        titleSize = titleLabel_->sizeThatFits(b.size);
        titleSize.width = std::min(titleSize.width, std::max(0.0, b.size.width - imageSize.width));
    }
    // Image and title side by side, centred as a group.
    CGFloat x = b.origin.x + (b.size.width - imageSize.width - titleSize.width) / 2;
    if (hasImage) {
        imageView_->setFrame(CGRectMake(x, b.origin.y + (b.size.height - imageSize.height) / 2,
                                        imageSize.width, imageSize.height));
        x += imageSize.width;
    }
    if (hasTitle) {
        titleLabel_->setFrame(CGRectMake(x, b.origin.y + (b.size.height - titleSize.height) / 2,
                                         titleSize.width, titleSize.height));
    }
}

void UIButton::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    auto bg = backgroundImageForState(state());
    if (bg != nullptr) ctx.drawImage(rect, bg->image().get());
}
