// The glyph buttons draw their glyph in the colour of their state and redraw on changes.

#include <gtest/gtest.h>

#include <memory>

#include "ArtworkPixels.h"
#include "artwork/CustomDrawButton.h"
#include "artwork/ModeButtons.h"
#include "platform/objc/Runtime.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/UIKitClasses.h"

using namespace lumora;
using platform::Color;

namespace {

std::unique_ptr<platform::BitmapContext> render(const std::shared_ptr<UIView>& button) {
    auto root = std::make_shared<UIView>(CGRectMake(0, 0, 47, 47));
    root->addSubview(button);
    platform::RenderOptions options;
    options.size = {47, 47};
    options.scale = 2;
    options.background = Color::clear();
    return platform::ScreenRenderer::render(*root, options);
}

std::vector<std::shared_ptr<artwork::GlyphButton>> everyButton() {
    const CGRect f = CGRectMake(0, 0, 47, 47);
    std::vector<std::shared_ptr<artwork::GlyphButton>> all = {
        std::make_shared<CameraButton>(f),    std::make_shared<TimerButton>(f),
        std::make_shared<TimeLapseButton>(f), std::make_shared<MovieButton>(f),
        std::make_shared<WBLockButton>(f),
    };
    for (long tag = 1; tag <= 9; ++tag) {
        auto b = std::make_shared<CustomDrawButton>(f);
        b->setTag(tag);
        all.push_back(b);
    }
    return all;
}

}  // namespace

TEST(GlyphButtons, SelectedAmberUnselectedGreyDisabledFaint) {
    for (const auto& button : everyButton()) {
        SCOPED_TRACE(std::string(button->className()) + " tag " + std::to_string(button->tag()));
        const arttest::Ink grey = arttest::ink(*render(button));
        ASSERT_GT(grey.pixels, 30);
        EXPECT_NEAR(grey.strongest.r, 220.0 / 255, 0.02);
        EXPECT_NEAR(grey.strongest.b, 220.0 / 255, 0.02);
        EXPECT_NEAR(grey.maxAlpha, 0.6, 0.02);

        button->removeFromSuperview();
        button->setSelected(true);
        EXPECT_TRUE(button->needsDisplay());
        const arttest::Ink amber = arttest::ink(*render(button));
        EXPECT_NEAR(amber.strongest.r, 1.0, 0.02);
        EXPECT_NEAR(amber.strongest.g, 0.8, 0.02);
        EXPECT_NEAR(amber.strongest.b, 0.0, 0.02);
        EXPECT_NEAR(amber.maxAlpha, 1.0, 0.02);

        button->removeFromSuperview();
        button->setEnabled(false);
        const arttest::Ink faint = arttest::ink(*render(button));
        EXPECT_NEAR(faint.maxAlpha, 0.3, 0.02) << "disabled draws at 0.3 of the colour";
        EXPECT_NEAR(faint.strongest.g, 0.8, 0.02) << "still amber while selected";
    }
}

TEST(GlyphButtons, DrawFlowChangesTheDrawingAndMarksForRedraw) {
    auto button = std::make_shared<CustomDrawButton>(CGRectMake(0, 0, 47, 47));
    button->setTag(9);
    button->setDrawFlow(0);
    auto off = render(button);
    button->removeFromSuperview();
    EXPECT_FALSE(button->needsDisplay());
    button->setDrawFlow(2);
    EXPECT_TRUE(button->needsDisplay());
    EXPECT_EQ(button->drawFlow(), 2);
    auto cinematic = render(button);
    EXPECT_FALSE(arttest::samePixels(*off, *cinematic));
}

TEST(GlyphButtons, TagsOutsideTheGlyphsDrawNothing) {
    for (long tag : {0L, 10L, -1L, 1L << 40}) {
        auto button = std::make_shared<CustomDrawButton>(CGRectMake(0, 0, 47, 47));
        button->setTag(tag);
        EXPECT_EQ(arttest::ink(*render(button)).pixels, 0) << tag;
    }
}

TEST(GlyphButtons, AnswerTheirOwnClassNames) {
    EXPECT_STREQ(CustomDrawButton().className(), "CustomDrawButton");
    EXPECT_STREQ(WBLockButton().className(), "WBLockButton");
    EXPECT_STREQ(TimeLapseButton().className(), "TimeLapseButton");
}

TEST(GlyphButtons, RegisterAsButtonSubclassesWithTheRuntime) {
    auto& rt = objc::Runtime::current();
    platform::registerUIKitClasses();
    artwork::registerGlyphButtonClasses();
    const objc::Class* button = rt.getClass("UIButton");
    ASSERT_NE(button, nullptr);
    for (const char* name : {"CustomDrawButton", "CameraButton", "TimerButton", "TimeLapseButton",
                             "MovieButton", "WBLockButton"}) {
        const objc::Class* c = rt.getClass(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->superclass(), button) << name;
    }
    EXPECT_EQ(rt.getClass("GlyphButton"), nullptr) << "the shared base stays private";
}
