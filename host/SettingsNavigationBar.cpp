#include "host/SettingsNavigationBar.h"

#include "platform/ui/UINavigationController.h"

namespace host {

SettingsNavigationBar::SettingsNavigationBar(CGRect frame)
    : title_(std::make_shared<UILabel>()),
      back_(std::make_shared<UIButton>(CGRectMake(0, 0, 10, 10))) {
    setFrame(frame);
    setBackgroundColor(UIColor::colorWithWhite(0.97, 1));
    title_->setFont(UIFont::fontWithName("HelveticaNeue-Bold", 17));
    title_->setTextAlignment(NSTextAlignmentCenter);
    title_->setTextColor(UIColor::blackColor());
    back_->setTitleColor(platform::Color{0.0, 0.48, 1.0, 1.0}, UIControlStateNormal);
    back_->titleLabel()->setFont(UIFont::fontWithName("HelveticaNeue", 17));
    back_->titleLabel()->setTextAlignment(NSTextAlignmentLeft);
    back_->setHidden(true);
    addSubview(title_);
    addSubview(back_);
}

void SettingsNavigationBar::update(const UINavigationController& navigation) {
    // A screen may hide the bar (and draw its own header); the screens pushed after it show it
    // again.
    setHidden(navigation.isNavigationBarHidden());
    const auto& stack = navigation.viewControllers();
    title_->setText(stack.empty() ? "" : stack.back()->title());
    if (stack.size() >= 2) {
        const std::string& previous = stack[stack.size() - 2]->title();
        back_->setTitle("\u2039 " + (previous.empty() ? std::string("Back") : previous),
                        UIControlStateNormal);
        back_->setHidden(false);
    } else {
        back_->setHidden(true);
    }
    setNeedsLayout();
}

void SettingsNavigationBar::layoutSubviews() {
    const CGRect b = bounds();
    const double top = 20, h = b.size.height - top;
    title_->setFrame(CGRectMake(b.size.width / 4, top, b.size.width / 2, h));
    back_->setFrame(CGRectMake(8, top, b.size.width / 4 - 8, h));
}

}  // namespace host
