#include <gtest/gtest.h>

#include "core/TweakState.h"
#include "tools/CAM_Tools.h"

namespace {

using lumora::CAM_Tools;

ns::Dictionary sample() {
    return ns::Dictionary{
        {"int", 42},
        {"true", true},
        {"false", false},
        {"zero", 0},
        {"real", 2.75},
        {"digits", "17"},
        {"TRUE", "tRuE"},
        {"yes", "Yes"},
        {"no", "NO"},
        {"word", "banana"},
        {"array", ns::Array{1}},
        {"dict", ns::Dictionary{{"a", 1}}},
        {"data", ns::Value::data({1, 2})},
    };
}

TEST(TypedReaders, IntReaderTakesNumbersAndNumericStringsAndDefaultsOtherwise) {
    const auto d = sample();
    EXPECT_EQ(CAM_Tools::intForKey("int", 7, &d), 42);
    EXPECT_EQ(CAM_Tools::intForKey("true", 7, &d), 1);
    EXPECT_EQ(CAM_Tools::intForKey("real", 7, &d), 2);  // truncated
    EXPECT_EQ(CAM_Tools::intForKey("digits", 7, &d), 17);
    EXPECT_EQ(CAM_Tools::intForKey("word", 7, &d), 0);  // a string answers intValue
    EXPECT_EQ(CAM_Tools::intForKey("missing", 7, &d), 7);
    EXPECT_EQ(CAM_Tools::intForKey("array", 7, &d), 7);
    EXPECT_EQ(CAM_Tools::intForKey("dict", 7, &d), 7);
    EXPECT_EQ(CAM_Tools::intForKey("data", 7, &d), 7);
    EXPECT_EQ(CAM_Tools::intForKey("int", 7, nullptr), 7);
}

TEST(TypedReaders, BoolReaderFollowsNumbersAndStringRules) {
    const auto d = sample();
    EXPECT_TRUE(CAM_Tools::boolForKey("true", false, &d));
    EXPECT_FALSE(CAM_Tools::boolForKey("false", true, &d));
    EXPECT_FALSE(CAM_Tools::boolForKey("zero", true, &d));
    EXPECT_TRUE(CAM_Tools::boolForKey("int", false, &d));
    EXPECT_TRUE(CAM_Tools::boolForKey("TRUE", false, &d));  // any letter case
    EXPECT_TRUE(CAM_Tools::boolForKey("yes", false, &d));
    EXPECT_FALSE(CAM_Tools::boolForKey("no", true, &d));
    EXPECT_FALSE(CAM_Tools::boolForKey("word", true, &d));
    EXPECT_TRUE(CAM_Tools::boolForKey("missing", true, &d));
    EXPECT_FALSE(CAM_Tools::boolForKey("missing", false, &d));
    EXPECT_TRUE(CAM_Tools::boolForKey("array", true, &d));
    EXPECT_FALSE(CAM_Tools::boolForKey("array", false, &d));
    EXPECT_TRUE(CAM_Tools::boolForKey("dict", true, &d));
    EXPECT_TRUE(CAM_Tools::boolForKey("true", true, nullptr));
}

TEST(TypedReaders, FloatReaderConvertsAndNeverFailsOnOtherTypes) {
    const auto d = sample();
    EXPECT_FLOAT_EQ(CAM_Tools::floatForKey("real", 1.5f, &d), 2.75f);
    EXPECT_FLOAT_EQ(CAM_Tools::floatForKey("int", 1.5f, &d), 42.0f);
    EXPECT_FLOAT_EQ(CAM_Tools::floatForKey("digits", 1.5f, &d), 17.0f);
    EXPECT_FLOAT_EQ(CAM_Tools::floatForKey("missing", 1.5f, &d), 1.5f);
    EXPECT_FLOAT_EQ(CAM_Tools::floatForKey("array", 1.5f, &d), 1.5f);
    EXPECT_FLOAT_EQ(CAM_Tools::floatForKey("real", 1.5f, nullptr), 1.5f);
}

TEST(Resources, MissingTranslationIsVisibleAndPresentOneIsReturned) {
    lumora::resetState();
    EXPECT_EQ(CAM_Tools::GetResource("TIMER"), "TIMER needs translation!");
    lumora::state().translations = ns::Dictionary{{"TIMER", "Minuterie"}, {"ODD", 3}};
    EXPECT_EQ(CAM_Tools::GetResource("TIMER"), "Minuterie");
    EXPECT_EQ(CAM_Tools::GetResource("LAPSE"), "LAPSE needs translation!");
    EXPECT_EQ(CAM_Tools::GetResource("ODD"), "ODD needs translation!");
    EXPECT_EQ(CAM_Tools::GetResource(""), " needs translation!");
    lumora::resetState();
}

TEST(Resources, ResourcePathAppendsOneComponent) {
    EXPECT_EQ(CAM_Tools::resourcePath("Sounds/count.aif"),
              "/Library/Application Support/Lumora3/Sounds/count.aif");
    EXPECT_EQ(CAM_Tools::resourcePath("/Buttons/overlayHorizonBtn@2x.png"),
              "/Library/Application Support/Lumora3/Buttons/overlayHorizonBtn@2x.png");
    EXPECT_EQ(CAM_Tools::resourcePath(""), "/Library/Application Support/Lumora3");
}

}  // namespace
