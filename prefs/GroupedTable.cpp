#include "prefs/GroupedTable.h"

#include <algorithm>

#include "platform/graphics/GraphicsContext.h"
#include "platform/graphics/Text.h"

namespace prefs {
namespace {

constexpr double kInset = 15;
constexpr double kHeaderHeight = 38;
constexpr double kSectionGap = 18;
const platform::Color kSeparator{0.78, 0.78, 0.80, 1};
const platform::Color kCaption{0.43, 0.43, 0.45, 1};

std::shared_ptr<UILabel> rowLabel() {
    auto label = std::make_shared<UILabel>();
    label->setFont(UIFont::fontWithName("HelveticaNeue", 17));
    label->setTextColor(UIColor::blackColor());
    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(0.6);
    label->setUserInteractionEnabled(false);
    return label;
}

std::shared_ptr<UILabel> captionLabel() {
    auto label = std::make_shared<UILabel>();
    label->setFont(UIFont::fontWithName("HelveticaNeue", 13));
    label->setTextColor(kCaption);
    label->setNumberOfLines(0);
    label->setUserInteractionEnabled(false);
    return label;
}

// Hairlines: full width above a section's first row and below its last, inset between rows.
void drawSeparators(platform::GraphicsContext& ctx, CGRect b, bool first, bool last) {
    ctx.setFillColor(kSeparator);
    if (first) ctx.fillRect(CGRectMake(0, 0, b.size.width, 0.5));
    const double x = last ? 0 : kInset;
    ctx.fillRect(CGRectMake(x, b.size.height - 0.5, b.size.width - x, 0.5));
}

}  // namespace

UIColor groupedBackgroundColor() {
    return UIColor::colorWithRed(0.937, 0.937, 0.957, 1);
}

TableCell::TableCell() : label_(rowLabel()) {
    setBackgroundColor(UIColor::whiteColor());
    addSubview(label_);
}

void TableCell::setPlaceInSection(bool first, bool last) {
    first_ = first;
    last_ = last;
    setNeedsDisplay();
}

void TableCell::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    drawSeparators(ctx, rect, first_, last_);
}

// The label fills the row up to the first control at its right.
void TableCell::layoutSubviews() {
    const CGRect b = bounds();
    double right = b.size.width - kInset;
    for (const auto& v : subviews()) {
        if (dynamic_cast<UIControl*>(v.get()) != nullptr) {
            const CGSize s = v->sizeThatFits(b.size);
            v->setFrame(CGRectMake(b.size.width - kInset - s.width, (b.size.height - s.height) / 2,
                                   s.width, s.height));
            right = std::min(right, b.size.width - kInset - s.width - 8);
        }
    }
    const bool twoLines = subviews().size() > 2 && dynamic_cast<UILabel*>(subviews()[2].get());
    if (twoLines) {
        subviews()[2]->setFrame(CGRectMake(kInset, 4, right - kInset, 16));
        label_->setFrame(CGRectMake(kInset, 18, right - kInset, b.size.height - 20));
    } else {
        label_->setFrame(CGRectMake(kInset, 0, right - kInset, b.size.height));
    }
}

LinkCell::LinkCell() : label_(rowLabel()) {
    setBackgroundColor(UIColor::whiteColor());
    addSubview(label_);
}

void LinkCell::setPlaceInSection(bool first, bool last) {
    first_ = first;
    last_ = last;
    setNeedsDisplay();
}

void LinkCell::stateDidChange() {
    setBackgroundColor(isHighlighted() ? UIColor::colorWithWhite(0.85, 1) : UIColor::whiteColor());
}

void LinkCell::layoutSubviews() {
    const CGRect b = bounds();
    label_->setFrame(CGRectMake(kInset, 0, b.size.width - 2 * kInset - 20, b.size.height));
}

void LinkCell::drawRect(platform::GraphicsContext& ctx, CGRect rect) {
    drawSeparators(ctx, rect, first_, last_);
    // The disclosure chevron.
    const double x = rect.size.width - kInset - 8, y = rect.size.height / 2;
    platform::GStateGuard guard(ctx);
    ctx.setStrokeColor(platform::Color{0.78, 0.78, 0.80, 1});
    ctx.setLineWidth(2);
    ctx.setLineCap(platform::LineCap::Round);
    ctx.setLineJoin(platform::LineJoin::Round);
    ctx.beginPath();
    ctx.moveTo(CGPointMake(x, y - 6.5));
    ctx.lineTo(CGPointMake(x + 6.5, y));
    ctx.lineTo(CGPointMake(x, y + 6.5));
    ctx.strokePath();
}

GroupedTableView::GroupedTableView(CGRect frame) : UIScrollView(frame) {
    setBackgroundColor(groupedBackgroundColor());
    setAlwaysBounceVertical(true);
}

std::shared_ptr<UILabel> GroupedTableView::addSection(const std::string& header) {
    auto label = captionLabel();
    label->setText(header);
    items_.push_back({Item::Header, label});
    addSubview(label);
    setNeedsLayout();
    return label;
}

std::shared_ptr<TableCell> GroupedTableView::addSwitchRow(
    const std::shared_ptr<UISwitch>& control) {
    auto cell = std::make_shared<TableCell>();
    cell->addSubview(control);
    items_.push_back({Item::Row, cell});
    addSubview(cell);
    setNeedsLayout();
    return cell;
}

std::shared_ptr<TableCell> GroupedTableView::addSwitchRow(const std::shared_ptr<UISwitch>& control,
                                                          std::shared_ptr<UILabel>& caption) {
    auto cell = addSwitchRow(control);
    caption = captionLabel();
    caption->setNumberOfLines(1);
    caption->setFont(UIFont::fontWithName("HelveticaNeue", 12));
    cell->addSubview(caption);
    return cell;
}

std::shared_ptr<LinkCell> GroupedTableView::addLinkRow() {
    auto cell = std::make_shared<LinkCell>();
    items_.push_back({Item::Row, cell});
    addSubview(cell);
    setNeedsLayout();
    return cell;
}

std::shared_ptr<UILabel> GroupedTableView::addFooter() {
    auto label = captionLabel();
    items_.push_back({Item::Footer, label});
    addSubview(label);
    setNeedsLayout();
    return label;
}

void GroupedTableView::layoutSubviews() {
    UIScrollView::layoutSubviews();
    const double w = bounds().size.width;
    double y = topInset_;
    platform::TextStyle caption;
    caption.fontSize = 13;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Item& item = items_[i];
        // A hidden note (the failed-save message until it is needed) takes no room.
        if (item.view->isHidden()) continue;
        const bool prevIsRow = i > 0 && items_[i - 1].kind == Item::Row;
        const bool nextIsRow = i + 1 < items_.size() && items_[i + 1].kind == Item::Row;
        switch (item.kind) {
            case Item::Header: {
                if (i > 0) y += compact_ ? 6 : kSectionGap;
                const auto* label = static_cast<UILabel*>(item.view.get());
                const double h =
                    label->text().empty() ? (compact_ ? 10 : 18) : (compact_ ? 22 : kHeaderHeight);
                item.view->setFrame(CGRectMake(kInset, y + h - 24, w - 2 * kInset, 18));
                y += h;
                break;
            }
            case Item::Row: {
                item.view->setFrame(CGRectMake(0, y, w, kRowHeight));
                if (auto* cell = dynamic_cast<TableCell*>(item.view.get())) {
                    cell->setPlaceInSection(!prevIsRow, !nextIsRow);
                } else if (auto* link = dynamic_cast<LinkCell*>(item.view.get())) {
                    link->setPlaceInSection(!prevIsRow, !nextIsRow);
                }
                y += kRowHeight;
                break;
            }
            case Item::Footer: {
                const auto* label = static_cast<UILabel*>(item.view.get());
                const auto lines = platform::wrapLines(label->text(), caption, w - 2 * kInset);
                const double h = 17.0 * static_cast<double>(lines.size());
                item.view->setFrame(CGRectMake(kInset, y + 7, w - 2 * kInset, h));
                y += h + 7;
                break;
            }
        }
    }
    setContentSize(CGSizeMake(w, y + 30));
}

}  // namespace prefs
