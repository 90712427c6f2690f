#include "overlays/OverlaySelectionController.h"

#include <algorithm>

#include "artwork/CustomDrawButton.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "overlays/GuidePageHost.h"
#include "overlays/OverlayDrawView.h"
#include "platform/device/UIDevice.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

constexpr long kLabelTagOffset = 10;

// The page's layout for a camera bar view of width w: a button of 60 x 70 per guide and a
// caption under it, in the order golden, trisection, thirds, square.
struct GuideSlot {
    int buttonTag;
    const char* caption;
    int column;
    int captionShift;
};
constexpr GuideSlot kSlots[] = {
    {2, "Golden", 0, 2}, {3, "Trisec", 1, 8}, {1, "Thirds", 2, 6}, {4, "Square", 3, 4}};

struct PageGrid {
    CGFloat width;
    int step;
    int x0;
};

PageGrid grid(CGFloat w) {
    return {w, static_cast<int>(w / 5), static_cast<int>((w / 5) / 2 + 9)};
}

CGRect buttonFrame(const PageGrid& g, const GuideSlot& s) {
    return CGRectMake(g.x0 + s.column * g.step, 0, 60, 70);
}

CGRect captionFrame(const PageGrid& g, const GuideSlot& s) {
    return CGRectMake(g.x0 + s.column * g.step + s.captionShift, 43, 55, 15);
}

CGRect pageFrame(const PageGrid& g) {
    const CGRect bar = guidePageFrame();
    return CGRectMake(2 * g.width, 0, bar.size.width, bar.size.height);
}

}  // namespace

long overlayModeForButtonTag(int tag) {
    // Tags and modes differ only by the swap of 1 and 2, which is its own inverse.
    const int mode = buttonTagForOverlayMode(tag);
    return mode < 0 ? 0 : mode;
}

int buttonTagForOverlayMode(long mode) {
    switch (mode) {
        case 1:
            return 2;
        case 2:
            return 1;
        case 3:
        case 4:
            return static_cast<int>(mode);
        default:
            return -1;
    }
}

OverlaySelectionController::OverlaySelectionController(const std::shared_ptr<NSObject>& owner,
                                                       UIControl::Action callback) {
    const PageGrid g = grid(guidePageFrame().size.width);
    auto page = std::make_shared<UIView>(pageFrame(g));
    page->setBackgroundColor(UIColor::clearColor());
    page->setTag(kGuidePageTag);
    for (const GuideSlot& s : kSlots) {
        auto button = std::make_shared<CustomDrawButton>(buttonFrame(g, s));
        button->setTag(s.buttonTag);
        button->addTarget(owner, callback, UIControlEventTouchUpInside);
        page->addSubview(button);
    }
    for (const GuideSlot& s : kSlots) {
        auto label = std::make_shared<UILabel>(captionFrame(g, s));
        label->setTag(s.buttonTag + kLabelTagOffset);
        label->setFont(UIFont::fontWithName("DINAlternate-Bold", 13));
        label->setTextColor(UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0));
        label->setText(s.caption);
        page->addSubview(label);
    }
    page_ = page;
    addGuidePageToCameraBar(page);
}

OverlaySelectionController::~OverlaySelectionController() {
    if (overlayDrawView_) overlayDrawView_->removeFromSuperview();
}

UIView* OverlaySelectionController::guidePage() const {
    const std::shared_ptr<UIView> page = page_.lock();
    UIScrollView* strip = cameraBarStrip();
    if (!page || strip == nullptr || page->superview() != strip) return nullptr;
    return page.get();
}

void OverlaySelectionController::layoutSubviews() {
    UIView* page = guidePage();
    if (page == nullptr) return;
    const PageGrid g = grid(guidePageFrame().size.width);
    page->setFrame(pageFrame(g));
    for (const GuideSlot& s : kSlots) {
        // Looked up inside the page: the mode buttons of the first page use tags 1 to 3 too.
        for (const auto& sub : page->subviews()) {
            if (sub->tag() == s.buttonTag) sub->setFrame(buttonFrame(g, s));
            if (sub->tag() == s.buttonTag + kLabelTagOffset) sub->setFrame(captionFrame(g, s));
        }
    }
}

void OverlaySelectionController::setOverlayIndicatorImg(int tag, bool isFromStartup) {
    TweakState& st = state();
    const long target = overlayModeForButtonTag(tag);
    // A second tap on the active guide switches it off; start-up always applies the stored one.
    st.sessionOverlayMode =
        (!isFromStartup && target != 0 && st.sessionOverlayMode == target) ? 0 : target;
    selectButton(tag, st.sessionOverlayMode != 0);
    st.globOverlayMode = st.sessionOverlayMode;
    if (!isFromStartup && st.rememberSettings) savePrefs();

    const std::shared_ptr<CAMPreviewView> preview = st._CAMPreviewView.lock();
    CGRect frame = preview ? preview->frame() : CGRectZero;
    if (isCameraMode()) frame.origin.y = 0;
    if (!overlayDrawView_) {
        overlayDrawView_ = std::make_shared<OverlayDrawView>(frame);
        if (preview) preview->addSubview(overlayDrawView_);
    } else {
        overlayDrawView_->setFrame(frame);
    }
    overlayDrawView_->setTag(getCurrentOverlayTagIndex());
    overlayDrawView_->setNeedsDisplay();
}

void OverlaySelectionController::selectButton(int tag, bool doSelect) {
    unSelectAllButtons();
    if (tag <= 0) return;
    UIView* page = guidePage();
    if (page == nullptr) return;
    for (const auto& sub : page->subviews()) {
        if (sub->tag() != tag) continue;
        if (auto* button = dynamic_cast<UIControl*>(sub.get())) button->setSelected(doSelect);
    }
}

void OverlaySelectionController::unSelectAllButtons() {
    UIView* page = guidePage();
    if (page == nullptr) return;
    for (const auto& sub : page->subviews()) {
        auto* button = dynamic_cast<UIControl*>(sub.get());
        if (button != nullptr && sub->tag() >= 1 && sub->tag() <= 4) button->setSelected(false);
    }
}

int OverlaySelectionController::getCurrentOverlayTagIndex() const {
    return buttonTagForOverlayMode(state().sessionOverlayMode);
}

void OverlaySelectionController::hideOverlayFunctionality(bool hide) {
    if (UIScrollView* strip = cameraBarStrip()) {
        const CGFloat pages = hide ? 2 : 3;
        const CGFloat width = UIScreen::mainScreen().bounds().size.width * pages;
        // As tall as the strip itself, which grows and shrinks while rulers are shown.
        strip->setContentSize(CGSizeMake(width, strip->frame().size.height));
        // Without the third page the strip must not stay scrolled onto it.
        const CGFloat maxX = std::max<CGFloat>(0, width - strip->bounds().size.width);
        if (strip->contentOffset().x > maxX) {
            strip->setContentOffset(CGPointMake(maxX, strip->contentOffset().y));
        }
    }
    if (overlayDrawView_) overlayDrawView_->setHidden(hide);
    if (!hide) {
        const long mode = state().sessionOverlayMode;
        selectButton(buttonTagForOverlayMode(mode), mode != 0);
    }
}

}  // namespace lumora
