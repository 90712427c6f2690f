#pragma once
// The look of the phone's Settings screens, built from plain views: a light grey scrolling
// page of sections, each a header in small grey capitals, a run of white 44-point rows with
// hairline separators, and an optional footer note. Rows hold a label and a switch, or are a
// whole-row button with a chevron that opens another screen.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/UIControl.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UISwitch.h"

namespace prefs {

inline constexpr double kRowHeight = 44;
UIColor groupedBackgroundColor();

// A white row; draws its separators (inset unless it is a section's last row).
class TableCell : public UIView {
public:
    LU_OBJC_CLASS(UITableViewCell)
    TableCell();
    void setPlaceInSection(bool first, bool last);
    const std::shared_ptr<UILabel>& textLabel() const { return label_; }
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;
    void layoutSubviews() override;

private:
    std::shared_ptr<UILabel> label_;
    bool first_ = true;
    bool last_ = true;
};

// A row that opens another screen: its label, a grey chevron, grey while touched.
class LinkCell : public UIControl {
public:
    LU_OBJC_CLASS(UITableViewCell)
    LinkCell();
    void setPlaceInSection(bool first, bool last);
    const std::shared_ptr<UILabel>& textLabel() const { return label_; }
    void drawRect(platform::GraphicsContext& ctx, CGRect rect) override;
    void layoutSubviews() override;

protected:
    void stateDidChange() override;

private:
    std::shared_ptr<UILabel> label_;
    bool first_ = true;
    bool last_ = true;
};

class GroupedTableView : public UIScrollView {
public:
    LU_OBJC_CLASS(UITableView)
    explicit GroupedTableView(CGRect frame);

    // Starts a section; the header label's text may be set later (empty: no header).
    std::shared_ptr<UILabel> addSection(const std::string& header = {});
    // A row with a label and the switch at its right end.
    std::shared_ptr<TableCell> addSwitchRow(const std::shared_ptr<UISwitch>& control);
    // A row with a text and a second, smaller caption line above it.
    std::shared_ptr<TableCell> addSwitchRow(const std::shared_ptr<UISwitch>& control,
                                            std::shared_ptr<UILabel>& caption);
    std::shared_ptr<LinkCell> addLinkRow();
    std::shared_ptr<UILabel> addFooter();
    // Space before the first section (below a bar or a header drawn by the screen).
    void setTopInset(double inset) {
        topInset_ = inset;
        setNeedsLayout();
    }
    // Tighter headers and gaps, so that a whole screen fits a 480-point-tall phone.
    void setCompact(bool compact) {
        compact_ = compact;
        setNeedsLayout();
    }

    void layoutSubviews() override;

private:
    struct Item {
        enum Kind { Header, Row, Footer } kind;
        std::shared_ptr<UIView> view;
    };
    std::vector<Item> items_;
    double topInset_ = 0;
    bool compact_ = false;
};

}  // namespace prefs
