#pragma once
// The platform's on/off switch: a 51 x 31 point rounded track with a round knob. A tap flips it
// and sends UIControlEventValueChanged; setOn from code sends nothing. The control's selected
// state follows the on state, so code that reads any control's selected state sees it too.

#include "platform/ui/UIControl.h"

class UISwitch : public UIControl {
public:
    LU_OBJC_CLASS(UISwitch)
    static constexpr CGFloat kWidth = 51;
    static constexpr CGFloat kHeight = 31;

    UISwitch();
    // Keeps the frame's origin; the size is always the switch's own.
    explicit UISwitch(CGRect frame);

    bool isOn() const { return isSelected(); }
    void setOn(bool on, bool animated = false);

    // The track's colour when on (the platform's green unless set).
    UIColor onTintColor() const { return onTint_; }
    void setOnTintColor(UIColor c);

    void touchesEnded(const UITouchSet& touches, UIEvent* event) override;
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;
    CGSize sizeThatFits(CGSize size) const override;

protected:
    void stateDidChange() override { setNeedsDisplay(); }

private:
    UIColor onTint_ = UIColor::colorWithRed(0.30, 0.85, 0.39, 1);
};
