#pragma once
// The composition guides: the camera bar's third page with one button per guide, the chosen
// guide (`sessionOverlayMode`, stored as `globOverlayMode`) and the OverlayDrawView that draws it
// over the host's preview.
//
// Three numberings meet here. Button and drawing tags: 1 thirds, 2 golden, 3 trisection,
// 4 square (-1 draws nothing). Overlay modes: 0 none, 1 golden, 2 thirds, 3 trisection,
// 4 square. Label tags: the button tag + 10.

#include <memory>

#include "platform/ui/UIControl.h"
#include "platform/ui/UIView.h"

namespace lumora {

class OverlayDrawView;

inline constexpr long kGuidePageTag = 100;

// Overlay mode <-> button tag.
long overlayModeForButtonTag(int tag);
int buttonTagForOverlayMode(long mode);

class OverlaySelectionController : public NSObject {
public:
    LU_OBJC_CLASS(OverlaySelectionController)
    // initWithCallbackOwner:callback: builds the guide page and hands it to the camera bar view;
    // each guide button runs `callback` on `owner` (held weakly) on touch up inside.
    OverlaySelectionController(const std::shared_ptr<NSObject>& owner, UIControl::Action callback);
    // Takes the drawing off the preview.
    ~OverlaySelectionController() override;

    // Gives the page and its eight subviews their frames again (after a rotation or rebuild).
    void layoutSubviews();
    // Selects the guide of button `tag` (0: none); a second tap on the active guide switches it
    // off unless the call comes from start-up. Stores the choice and redraws.
    void setOverlayIndicatorImg(int tag, bool isFromStartup);
    void selectButton(int tag, bool doSelect);
    void unSelectAllButtons();
    // The drawing tag of `sessionOverlayMode`; -1 for none or an unknown mode.
    int getCurrentOverlayTagIndex() const;
    // Removes (hide) or restores the guide page and the drawing.
    void hideOverlayFunctionality(bool hide);

    const std::shared_ptr<OverlayDrawView>& overlayDrawView() const { return overlayDrawView_; }
    // The page (tag 100) while it is in the camera bar's strip.
    UIView* guidePage() const;

private:
    std::shared_ptr<OverlayDrawView> overlayDrawView_;
    std::weak_ptr<UIView> page_;
};

}  // namespace lumora
