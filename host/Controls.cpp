#include "host/Controls.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "host/Orientation.h"
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
    // The same size whichever way the button is turned (its bounds swap sides in landscape).
    const double longSide = std::max(rect.size.width, rect.size.height);
    const double shortSide = std::min(rect.size.width, rect.size.height);
    const double w = std::min(longSide, shortSide * 1.4) * 0.7;
    const double h = w * 0.68;
    const CGRect body = CGRectMake(rect.origin.x + (rect.size.width - w) / 2,
                                   rect.origin.y + (rect.size.height - h) / 2 + h * 0.06, w, h);
    const platform::Color white = platform::Color::white(1, isEnabled() ? 1 : 0.4);
    ctx.setStrokeColor(white);
    ctx.setFillColor(white);
    ctx.setLineWidth(1.5);
    ctx.addRoundedRect(body, h * 0.15);
    ctx.strokePath();
    // The viewfinder bump on top, standing on the body's edge.
    const double bx = CGRectGetMidX(body), top = body.origin.y, bh = h * 0.13, bw = w * 0.32;
    ctx.beginPath();
    ctx.moveTo(CGPointMake(bx - bw / 2, top));
    ctx.lineTo(CGPointMake(bx - bw / 2 + bh * 0.6, top - bh));
    ctx.lineTo(CGPointMake(bx + bw / 2 - bh * 0.6, top - bh));
    ctx.lineTo(CGPointMake(bx + bw / 2, top));
    ctx.strokePath();
    // Two arrows chasing each other round the lens: over the top to the right, under the
    // bottom to the left, each ending in a solid head along its direction of travel.
    const CGPoint c = CGPointMake(CGRectGetMidX(body), CGRectGetMidY(body));
    const double r = h * 0.27;
    const double head = r * 0.6;
    for (const double start : {kPi * 200 / 180, kPi * 20 / 180}) {
        const double end = start + kPi * 140 / 180;
        ctx.beginPath();
        ctx.addArc(c, r, start, end - 0.15, true);
        ctx.strokePath();
        const CGPoint p = CGPointMake(c.x + r * std::cos(end), c.y + r * std::sin(end));
        const CGPoint dir = CGPointMake(-std::sin(end), std::cos(end));  // clockwise tangent
        const CGPoint out = CGPointMake(std::cos(end), std::sin(end));
        const CGPoint base = CGPointMake(p.x - dir.x * head * 0.5, p.y - dir.y * head * 0.5);
        ctx.beginPath();
        ctx.moveTo(CGPointMake(p.x + dir.x * head * 0.5, p.y + dir.y * head * 0.5));
        ctx.lineTo(CGPointMake(base.x + out.x * head * 0.5, base.y + out.y * head * 0.5));
        ctx.lineTo(CGPointMake(base.x - out.x * head * 0.5, base.y - out.y * head * 0.5));
        ctx.closePath();
        ctx.fillPath();
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
        // Small enough to stay whole when the option turns upright in a 40-point bar.
        b->titleLabel()->setFont(UIFont::fontWithName("HelveticaNeue", 13));
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

// The open menu lies along the bar; each option turns upright for the hold in its own place.
void ExpandableMenuButton::layoutOptions() {
    const CGRect b = bounds();
    const double x0 = kOptionsStart;
    const double step = std::max(44.0, (b.size.width - x0) / optionButtons_.size());
    const bool sideways = isSidewaysHold(hold_);
    for (std::size_t i = 0; i < optionButtons_.size(); ++i) {
        auto& option = optionButtons_[i];
        option->setTransform(uprightTransform(hold_));
        option->setFrame(CGRectMake(x0 + step * i, sideways ? 0 : (b.size.height - 30) / 2, step,
                                    sideways ? b.size.height : 30));
    }
}

void ExpandableMenuButton::startExpansion(CGRect proposedFrame) {
    expanded_ = true;
    setTransform(CGAffineTransformIdentity);
    setFrame(proposedFrame);
    layoutOptions();
    for (auto& b : optionButtons_) b->setHidden(false);
    setNeedsDisplay();
}

void ExpandableMenuButton::startCollapsing(CGRect proposedFrame) {
    expanded_ = false;
    // Collapsed, the whole button turns; the frame it is given is its place in the bar.
    setTransform(uprightTransform(hold_));
    setFrame(proposedFrame);
    for (auto& b : optionButtons_) b->setHidden(true);
    setNeedsDisplay();
}

void ExpandableMenuButton::applyOrientation(long orientation, bool animated) {
    orientation_ = orientation;
    if (!isHold(orientation)) return;
    hold_ = orientation;
    auto turn = [this] {
        if (expanded_) {
            layoutOptions();
        } else {
            setTransform(uprightTransform(hold_));
        }
    };
    if (animated) {
        UIView::animateWithDuration(0.3, turn);
    } else {
        turn();
    }
    // A quarter turn swaps the button's width and height: the bar places it again.
    if (UIView* bar = superview()) bar->setNeedsLayout();
    setNeedsDisplay();
}

namespace {

// A lightning bolt filling `box` (taller than wide).
void drawBolt(platform::GraphicsContext& ctx, CGRect box, platform::Color colour) {
    const double x = box.origin.x, y = box.origin.y, w = box.size.width, h = box.size.height;
    ctx.beginPath();
    ctx.moveTo(CGPointMake(x + w * 0.62, y));
    ctx.lineTo(CGPointMake(x + w * 0.04, y + h * 0.58));
    ctx.lineTo(CGPointMake(x + w * 0.46, y + h * 0.58));
    ctx.lineTo(CGPointMake(x + w * 0.3, y + h));
    ctx.lineTo(CGPointMake(x + w * 0.96, y + h * 0.4));
    ctx.lineTo(CGPointMake(x + w * 0.54, y + h * 0.4));
    ctx.closePath();
    ctx.setFillColor(colour);
    ctx.fillPath();
}

}  // namespace

void ExpandableMenuButton::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    const bool on = selected_ == 1;
    const platform::Color colour = on ? platform::Color(kAmber) : platform::Color::white(1);
    const platform::Color boltColour =
        kind_ == Kind::Flash && on ? platform::Color(kAmber) : platform::Color::white(1);
    const std::string state = kind_ == Kind::Flash ? options_[selected_] : (on ? "On" : "Off");
    const double boltH = std::min(rect.size.height, 40.0) * 0.5, boltW = boltH * 0.62;
    if (expanded_) {
        // The menu's own mark at the start of the bar, upright for the hold.
        const CGRect mark =
            CGRectMake(rect.origin.x + 6, rect.origin.y, kOptionsStart - 12, rect.size.height);
        platform::GStateGuard guard(ctx);
        const CGPoint c = CGPointMake(CGRectGetMidX(mark), CGRectGetMidY(mark));
        ctx.translate(c.x, c.y);
        ctx.concatCTM(uprightTransform(hold_));
        ctx.translate(-c.x, -c.y);
        if (kind_ == Kind::Flash) {
            drawBolt(ctx, CGRectMake(c.x - boltW / 2, c.y - boltH / 2, boltW, boltH), boltColour);
        } else {
            ctx.drawText("HDR", CGRectMake(c.x - 24, c.y - 10, 48, 20),
                         style(13, platform::Color::white(1)));
        }
        return;
    }
    if (rect.size.height > rect.size.width) {
        // Turned for a landscape hold: the mark above its state, centred in the narrow bounds.
        const double line = 16, gap = 3;
        const double markH = kind_ == Kind::Flash ? boltH : line;
        const double top = CGRectGetMidY(rect) - (markH + gap + line) / 2;
        const double cx = CGRectGetMidX(rect);
        if (kind_ == Kind::Flash) {
            drawBolt(ctx, CGRectMake(cx - boltW / 2, top, boltW, boltH), boltColour);
        } else {
            ctx.drawText("HDR", CGRectMake(rect.origin.x, top, rect.size.width, line),
                         style(13, colour));
        }
        ctx.drawText(state, CGRectMake(rect.origin.x, top + markH + gap, rect.size.width, line),
                     style(13, colour));
        return;
    }
    if (kind_ == Kind::Flash) {
        const double x = rect.origin.x + 12, y = rect.origin.y + (rect.size.height - boltH) / 2;
        drawBolt(ctx, CGRectMake(x, y, boltW, boltH), boltColour);
        ctx.drawText(state,
                     CGRectMake(x + boltW + 5, rect.origin.y, rect.size.width - boltW - 17,
                                rect.size.height),
                     style(13, colour, platform::TextAlignment::Left));
    } else {
        ctx.drawText(
            "HDR " + state,
            CGRectMake(rect.origin.x + 6, rect.origin.y, rect.size.width - 12, rect.size.height),
            style(13, colour));
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

// The current mode sits in the middle. In a row the names follow one another with an even gap
// between their texts, and a name the row's edge would cut is faded out rather than shown in
// part; in a column (tablet) they follow at a fixed pitch, likewise faded beyond its ends.
void ModeRow::layoutSubviews() {
    const CGRect b = bounds();
    if (vertical_) {
        for (std::size_t i = 0; i < labels_.size(); ++i) {
            const double offset = (static_cast<double>(i) - static_cast<double>(current_)) * 28;
            const double top = b.size.height / 2 - 12 + offset;
            labels_[i]->setFrame(CGRectMake(0, top, b.size.width, 24));
            labels_[i]->setAlpha(top >= 0 && top + 24 <= b.size.height ? 1 : 0);
        }
        return;
    }
    constexpr double kGap = 24;
    const long n = static_cast<long>(labels_.size());
    if (n == 0) return;
    const long current = std::clamp(current_, 0L, n - 1);
    std::vector<double> widths(labels_.size());
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        widths[i] = labels_[i]->sizeThatFits(CGSizeZero).width + 2;
    }
    std::vector<double> left(labels_.size());
    left[current] = (b.size.width - widths[current]) / 2;
    for (long i = current + 1; i < n; ++i) left[i] = left[i - 1] + widths[i - 1] + kGap;
    for (long i = current - 1; i >= 0; --i) left[i] = left[i + 1] - kGap - widths[i];
    for (long i = 0; i < n; ++i) {
        labels_[i]->setFrame(CGRectMake(left[i], 0, widths[i], b.size.height));
        const bool whole = left[i] >= 0 && left[i] + widths[i] <= b.size.width;
        labels_[i]->setAlpha(whole ? 1 : 0);
    }
}

}  // namespace host
