#include <gtest/gtest.h>

#include "platform/ui/UIView.h"
#include "platform/ui/UIWindow.h"

TEST(ViewTree, AddSubviewSetsSuperview) {
    auto parent = std::make_shared<UIView>(CGRectMake(0, 0, 100, 100));
    auto child = std::make_shared<UIView>(CGRectMake(10, 10, 20, 20));
    parent->addSubview(child);
    EXPECT_EQ(child->superview(), parent.get());
}
