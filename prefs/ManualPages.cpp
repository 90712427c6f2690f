// The manual's four page layouts. Each page is a column of section headers and notes; a note
// is a row of pictures with its text beside them. Text heights follow the texts, so the
// layout is redone whenever the texts change (setupTranslation marks it).
#include <algorithm>
#include <vector>

#include "platform/graphics/Text.h"
#include "prefs/MainViewStoryboard.h"
#include "prefs/ManualViewController.h"

namespace prefs {
namespace {

using Kind = ManualIllustration::Kind;
const platform::Color kAmber{1.0, 0.8, 0.0, 1.0};
const platform::Color kText{0.92, 0.92, 0.92, 1.0};

std::shared_ptr<ManualIllustration> picture(Kind kind, int tag = 0) {
    return std::make_shared<ManualIllustration>(kind, tag);
}

// Lays the page's items out from top to bottom each time the texts change.
class PageColumn : public UIView {
public:
    struct Item {
        std::shared_ptr<UILabel> header;
        std::vector<std::shared_ptr<ManualIllustration>> pictures;
        std::shared_ptr<UILabel> text;
        std::vector<std::shared_ptr<UIButton>> buttons;
    };
    PageColumn(double width, bool compact, UIScrollView* scroll)
        : UIView(CGRectMake(0, 0, width, 10)), compact_(compact), scroll_(scroll) {}

    void add(Item item) {
        if (item.header) addSubview(item.header);
        for (auto& p : item.pictures) addSubview(p);
        if (item.text) addSubview(item.text);
        for (auto& b : item.buttons) addSubview(b);
        items_.push_back(std::move(item));
        setNeedsLayout();
    }

    void layoutSubviews() override {
        const double w = bounds().size.width;
        const double pic = compact_ ? 34 : 44, gap = compact_ ? 8 : 14, margin = 16;
        double y = compact_ ? 72 : 84;
        platform::TextStyle style;
        style.fontSize = compact_ ? 13 : 14;
        for (const Item& item : items_) {
            if (item.header) {
                item.header->setFrame(CGRectMake(margin, y, w - 2 * margin, 24));
                y += 24 + gap / 2;
            }
            double x = margin;
            for (const auto& p : item.pictures) {
                p->setFrame(CGRectMake(x, y, pic, pic));
                x += pic + 6;
            }
            double rowHeight = item.pictures.empty() ? 0 : pic;
            if (item.text) {
                const double tx = item.pictures.size() == 1 ? x + 6 : margin;
                const double ty = item.pictures.size() > 1 ? y + pic + 6 : y;
                const auto lines = platform::wrapLines(item.text->text(), style, w - tx - margin);
                const double h = std::max<double>(1, lines.size()) * (style.fontSize + 4);
                item.text->setFrame(CGRectMake(tx, ty, w - tx - margin, h));
                rowHeight = std::max(rowHeight, ty - y + h);
            }
            if (!item.buttons.empty()) {
                y += gap;
                for (const auto& b : item.buttons) {
                    const bool next = b->accessibilityIdentifier() == "manual-next";
                    b->setFrame(CGRectMake(next ? w - margin - 110 : margin, y, 110, 40));
                }
                rowHeight = 40;
            }
            y += rowHeight + gap;
        }
        CGRect f = frame();
        f.size.height = y + 20;
        setFrame(f);
        // The container is as tall as the page, so that touches reach the buttons.
        if (UIView* container = superview()) {
            CGRect c = container->frame();
            c.size.height = f.size.height;
            container->setFrame(c);
        }
        if (scroll_ != nullptr) scroll_->setContentSize(CGSizeMake(w, y + 20));
    }

private:
    std::vector<Item> items_;
    bool compact_;
    UIScrollView* scroll_;  // owns this column's superview
};

std::shared_ptr<UILabel> header() {
    auto l = std::make_shared<UILabel>();
    l->setFont(UIFont::fontWithName("HelveticaNeue-Bold", 17));
    l->setTextColor(kAmber);
    return l;
}

std::shared_ptr<UILabel> note(bool compact) {
    auto l = std::make_shared<UILabel>();
    l->setFont(UIFont::fontWithName("HelveticaNeue", compact ? 13 : 14));
    l->setTextColor(kText);
    l->setNumberOfLines(0);
    return l;
}

}  // namespace

// The page's views by the names the texts and pictures are set through; the buttons' tags
// select their target page (tag + 1).
void buildManualPage(ManualViewController& m, double width, bool compact) {
    auto column = std::make_shared<PageColumn>(width, compact, m.scrollView.get());
    m.containerView1->addSubview(column);
    m.photoCameraTitlebar = std::make_shared<UIView>(CGRectMake(0, 64, width, 4));
    m.photoCameraTitlebar->setBackgroundColor(kAmber);
    m.containerView1->addSubview(m.photoCameraTitlebar);

    std::weak_ptr<NSObject> weakPage = m.weak_from_this();
    auto button = [&](const char* id, long tag) {
        auto b = std::make_shared<UIButton>(CGRectMake(0, 0, 110, 40));
        b->setAccessibilityIdentifier(id);
        b->setTag(tag);
        b->setTitleColor(kAmber, UIControlStateNormal);
        b->layer().setBorderColor(kAmber);
        b->layer().setBorderWidth(1);
        b->layer().setCornerRadius(8);
        b->addTarget(
            m.weak_from_this().lock(),
            [weakPage](UIControl* sender, UIEvent*) {
                auto self = weakPage.lock();
                if (self && sender != nullptr)
                    static_cast<ManualViewController*>(self.get())->toNextPage(*sender);
            },
            UIControlEventTouchUpInside);
        return b;
    };
    auto white = [](std::shared_ptr<ManualIllustration> p) {
        p->setSelectedLook(true);  // amber on the white tile
        return p;
    };
    const platform::Color glyphWhite{1, 1, 1, 1};
    using Item = PageColumn::Item;
    const int page = m.page();
    if (page == 1) {
        m.p1_headerPhotoCam = header();
        m.cameraButtonDrawView = white(picture(Kind::Camera));
        m.p1_adv1 = note(compact);
        column->add(Item{m.p1_headerPhotoCam, {m.cameraButtonDrawView}, m.p1_adv1, {}});
        m.focusTabView = picture(Kind::Glyph, 6);
        m.exposureTabView = picture(Kind::Glyph, 7);
        m.focusTabView_M = picture(Kind::Glyph, 6);
        m.focusTabView_M->setDrawFlow(1);
        m.exposureTabView_M = picture(Kind::Glyph, 7);
        m.exposureTabView_M->setDrawFlow(1);
        column->add(Item{nullptr,
                         {m.focusTabView, m.exposureTabView, m.focusTabView_M, m.exposureTabView_M},
                         nullptr,
                         {}});
        m.timeLapseButtonDrawView = white(picture(Kind::TimeLapse));
        m.p1_lapse1 = note(compact);
        column->add(Item{nullptr, {m.timeLapseButtonDrawView}, m.p1_lapse1, {}});
        m.timerButtonDrawView = white(picture(Kind::Timer));
        m.p1_timer1 = note(compact);
        column->add(Item{nullptr, {m.timerButtonDrawView}, m.p1_timer1, {}});
        m.p1_nextBtn = button("manual-next", 1);
        column->add(Item{nullptr, {}, nullptr, {m.p1_nextBtn}});
    } else if (page == 2) {
        m.p2_headerPhotoCam = header();
        m.WBLockButtonDrawView = white(picture(Kind::WBLock));
        m.p2_wb1 = note(compact);
        column->add(Item{m.p2_headerPhotoCam, {m.WBLockButtonDrawView}, m.p2_wb1, {}});
        m.WBLockButtonDrawView2 = picture(Kind::WBLock);
        m.p2_wb2 = note(compact);
        column->add(Item{nullptr, {m.WBLockButtonDrawView2}, m.p2_wb2, {}});
        m.p2_headerVideoCam = header();
        m.MovieButtonDrawView = white(picture(Kind::Movie));
        m.p2_adv1 = note(compact);
        column->add(Item{m.p2_headerVideoCam, {m.MovieButtonDrawView}, m.p2_adv1, {}});
        m.macroView = picture(Kind::Macro);
        m.infinityView = picture(Kind::Infinity);
        column->add(Item{nullptr, {m.macroView, m.infinityView}, nullptr, {}});
        m.cameraButtonDrawViewWhite = picture(Kind::Camera);
        m.cameraButtonDrawViewWhite->setGlyphColour(glyphWhite);
        m.p2_snapshot = note(compact);
        column->add(Item{nullptr, {m.cameraButtonDrawViewWhite}, m.p2_snapshot, {}});
        m.p2_prevBtn = button("manual-prev", 0);
        m.p2_nextBtn = button("manual-next", 2);
        column->add(Item{nullptr, {}, nullptr, {m.p2_prevBtn, m.p2_nextBtn}});
    } else if (page == 3) {
        m.p3_headerAccessFunctions = header();
        auto wrench = white(picture(Kind::Glyph, 5));
        m.p3_access = note(compact);
        column->add(Item{m.p3_headerAccessFunctions, {wrench}, m.p3_access, {}});
        m.cameraButtonDrawView2 = white(picture(Kind::Camera));
        m.p3_dimensions = note(compact);
        column->add(Item{nullptr, {m.cameraButtonDrawView2}, m.p3_dimensions, {}});
        m.p3_fps = note(compact);
        column->add(Item{nullptr, {}, m.p3_fps, {}});
        m.p3_headerMisc = header();
        m.stabilization1 = picture(Kind::Glyph, 9);
        m.stabilization2 = picture(Kind::Glyph, 9);
        m.stabilization3 = picture(Kind::Glyph, 9);
        m.MovieButtonDrawViewWhite = picture(Kind::Movie);
        m.MovieButtonDrawViewWhite->setGlyphColour(glyphWhite);
        column->add(
            Item{m.p3_headerMisc,
                 {m.MovieButtonDrawViewWhite, m.stabilization1, m.stabilization2, m.stabilization3},
                 nullptr,
                 {}});
        m.p3_prevBtn = button("manual-prev", 1);
        m.p3_nextBtn = button("manual-next", 3);
        column->add(Item{nullptr, {}, nullptr, {m.p3_prevBtn, m.p3_nextBtn}});
    } else if (page == kManualPageCount) {
        m.p4_headerOverlays = header();
        m.goldenRatio = picture(Kind::Glyph, 1);
        m.triSection = picture(Kind::Glyph, 2);
        m.thirds = picture(Kind::Glyph, 3);
        m.square = picture(Kind::Glyph, 4);
        m.p4_overlays = note(compact);
        column->add(Item{m.p4_headerOverlays,
                         {m.goldenRatio, m.triSection, m.thirds, m.square},
                         m.p4_overlays,
                         {}});
        m.p4_headerOther = header();
        m.p4_verticalWarning = note(compact);
        column->add(Item{m.p4_headerOther, {}, m.p4_verticalWarning, {}});
        m.p4_prevBtn = button("manual-prev", 2);
        column->add(Item{nullptr, {}, nullptr, {m.p4_prevBtn}});
    }
}

}  // namespace prefs
