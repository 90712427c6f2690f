// The gallery picture: its size, its contents and its failure to write.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/graphics/BitmapContext.h"
#include "platform/graphics/Image.h"
#include "platform/ui/UIControl.h"
#include "sim/Gallery.h"

namespace fs = std::filesystem;

namespace {

void countClasses(const UIView& view, std::map<std::string, int>& classes, int& selected,
                  int& disabled) {
    ++classes[view.className()];
    if (const auto* c = dynamic_cast<const UIControl*>(&view)) {
        selected += c->isSelected() ? 1 : 0;
        disabled += c->isEnabled() ? 0 : 1;
    }
    for (const auto& sub : view.subviews()) countClasses(*sub, classes, selected, disabled);
}

}  // namespace

TEST(Gallery, ShowsEveryGlyphButtonInThreeStatesAndTheOtherViews) {
    auto root = sim::makeGalleryView();
    ASSERT_NE(root, nullptr);
    std::map<std::string, int> classes;
    int selected = 0, disabled = 0;
    countClasses(*root, classes, selected, disabled);
    for (const char* name :
         {"CameraButton", "TimerButton", "TimeLapseButton", "MovieButton", "WBLockButton"}) {
        EXPECT_EQ(classes[name], 3) << name;
    }
    // Tags 1 to 5 and 8 once, the tabs in four flows each, stabilization in four.
    EXPECT_EQ(classes["CustomDrawButton"], 3 * (6 + 4 + 4 + 4));
    EXPECT_EQ(selected, 23);
    EXPECT_EQ(disabled, 23);
    EXPECT_EQ(classes["CustomSlalomIndicatorView"], 8);
    EXPECT_EQ(classes["CustomTransparentFilledLabel"], 6);
    EXPECT_EQ(classes["CKBlurView"], 2);
    EXPECT_EQ(classes["DialScrollViewGraphicsView"], 12);
}

TEST(Gallery, WritesAPngOfTheGallerySize) {
    const fs::path dir = fs::temp_directory_path() / ("lumora-gallery-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path png = dir / "gallery.png";
    std::string error;
    ASSERT_TRUE(sim::writeGalleryPng(png.string(), error)) << error;
    auto image = platform::Image::imageWithContentsOfFile(png.string());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixelWidth(), 1200);
    EXPECT_EQ(image->pixelHeight(), 2132);

    // Dark background in the corner; amber glyphs, badges and labels somewhere.
    const platform::Color corner = image->pixel(2, 2);
    EXPECT_LT(corner.r, 0.2);
    EXPECT_NEAR(corner.a, 1, 0.01);
    int amber = 0;
    for (int y = 0; y < image->pixelHeight(); y += 2) {
        for (int x = 0; x < image->pixelWidth(); x += 2) {
            const platform::Color c = image->pixel(x, y);
            if (c.r > 0.95 && std::abs(c.g - 0.8) < 0.03 && c.b < 0.05) ++amber;
        }
    }
    EXPECT_GT(amber, 2000);
    fs::remove_all(dir);
}

TEST(Gallery, ReportsAPathItCannotWrite) {
    std::string error;
    EXPECT_FALSE(sim::writeGalleryPng("/nonexistent-folder/for/sure/gallery.png", error));
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
}
