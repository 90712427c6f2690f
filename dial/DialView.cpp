#include "dial/DialView.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "artwork/Palette.h"
#include "core/TweakState.h"
#include "platform/graphics/GraphicsContext.h"

namespace lumora {
namespace {

constexpr const char* kFont = "HelveticaNeue-Light";
constexpr CGRect kDisc{{58.125, 134.5}, {199.5, 199.5}};
// The ring of segments around the disc.
constexpr double kRingInner = 104;
constexpr double kRingOuter = 117;
constexpr double kSegmentGap = 0.6;  // degrees left open between two segments

constexpr UIColor kStartGreen = UIColor::colorWithRed(0, 0.7255, 0.1098, 1);
constexpr UIColor kStopRed = UIColor::colorWithRed(1, 0, 0, 1);

std::string numberText(int n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", n);
    return buffer;
}

std::string plural(const std::string& word, int n) {
    return n == 1 ? word : word + "s";
}

double radians(double degrees) {
    return degrees * M_PI / 180.0;
}

std::shared_ptr<UILabel> caption(CGRect frame, UIColor colour, const std::string& text) {
    auto label = std::make_shared<UILabel>(frame);
    label->setFont(UIFont::fontWithName(kFont, 17));
    label->setTextAlignment(NSTextAlignmentCenter);
    label->setTextColor(colour);
    label->setText(text);
    return label;
}

void drawCentredText(platform::GraphicsContext& ctx, const std::string& text, double centreY,
                     double size, platform::Color colour) {
    platform::TextStyle style;
    style.fontName = kFont;
    style.fontSize = size;
    style.color = colour;
    style.alignment = platform::TextAlignment::Center;
    ctx.drawText(text, CGRectMake(kDisc.origin.x, centreY - size, kDisc.size.width, 2 * size),
                 style);
}

}  // namespace

std::shared_ptr<DialView> DialView::create(CGRect frame) {
    auto view = std::make_shared<DialView>(frame);
    view->actionCaption_ = caption(view->actionCircleRect_, kStartGreen, "Start");
    view->switchCaption_ = caption(view->switchTypeCircleRect_, UIColor::whiteColor(), "Switch");
    view->addSubview(view->actionCaption_);
    view->addSubview(view->switchCaption_);
    view->updateCaptions();
    return view;
}

DialView::DialView(CGRect frame) : UIView(frame) {
    setBackgroundColor(UIColor::clearColor());
    state().skipChangeFocusCall = false;
}

void DialView::setIsRunning(bool running) {
    isRunning_ = running;
    updateCaptions();
    setNeedsDisplay();
}

void DialView::setType(long type) {
    type_ = type;
    if (type == SelectorDialTypeFrames) {
        typeDescription_ = "FPS";
    } else if (type == DialViewTypeTimer) {
        typeDescription_ = "SEC";
    } else if (type == DialViewTypeTimeLapse) {
        typeDescription_ = timeType_ == DialTimeTypeMinutes ? "MIN" : "SEC";
    }
    hideSwitchDial_ = false;
    updateCaptions();
    setNeedsDisplay();
}

void DialView::setTimeType(long timeType) {
    timeType_ = timeType;
    if (timeType == DialTimeTypeSeconds) {
        typeDescription_ = "Second";
        // Seconds start at 3.
        if (count_ < 3) {
            count_ = 3;
            step_ = 3;
        }
    } else if (timeType == DialTimeTypeMinutes) {
        typeDescription_ = "Minute";
    }
    hideSwitchDial_ = false;
    updateCaptions();
    setNeedsDisplay();
}

void DialView::setStep(int step) {
    // A count stored out of range must not draw past the ring.
    step_ = std::clamp(step, 0, kSegments);
    setNeedsDisplay();
}

void DialView::setCount(int count) {
    count_ = count;
    setNeedsDisplay();
}

void DialView::setHideSwitchDial(bool hide) {
    hideSwitchDial_ = hide;
    updateCaptions();
    setNeedsDisplay();
}

void DialView::switchButtonTapped() {
    setTimeType(timeType_ == DialTimeTypeMinutes ? DialTimeTypeSeconds : DialTimeTypeMinutes);
}

float DialView::distanceWithCenter(CGPoint a, CGPoint b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

std::string DialView::unitText() const {
    // A running time lapse counts down in seconds whatever its unit.
    const std::string word =
        (type_ == DialViewTypeTimeLapse && isRunning_) ? "Second" : typeDescription_;
    if (type_ == SelectorDialTypeFrames) return word;
    return plural(word, count_);
}

std::string DialView::readout() const {
    if (type_ == DialViewTypeTimeLapse && count_ > 60) {
        return numberText(count_ / 60) + " " + plural("Minute", count_ / 60) + " " +
               numberText(count_ % 60) + " " + plural("Second", count_ % 60);
    }
    return numberText(count_) + " " + unitText();
}

std::string DialView::actionTitle() const {
    if (type_ == SelectorDialTypeFrames) return "Set";
    return isRunning_ ? "Stop" : "Start";
}

void DialView::updateCaptions() {
    if (actionCaption_ != nullptr) {
        actionCaption_->setText(actionTitle());
        actionCaption_->setTextColor(actionTitle() == "Stop" ? kStopRed : kStartGreen);
    }
    if (switchCaption_ != nullptr) {
        switchCaption_->setHidden(type_ != DialViewTypeTimeLapse || hideSwitchDial_);
    }
}

bool DialView::pointInside(CGPoint p, UIEvent*) {
    bool& skip = state().skipChangeFocusCall;
    // On the disc: the rotation gesture takes the touch.
    if (distanceWithCenter(kDialCentre, p) <= kDialRadius) {
        skip = true;
        return true;
    }
    // The switch's region answers also while the switch is not drawn (a running series): the
    // unit it changes is the view's own; the running series keeps the bar's.
    if (type_ == DialViewTypeTimeLapse && CGRectContainsPoint(switchTypeCircleRect_, p)) {
        if (!skip) switchButtonTapped();
        skip = true;
        return true;
    }
    if (CGRectContainsPoint(actionCircleRect_, p)) {
        if (!skip) {
            // Keep the delegate alive for the call: the action may release this dial.
            const auto keep = weak_from_this().lock();
            if (auto d = delegate()) d->ActionButtonTapped();
        }
        skip = true;
        return true;
    }
    skip = false;
    return false;
}

void DialView::touchesEnded(const UITouchSet&, UIEvent*) {
    state().skipChangeFocusCall = false;
}

void DialView::touchesCancelled(const UITouchSet&, UIEvent*) {
    state().skipChangeFocusCall = false;
}

void DialView::drawRect(platform::GraphicsContext& ctx, CGRect) {
    const platform::Color white = platform::Color::whiteColor();

    // The disc.
    ctx.setFillColor(white.withAlpha(0.3));
    ctx.setStrokeColor(artwork::kStrokeGrey);
    ctx.setLineWidth(1);
    ctx.fillEllipse(kDisc);
    ctx.strokeEllipse(kDisc);

    // The ring: 120 segments of 3 degrees from the top, clockwise; the first `step` lit.
    const double degreesPerSegment = 360.0 / kSegments;
    for (int i = 0; i < kSegments; ++i) {
        const double from = radians(-90 + i * degreesPerSegment + kSegmentGap / 2);
        const double to = radians(-90 + (i + 1) * degreesPerSegment - kSegmentGap / 2);
        ctx.beginPath();
        ctx.addArc(kDialCentre, kRingOuter, from, to, true);
        ctx.addArc(kDialCentre, kRingInner, to, from, false);
        ctx.closePath();
        ctx.setFillColor(i < step_ ? artwork::kAmber : white.withAlpha(0.18));
        ctx.fillPath();
    }

    // The number and its unit.
    const double cy = kDialCentre.y;
    if (type_ == DialViewTypeTimeLapse && count_ > 60) {
        drawCentredText(ctx, numberText(count_ / 60), cy - 30, 60, white);
        drawCentredText(ctx, plural("Minute", count_ / 60), cy + 15, 17, white);
        drawCentredText(ctx, numberText(count_ % 60) + " " + plural("Second", count_ % 60), cy + 45,
                        17, white);
    } else {
        drawCentredText(ctx, numberText(count_), cy - 15, 100, white);
        drawCentredText(ctx, unitText(), cy + 55, 20, white);
    }

    // The action circle (its caption is a label above it).
    ctx.setFillColor(white.withAlpha(0.5));
    ctx.setStrokeColor(artwork::kStrokeGrey);
    ctx.fillEllipse(actionCircleRect_);
    ctx.strokeEllipse(actionCircleRect_);

    if (type_ == DialViewTypeTimeLapse && !hideSwitchDial_) {
        ctx.setFillColor(platform::Color::grey().withAlpha(0.7));
        ctx.fillEllipse(switchTypeCircleRect_);
    }
}

}  // namespace lumora
