#include "platform/ui/UISwitch.h"

#include <algorithm>

#include "platform/graphics/GraphicsContext.h"
#include "platform/ui/UITouch.h"

UISwitch::UISwitch() : UISwitch(CGRectMake(0, 0, kWidth, kHeight)) {}

UISwitch::UISwitch(CGRect frame)
    : UIControl(CGRectMake(frame.origin.x, frame.origin.y, kWidth, kHeight)) {}

void UISwitch::setOn(bool on, bool /*animated*/) {
    setSelected(on);
}

void UISwitch::setOnTintColor(UIColor c) {
    onTint_ = c;
    setNeedsDisplay();
}

CGSize UISwitch::sizeThatFits(CGSize) const {
    return CGSizeMake(kWidth, kHeight);
}

// The base class decides whether the touch lifted inside (and sends TouchUpInside); the value
// flips first so that the value-changed actions and any tap action see the new state.
void UISwitch::touchesEnded(const UITouchSet& touches, UIEvent* event) {
    if (isEnabled() && isTracking() && isHighlighted()) {
        setOn(!isOn(), true);
        sendActionsForControlEvents(UIControlEventValueChanged, event);
    }
    UIControl::touchesEnded(touches, event);
}

void UISwitch::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const CGFloat h = std::min(rect.size.height, kHeight);
    const CGRect track = CGRectMake(rect.origin.x + 0.5, rect.origin.y + 0.5,
                                    std::min(rect.size.width, kWidth) - 1, h - 1);
    const CGFloat radius = track.size.height / 2;
    platform::GStateGuard guard(ctx);
    if (!isEnabled()) ctx.setAlpha(0.5);
    // Track: filled with the tint when on, white with a light grey rim when off.
    ctx.beginPath();
    ctx.addRoundedRect(track, radius);
    if (isOn()) {
        ctx.setFillColor(onTint_);
        ctx.fillPath();
    } else {
        ctx.setFillColor(platform::Color{1, 1, 1, 1});
        ctx.setStrokeColor(platform::Color{0.9, 0.9, 0.91, 1});
        ctx.setLineWidth(1.5);
        ctx.fillAndStrokePath();
    }
    // Knob: a white disc with a soft shadow, at the right end when on.
    const CGFloat d = track.size.height - 3;
    const CGFloat x = isOn() ? CGRectGetMaxX(track) - 1.5 - d : track.origin.x + 1.5;
    const CGRect knob = CGRectMake(x, track.origin.y + 1.5, d, d);
    ctx.setShadow(CGSizeMake(0, 2), 3, platform::Color{0, 0, 0, 0.25});
    ctx.setFillColor(platform::Color{1, 1, 1, 1});
    ctx.fillEllipse(knob);
    ctx.clearShadow();
    ctx.setStrokeColor(platform::Color{0, 0, 0, 0.06});
    ctx.setLineWidth(0.5);
    ctx.strokeEllipse(knob);
}
