#include "host/Bars.h"

#include <algorithm>

#include "host/HostCall.h"
#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/UIEvent.h"

namespace host {

// ---- Top bar

TopBar::TopBar(CGRect frame)
    : flash_(std::make_shared<ExpandableMenuButton>(ExpandableMenuButton::Kind::Flash,
                                                    CGRectMake(0, 0, 80, 40))),
      hdr_(std::make_shared<ExpandableMenuButton>(ExpandableMenuButton::Kind::HDR,
                                                  CGRectMake(0, 0, 80, 40))),
      flip_(std::make_shared<FlipButton>(CGRectMake(0, 0, 50, 40))),
      elapsed_(std::make_shared<UILabel>()) {
    setFrame(frame);
    setBackgroundColor(UIColor::blackColor());
    elapsed_->setTextColor(UIColor::whiteColor());
    elapsed_->setFont(UIFont::fontWithName("HelveticaNeue", 17));
    elapsed_->setTextAlignment(NSTextAlignmentCenter);
    elapsed_->setHidden(true);
    addSubview(flash_);
    addSubview(hdr_);
    addSubview(flip_);
    addSubview(elapsed_);
}

CGRect TopBar::collapsedFrame(const ExpandableMenuButton& menu) const {
    const CGRect b = bounds();
    const double h = b.size.height;
    if (menu.kind() == ExpandableMenuButton::Kind::Flash) return CGRectMake(0, 0, 80, h);
    return CGRectMake((b.size.width - 80) / 2, 0, 80, h);
}

void TopBar::layoutSubviews() {
    call<hostsel::CAMTopBar::layoutSubviews>(this);
}

bool TopBar::pointInside(CGPoint point, UIEvent* event) {
    return call<hostsel::CAMTopBar::pointInside_withEvent>(this, point, static_cast<id>(event));
}

void TopBar::hostLayoutSubviews() {
    const CGRect b = bounds();
    const bool menuOpen = flash_->isExpanded() || hdr_->isExpanded();
    if (!flash_->isExpanded()) flash_->setFrame(collapsedFrame(*flash_));
    if (!hdr_->isExpanded()) hdr_->setFrame(collapsedFrame(*hdr_));
    // An open menu takes the whole bar.
    flash_->setAlpha(hdr_->isExpanded() ? 0 : 1);
    hdr_->setAlpha(flash_->isExpanded() ? 0 : 1);
    flip_->setFrame(CGRectMake(b.size.width - 56, (b.size.height - 40) / 2, 50, 40));
    flip_->setAlpha(menuOpen ? 0 : 1);
    elapsed_->setFrame(CGRectMake((b.size.width - 120) / 2, 0, 120, b.size.height));
}

// ---- Bottom bar

BottomBar::BottomBar(CGRect frame)
    : shutter_(std::make_shared<ShutterButton>(CGRectMake(0, 0, 66, 66))),
      imageWell_(std::make_shared<UIButton>(CGRectMake(0, 0, 45, 45))),
      filter_(std::make_shared<FilterButton>(CGRectMake(0, 0, 44, 44))),
      modes_(std::make_shared<ModeRow>(CGRectMake(0, 0, 10, 30))),
      still_(std::make_shared<UIButton>(CGRectMake(0, 0, 44, 44))) {
    setFrame(frame);
    setBackgroundColor(UIColor::blackColor());
    imageWell_->setBackgroundColor(UIColor::colorWithWhite(0.15, 1));
    imageWell_->layer().setCornerRadius(3);
    imageWell_->layer().setMasksToBounds(true);
    still_->setBackgroundColor(UIColor::whiteColor());
    still_->layer().setCornerRadius(22);
    still_->setHidden(true);
    addSubview(modes_);
    addSubview(imageWell_);
    addSubview(shutter_);
    addSubview(filter_);
    addSubview(still_);
}

void BottomBar::setSlalomIndicator(std::shared_ptr<SlalomIndicatorView> indicator) {
    if (slalom_) slalom_->removeFromSuperview();
    slalom_ = std::move(indicator);
    if (slalom_) addSubview(slalom_);
    setNeedsLayout();
}

void BottomBar::layoutSubviews() {
    call<hostsel::CAMBottomBar::layoutSubviews>(this);
}

bool BottomBar::pointInside(CGPoint point, UIEvent* event) {
    return call<hostsel::CAMBottomBar::pointInside_withEvent>(this, point, static_cast<id>(event));
}

void BottomBar::hostLayoutSubviews() {
    if (isVertical()) {
        call<hostsel::CAMBottomBar::_layoutForVerticalOrientation>(this);
    } else {
        call<hostsel::CAMBottomBar::_layoutForHorizontalOrientation>(this);
    }
}

// Phone: mode names along the top edge, thumbnail left, shutter centre, filter right.
void BottomBar::layoutForHorizontalOrientation() {
    const CGRect b = bounds();
    modes_->setVertical(false);
    modes_->setFrame(CGRectMake(0, 4, b.size.width, 26));
    const double rest = b.size.height - 30;
    const double cy = 30 + rest / 2;
    shutter_->setFrame(CGRectMake(b.size.width / 2 - 33, cy - 33, 66, 66));
    still_->setFrame(CGRectMake(b.size.width - 15 - 44, cy - 22, 44, 44));
    imageWell_->setFrame(CGRectMake(15, cy - 22.5, 45, 45));
    filter_->setFrame(CGRectMake(b.size.width - 15 - 44, cy - 22, 44, 44));
    if (slalom_) slalom_->setFrame(CGRectMake(b.size.width - 75, 30, 70, 16));
}

// Tablet side bar: the filter button above the shutter, the mode names in the space between
// the shutter and the thumbnail at the bottom (the current one in its middle).
void BottomBar::layoutForVerticalOrientation() {
    const CGRect b = bounds();
    const double cx = b.size.width / 2;
    const double cy = b.size.height / 2;
    shutter_->setFrame(CGRectMake(cx - 33, cy - 33, 66, 66));
    modes_->setVertical(true);
    const double modesTop = cy + 33 + 24, modesBottom = b.size.height - 70 - 16;
    modes_->setFrame(CGRectMake(0, modesTop, b.size.width, std::max(28.0, modesBottom - modesTop)));
    filter_->setFrame(CGRectMake(cx - 22, cy - 120, 44, 44));
    still_->setFrame(CGRectMake(cx - 22, cy - 120, 44, 44));
    imageWell_->setFrame(CGRectMake(cx - 22.5, b.size.height - 70, 45, 45));
    if (slalom_) slalom_->setFrame(CGRectMake(cx - 35, cy - 70, 70, 16));
}

}  // namespace host
