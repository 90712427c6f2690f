#pragma once
// The camera screen's bars. The top bar holds the flash and HDR menus and the flip button (and
// the recording time); the bottom bar (a side bar on a tablet) the mode names, the shutter, the
// photo thumbnail, the filter button and the slow-motion badge. Their layoutSubviews and
// pointInside:withEvent: go through the runtime.

#include <memory>

#include "host/Controls.h"

namespace host {

class TopBar : public CAMTopBar {
public:
    explicit TopBar(CGRect frame);

    std::shared_ptr<UIButton> flipButton() const override { return flip_; }
    const std::shared_ptr<ExpandableMenuButton>& flashMenu() const { return flash_; }
    const std::shared_ptr<ExpandableMenuButton>& hdrMenu() const { return hdr_; }
    const std::shared_ptr<UILabel>& elapsedTimeLabel() const { return elapsed_; }
    // The collapsed frame of a menu and the frame it asks for when it expands.
    CGRect collapsedFrame(const ExpandableMenuButton& menu) const;
    CGRect expandedFrame() const {
        return CGRectMake(0, 0, bounds().size.width, bounds().size.height);
    }

    // Through the runtime.
    void layoutSubviews() override;
    bool pointInside(CGPoint point, UIEvent* event) override;
    // The host's implementations.
    void hostLayoutSubviews();
    bool hostPointInside(CGPoint point, UIEvent* event) {
        return UIView::pointInside(point, event);
    }

private:
    std::shared_ptr<ExpandableMenuButton> flash_;
    std::shared_ptr<ExpandableMenuButton> hdr_;
    std::shared_ptr<FlipButton> flip_;
    std::shared_ptr<UILabel> elapsed_;
};

class BottomBar : public CAMBottomBar {
public:
    explicit BottomBar(CGRect frame);

    std::shared_ptr<UIButton> imageWell() const override { return imageWell_; }
    const std::shared_ptr<ShutterButton>& shutter() const { return shutter_; }
    const std::shared_ptr<FilterButton>& filterButton() const { return filter_; }
    const std::shared_ptr<ModeRow>& modeRow() const { return modes_; }
    const std::shared_ptr<UIButton>& stillButton() const { return still_; }
    const std::shared_ptr<SlalomIndicatorView>& slalomIndicator() const { return slalom_; }
    // Made through the runtime's class method by the camera view.
    void setSlalomIndicator(std::shared_ptr<SlalomIndicatorView> indicator);
    // A side bar (tablet) lays its controls out vertically.
    bool isVertical() const { return bounds().size.height > bounds().size.width; }

    void layoutSubviews() override;
    bool pointInside(CGPoint point, UIEvent* event) override;
    void hostLayoutSubviews();
    bool hostPointInside(CGPoint point, UIEvent* event) {
        return UIView::pointInside(point, event);
    }
    void layoutForHorizontalOrientation();
    void layoutForVerticalOrientation();

private:
    std::shared_ptr<ShutterButton> shutter_;
    std::shared_ptr<UIButton> imageWell_;
    std::shared_ptr<FilterButton> filter_;
    std::shared_ptr<ModeRow> modes_;
    std::shared_ptr<UIButton> still_;  // a still during recording
    std::shared_ptr<SlalomIndicatorView> slalom_;
};

}  // namespace host
