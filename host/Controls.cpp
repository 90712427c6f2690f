#include "host/Controls.h"

#include <cmath>
#include <numbers>

#include "platform/graphics/GraphicsContext.h"

namespace host {
namespace {

constexpr double kPi = std::numbers::pi;

platform::TextStyle style(double size, platform::Color color,
                          platform::TextAlignment align = platform::TextAlignment::Center,
                          const char* font = "HelveticaNeue") {
    platform::TextStyle s;
    s.fontName = font;
    s.fontSize = size;
    s.color = color;
    s.alignment = align;
    return s;
}

CGRect inset(CGRect r, double d) {
    return CGRectInset(r, d, d);
}

}  // namespace

// ---- Shutter

void ShutterButton::applyMode(long mode, bool animated) {
    (void)animated;  // the change of colour is instant here; the phone fades it
    mode_ = mode;
    setNeedsDisplay();
}

void ShutterButton::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const double side = std::min(rect.size.width, rect.size.height);
    const CGRect square = CGRectMake(rect.origin.x + (rect.size.width - side) / 2,
                                     rect.origin.y + (rect.size.height - side) / 2, side, side);
    const double alpha = isEnabled() ? 1.0 : 0.4;
    ctx.setStrokeColor(platform::Color::white(1, alpha));
    ctx.setLineWidth(side * 0.06);
    ctx.strokeEllipse(inset(square, side * 0.04));
    const bool recording = mode_ == kShutterVideoRecording || mode_ == kShutterSlalomRecording;
    const bool red = recording || mode_ == kShutterVideo || mode_ == kShutterSlalom ||
                     mode_ == kShutterTimeLapse;
    const platform::Color fill = red ? platform::Color(kRecordRed) : platform::Color::white(1);
    ctx.setFillColor(isHighlighted() ? fill.withAlpha(0.6 * alpha) : fill.withAlpha(alpha));
    if (recording) {
        const CGRect stop = inset(square, side * 0.3);
        ctx.addRoundedRect(stop, side * 0.05);
        ctx.fillPath();
    } else {
        ctx.fillEllipse(inset(square, side * 0.13));
    }
}

// ---- Flip

void FlipButton::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const double w = std::min(rect.size.width, rect.size.height * 1.4) * 0.7;
    const double h = w * 0.68;
    const CGRect body = CGRectMake(rect.origin.x + (rect.size.width - w) / 2,
                                   rect.origin.y + (rect.size.height - h) / 2 + h * 0.06, w, h);
    ctx.setStrokeColor(platform::Color::white(1, isEnabled() ? 1 : 0.4));
    ctx.setLineWidth(1.5);
    ctx.addRoundedRect(body, h * 0.15);
    ctx.strokePath();
    // The viewfinder bump on top.
    ctx.strokeRect(
        CGRectMake(CGRectGetMidX(body) - w * 0.15, body.origin.y - h * 0.14, w * 0.3, h * 0.14));
    // Two arrows turning round the lens.
    const CGPoint c = CGPointMake(CGRectGetMidX(body), CGRectGetMidY(body));
    const double r = h * 0.26;
    ctx.beginPath();
    ctx.addArc(c, r, -kPi * 0.9, -kPi * 0.1, false);
    ctx.strokePath();
    ctx.beginPath();
    ctx.addArc(c, r, kPi * 0.1, kPi * 0.9, false);
    ctx.strokePath();
    for (int side = 0; side < 2; ++side) {
        const double a = side == 0 ? -kPi * 0.1 : kPi * 0.9;
        const CGPoint tip = CGPointMake(c.x + r * std::cos(a), c.y + r * std::sin(a));
        const double d = r * 0.35;
        ctx.beginPath();
        ctx.moveTo(CGPointMake(tip.x - d, tip.y + (side == 0 ? -d : d) * 0.2));
        ctx.lineTo(tip);
        ctx.lineTo(CGPointMake(tip.x + (side == 0 ? 0.2 : -0.2) * d, tip.y + (side == 0 ? -d : d)));
        ctx.strokePath();
    }
}

// ---- Expandable menus

ExpandableMenuButton::ExpandableMenuButton(Kind kind, CGRect frame) : kind_(kind) {
    setFrame(frame);
    options_ = kind == Kind::Flash ? std::vector<std::string>{"Auto", "On", "Off"}
                                   : std::vector<std::string>{"Off", "On"};
    for (std::size_t i = 0; i < options_.size(); ++i) {
        auto b = std::make_shared<UIButton>(CGRectMake(0, 0, 44, 30));
        b->setTitle(options_[i], UIControlStateNormal);
        b->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
        b->setTitleColor(kAmber, UIControlStateSelected);
        b->setTag(static_cast<long>(i) + 1);
        b->setHidden(true);
        addSubview(b);
        optionButtons_.push_back(b);
    }
    selectOption(0);
}

void ExpandableMenuButton::selectOption(long index) {
    if (index < 0 || index >= static_cast<long>(options_.size())) return;
    selected_ = index;
    for (std::size_t i = 0; i < optionButtons_.size(); ++i) {
        optionButtons_[i]->setSelected(static_cast<long>(i) == index);
    }
    setNeedsDisplay();
}

void ExpandableMenuButton::startExpansion(CGRect proposedFrame) {
    expanded_ = true;
    setFrame(proposedFrame);
    const double x0 = 60;
    const double step = std::max(44.0, (proposedFrame.size.width - x0) / optionButtons_.size());
    for (std::size_t i = 0; i < optionButtons_.size(); ++i) {
        optionButtons_[i]->setFrame(
            CGRectMake(x0 + step * i, (proposedFrame.size.height - 30) / 2, step, 30));
        optionButtons_[i]->setHidden(false);
    }
    setNeedsDisplay();
}

void ExpandableMenuButton::startCollapsing(CGRect proposedFrame) {
    expanded_ = false;
    setFrame(proposedFrame);
    for (auto& b : optionButtons_) b->setHidden(true);
    setNeedsDisplay();
}

void ExpandableMenuButton::applyOrientation(long orientation, bool animated) {
    orientation_ = orientation;
    // The glyph turns upright for the hold; the menu itself stays in the portrait bar.
    double angle = 0;
    if (orientation == 3) angle = kPi / 2;
    if (orientation == 4) angle = -kPi / 2;
    if (orientation == 2) angle = kPi;
    if (orientation >= 1 && orientation <= 4 && !expanded_) {
        const CGAffineTransform t = CGAffineTransformMakeRotation(angle);
        if (animated) {
            UIView::animateWithDuration(0.3, [&] { setTransform(t); });
        } else {
            setTransform(t);
        }
    }
}

void ExpandableMenuButton::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const platform::Color colour = selected_ == 1 && kind_ == Kind::Flash
                                       ? platform::Color(kAmber)
                                       : platform::Color::white(1);
    const double h = std::min(rect.size.height, 40.0);
    if (kind_ == Kind::Flash) {
        // A lightning bolt.
        const double s = h * 0.5;
        const double x = rect.origin.x + 12, y = rect.origin.y + (rect.size.height - s) / 2;
        ctx.beginPath();
        ctx.moveTo(CGPointMake(x + s * 0.55, y));
        ctx.lineTo(CGPointMake(x + s * 0.1, y + s * 0.58));
        ctx.lineTo(CGPointMake(x + s * 0.42, y + s * 0.58));
        ctx.lineTo(CGPointMake(x + s * 0.25, y + s));
        ctx.lineTo(CGPointMake(x + s * 0.75, y + s * 0.38));
        ctx.lineTo(CGPointMake(x + s * 0.44, y + s * 0.38));
        ctx.closePath();
        ctx.setFillColor(colour);
        ctx.fillPath();
        if (!expanded_) {
            ctx.drawText(
                options_[selected_],
                CGRectMake(x + s, rect.origin.y, rect.size.width - s - 12, rect.size.height),
                style(13, colour, platform::TextAlignment::Left));
        }
    } else {
        const platform::Color c =
            selected_ == 1 ? platform::Color(kAmber) : platform::Color::white(1);
        ctx.drawText(
            expanded_ ? "HDR" : (selected_ == 1 ? "HDR On" : "HDR Off"),
            CGRectMake(rect.origin.x + 6, rect.origin.y, expanded_ ? 50 : rect.size.width - 12,
                       rect.size.height),
            style(13, c,
                  expanded_ ? platform::TextAlignment::Left : platform::TextAlignment::Center));
    }
}

// ---- Filter button

void FilterButton::commonInitialization() {
    initialized_ = true;
    setTag(0);
}

void FilterButton::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const double r = std::min(rect.size.width, rect.size.height) * 0.18;
    const CGPoint c = CGPointMake(CGRectGetMidX(rect), CGRectGetMidY(rect));
    ctx.setLineWidth(1.2);
    const platform::Color colours[3] = {platform::Color::rgb(1, 0.35, 0.35),
                                        platform::Color::rgb(0.35, 1, 0.45),
                                        platform::Color::rgb(0.4, 0.6, 1)};
    for (int i = 0; i < 3; ++i) {
        const double a = -kPi / 2 + i * 2 * kPi / 3;
        const CGPoint p = CGPointMake(c.x + r * 0.6 * std::cos(a), c.y + r * 0.6 * std::sin(a));
        ctx.setStrokeColor(isSelected() ? colours[i] : platform::Color::white(1));
        ctx.strokeEllipse(CGRectMake(p.x - r, p.y - r, 2 * r, 2 * r));
    }
}

// ---- Zoom slider

void ZoomSlider::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const double y = CGRectGetMidY(rect);
    ctx.setStrokeColor(platform::Color::white(1, 0.8));
    ctx.setLineWidth(1);
    ctx.beginPath();
    ctx.moveTo(CGPointMake(rect.origin.x + 24, y));
    ctx.lineTo(CGPointMake(CGRectGetMaxX(rect) - 24, y));
    ctx.strokePath();
    ctx.drawText("-", CGRectMake(rect.origin.x, rect.origin.y, 20, rect.size.height),
                 style(16, platform::Color::white(1)));
    ctx.drawText("+", CGRectMake(CGRectGetMaxX(rect) - 20, rect.origin.y, 20, rect.size.height),
                 style(16, platform::Color::white(1)));
    ctx.setFillColor(platform::Color::white(1));
    ctx.fillEllipse(CGRectMake(rect.origin.x + 24, y - 7, 14, 14));
}

// ---- Slow-motion badge

SlalomIndicatorView::SlalomIndicatorView(CGRect frame) : label_(std::make_shared<UILabel>()) {
    setFrame(frame);
    label_->setTextColor(UIColor::whiteColor());
    label_->setFont(UIFont::fontWithName("HelveticaNeue", 12));
    label_->setTextAlignment(NSTextAlignmentCenter);
    addSubview(label_);
}

void SlalomIndicatorView::setFramesPerSecond(long framesPerSecond) {
    fps_ = framesPerSecond;
    label_->setText(framesPerSecond > 0 ? std::to_string(framesPerSecond) + " FPS" : "");
}

void SlalomIndicatorView::layoutSubviews() {
    label_->setFrame(bounds());
}

// ---- Mode names

void ModeRow::setModes(const std::vector<std::string>& names, long current) {
    if (labels_.size() != names.size()) {
        for (auto& l : labels_) l->removeFromSuperview();
        labels_.clear();
        for (std::size_t i = 0; i < names.size(); ++i) {
            auto l = std::make_shared<UILabel>();
            l->setFont(UIFont::fontWithName("HelveticaNeue", 13));
            l->setTextAlignment(NSTextAlignmentCenter);
            addSubview(l);
            labels_.push_back(l);
        }
    }
    current_ = current;
    for (std::size_t i = 0; i < names.size(); ++i) {
        labels_[i]->setText(names[i]);
        labels_[i]->setTextColor(static_cast<long>(i) == current ? kAmber : UIColor::whiteColor());
    }
    setNeedsLayout();
    layoutIfNeeded();
}

void ModeRow::setVertical(bool vertical) {
    vertical_ = vertical;
    setNeedsLayout();
}

// The current mode sits in the middle; the others follow at a fixed pitch.
void ModeRow::layoutSubviews() {
    const CGRect b = bounds();
    const double pitch = vertical_ ? 28 : 78;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const double offset = (static_cast<double>(i) - static_cast<double>(current_)) * pitch;
        if (vertical_) {
            labels_[i]->setFrame(CGRectMake(0, b.size.height / 2 - 12 + offset, b.size.width, 24));
        } else {
            labels_[i]->setFrame(
                CGRectMake(b.size.width / 2 - pitch / 2 + offset, 0, pitch, b.size.height));
        }
    }
}

}  // namespace host
