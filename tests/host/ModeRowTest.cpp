// The row of mode names: the current one centred, even gaps between the texts, and no name
// shown cut by the row's edge.

#include <gtest/gtest.h>

#include "host/Controls.h"

namespace hosttest {
namespace {

TEST(ModeRow, CurrentNameCentredEvenGapsAndNoNameShownInPart) {
    host::ModeRow row(CGRectMake(0, 0, 375, 26));
    const std::vector<std::string> names{"TIME-LAPSE", "SLO-MO", "VIDEO",
                                         "PHOTO",      "SQUARE", "PANO"};
    for (long current : {0L, 2L, 3L, 5L}) {
        row.setModes(names, current);
        const auto& labels = row.labels();
        ASSERT_EQ(labels.size(), names.size());
        EXPECT_NEAR(CGRectGetMidX(labels[current]->frame()), 187.5, 1e-9) << current;
        EXPECT_EQ(labels[current]->alpha(), 1);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const CGRect f = labels[i]->frame();
            EXPECT_GE(f.size.width, labels[i]->sizeThatFits(CGSizeZero).width) << names[i];
            const bool whole = f.origin.x >= 0 && CGRectGetMaxX(f) <= 375;
            EXPECT_EQ(labels[i]->alpha() > 0, whole) << names[i] << " with " << current;
            if (i + 1 < labels.size()) {
                const double gap = labels[i + 1]->frame().origin.x - CGRectGetMaxX(f);
                EXPECT_NEAR(gap, 24, 1e-9);
            }
        }
    }
    // PHOTO current: its neighbours show, the far ends do not fit.
    row.setModes(names, 3);
    EXPECT_EQ(row.labels()[2]->alpha(), 1);
    EXPECT_EQ(row.labels()[4]->alpha(), 1);
    EXPECT_EQ(row.labels()[0]->alpha(), 0);
}

TEST(ModeRow, ColumnKeepsEveryNameShown) {
    host::ModeRow column(CGRectMake(0, 0, 100, 150));
    column.setVertical(true);
    column.setModes({"TIME-LAPSE", "VIDEO", "PHOTO", "SQUARE"}, 2);
    column.layoutIfNeeded();
    for (const auto& l : column.labels()) EXPECT_EQ(l->alpha(), 1);
    EXPECT_NEAR(CGRectGetMidY(column.labels()[2]->frame()), 75, 1e-9);
}

}  // namespace
}  // namespace hosttest
