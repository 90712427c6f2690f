// Parsing scenarios: words, values and the errors a bad script gets, each with file:line.
#include <gtest/gtest.h>

#include "sim/scenario/Script.h"
#include "sim/scenario/Tokenizer.h"
#include "sim/scenario/Values.h"

namespace {

using sim::parseScript;

TEST(ScenarioTokenizer, QuotesParenthesesAndComments) {
    auto r = sim::tokenizeLine(R"(tap "Take \"it\" now" (10, 20) # a comment "x")");
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.tokens.size(), 3u);
    EXPECT_EQ(r.tokens[0].text, "tap");
    EXPECT_TRUE(r.tokens[1].quoted);
    EXPECT_EQ(r.tokens[1].text, "Take \"it\" now");
    EXPECT_EQ(r.tokens[2].text, "(10,20)");
    // A '#' inside a word is part of it; inside quotes it is text.
    r = sim::tokenizeLine("a#b \"#c\"");
    ASSERT_EQ(r.tokens.size(), 2u);
    EXPECT_EQ(r.tokens[0].text, "a#b");
    EXPECT_EQ(r.tokens[1].text, "#c");
}

TEST(ScenarioTokenizer, MalformedLinesAreRefused) {
    EXPECT_FALSE(sim::tokenizeLine("tap \"open").error.empty());
    EXPECT_FALSE(sim::tokenizeLine("tap (1,2").error.empty());
    EXPECT_FALSE(sim::tokenizeLine("tap 1,2)").error.empty());
    EXPECT_FALSE(sim::tokenizeLine("tap \"a\"b").error.empty());
    EXPECT_FALSE(sim::tokenizeLine("tap \"a\\n\"").error.empty());
}

TEST(ScenarioValues, DurationsNeedAUnitAndStayInRange) {
    EXPECT_DOUBLE_EQ(*sim::parseDuration("2.5s"), 2.5);
    EXPECT_DOUBLE_EQ(*sim::parseDuration("10min"), 600);
    EXPECT_DOUBLE_EQ(*sim::parseDuration("250ms"), 0.25);
    EXPECT_DOUBLE_EQ(*sim::parseDuration("1h"), 3600);
    for (const char* bad : {"5", "-1s", "s", "1.5", "2x", "nans", "infs", "9999h", "1 s"})
        EXPECT_FALSE(sim::parseDuration(bad)) << bad;
}

TEST(ScenarioValues, NumbersPointsRectsSizesAndFractions) {
    EXPECT_FALSE(sim::parseNumber("1e999"));
    EXPECT_FALSE(sim::parseNumber("12abc"));
    EXPECT_FALSE(sim::parseInteger("1.5"));
    const auto p = sim::parsePoint("(10,-2.5)");
    ASSERT_TRUE(p);
    EXPECT_DOUBLE_EQ(p->y, -2.5);
    EXPECT_FALSE(sim::parsePoint("(1,2,3)"));
    EXPECT_FALSE(sim::parseRect("(0,0,-1,5)"));
    EXPECT_TRUE(sim::parseRect("0,0,1,5"));
    const auto s = sim::parsePixelSize("3264x2448");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->width, 3264);
    EXPECT_FALSE(sim::parsePixelSize("0x5"));
    EXPECT_NEAR(*sim::parseSeconds("1/60"), 1.0 / 60, 1e-12);
    EXPECT_FALSE(sim::parseSeconds("1/0"));
    EXPECT_TRUE(sim::compare(60.004, sim::Comparison::Equal, 60, 0.01));
    EXPECT_FALSE(sim::compare(3, sim::Comparison::Less, 3));
}

TEST(ScenarioParse, ValidScriptCompilesEveryLine) {
    const auto r = parseScript(R"(# a tour
device iphone6
language fr
prefs set showFPS no
prefs set frameRateTime 60
prefs delete guideIndex
launch camera
tap shutter
tap CustomDrawButton[5]
press "Done" 1s
drag (10,10) (100,100)
turn wrench -90
mode video
orient landscape-left
tilt 3.5
scene brightness 12 distance 0.5
advance 10min
screenshot a.png
dump a.txt
expect view shutter visible
expect view "Go" text "Go"
expect capture frame-rate = 60
expect capture focus-mode continuous
expect prefs showFPS = false
expect prefs guideIndex absent
expect photos count >= 1
expect photo last orientation = 6
expect photo 1 size 3264x2448
expect photo 2 red-pixels lower-left > 500
date 2026-12-07T21:41:00
expect sounds count.aif = 3
expect event _didTakePhoto count = 2
expect event takePicture never
expect events in-order launched goTapped
)",
                               "tour.scn");
    for (const auto& e : r.errors) ADD_FAILURE() << e.describe();
    EXPECT_EQ(r.script.steps.size(), 33u);
    EXPECT_FALSE(r.script.slow);
    EXPECT_EQ(r.script.steps[1].where.describe(), "tour.scn:3");
    EXPECT_TRUE(r.script.steps.back().isExpectation);
}

TEST(ScenarioParse, EveryBadLineIsReportedWithItsLine) {
    const auto r = parseScript(
        "launch camera\n"
        "jump 3\n"                                // unknown command
        "tap spanner\n"                           // unknown element
        "device iphone99\n"                       // unknown profile
        "prefs set noSuchKey 1\n"                 // unknown key
        "prefs set frameRateTime sixty\n"         // malformed value
        "advance 10\n"                            // no unit
        "screenshot ../x.png\n"                   // outside the output folder
        "expect view shutter glowing\n"           // unknown check
        "expect capture iso about 100\n"          // bad comparison
        "orient sideways\n"                       // unknown pose
        "expect photo 1 red-pixels middle > 5\n"  // unknown corner
        "expect photo 1 red-pixels lower-left\n"  // no comparison
        "date 2026-12-07T21:41:00 now\n"          // a second word
        "tap \"unterminated\n",
        "bad.scn");
    ASSERT_EQ(r.errors.size(), 14u);
    int line = 2;
    for (const auto& e : r.errors) EXPECT_EQ(e.where.line, line++) << e.describe();
    EXPECT_EQ(r.errors[0].describe().rfind("bad.scn:2: unknown command \"jump\"", 0), 0u)
        << r.errors[0].describe();
    EXPECT_NE(r.errors[1].message.find("spanner"), std::string::npos);
    EXPECT_NE(r.errors[2].message.find("iphone99"), std::string::npos);
    EXPECT_NE(r.errors[3].message.find("noSuchKey"), std::string::npos);
    EXPECT_NE(r.errors[4].message.find("usage:"), std::string::npos);
}

TEST(ScenarioParse, SlowMarkerAndUnreadableFile) {
    EXPECT_TRUE(parseScript("# slow\n# one hour\nadvance 1h\n", "s.scn").script.slow);
    EXPECT_FALSE(parseScript("advance 1s\n# slow\n", "s.scn").script.slow);
    const auto missing = sim::parseScriptFile("/nonexistent/x.scn");
    ASSERT_EQ(missing.errors.size(), 1u);
    EXPECT_EQ(missing.errors[0].describe(), "/nonexistent/x.scn: cannot read the file");
}

}  // namespace
