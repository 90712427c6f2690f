#include "UiTestSupport.h"
#include "platform/objc/Runtime.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIKitClasses.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/ViewTreeDump.h"

using Dump = UiTest;

TEST_F(Dump, OneIndentedLinePerViewWithControlAndTextFields) {
    auto root = std::make_shared<UIView>(CGRectMake(0, 0, 100, 50.5));
    root->setTag(7);
    auto label = std::make_shared<UILabel>(CGRectMake(1, 2, 30, 15));
    label->setText(" ISO 100  ");
    label->setAlpha(0.3);
    root->addSubview(label);
    auto button = std::make_shared<UIButton>(CGRectMake(10, 20, 44, 44));
    button->setTag(5);
    button->setSelected(true);
    button->setHidden(true);
    root->addSubview(button);
    EXPECT_EQ(platform::dumpViewTree(*root),
              "UIView tag=7 frame=(0,0,100,50.5) alpha=1 hidden=no\n"
              "  UILabel tag=0 frame=(1,2,30,15) alpha=0.3 hidden=no text=\" ISO 100  \"\n"
              "  UIButton tag=5 frame=(10,20,44,44) alpha=1 hidden=yes enabled=yes selected=yes "
              "highlighted=no title=\"\"\n");
    button->setTitle("Set", UIControlStateNormal);
    const std::string dump = platform::dumpViewTree(*root);
    EXPECT_NE(dump.find("title=\"Set\"\n    UILabel"), std::string::npos);
}

TEST_F(Dump, ClassesAreKnownToTheRuntime) {
    platform::registerUIKitClasses();
    UIButton b;
    EXPECT_TRUE(b.isKindOfClass("UIControl"));
    EXPECT_TRUE(b.isKindOfClass("UIView"));
    EXPECT_FALSE(b.isKindOfClass("UILabel"));
    EXPECT_NE(objc_getClass("UIScrollView"), nullptr);
}
