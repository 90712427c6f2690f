// Parsing scenarios: words, values and the errors a bad script gets, each with file:line.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

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

// The camera bar's forms: alpha and tag comparisons, highlighted states, view counts, the
// exposure duration and page turns; each malformed variant is refused on its own line, naming
// what was wrong.
TEST(ScenarioParse, CameraBarFormsAndTheirMistakes) {
    const auto good = parseScript(R"(page camera-bar 2
page CameraBarView 0
expect view caption-1 alpha = 1
expect view page-arrow-2 alpha < 0.5
expect view adv-photo-button tag >= 1
expect view horizon-button highlighted
expect view tilt-alert not-highlighted
expect views MovieButton count = 1
expect views TimerButton count != 0
expect views any total <= 200
expect views CameraButton total = 1
expect capture exposure-duration < 1/60
expect capture exposure-duration = 0.004
expect run-loop pending = 0
)",
                                  "bar.scn");
    for (const auto& e : good.errors) ADD_FAILURE() << e.describe();
    ASSERT_EQ(good.script.steps.size(), 14u);
    EXPECT_FALSE(good.script.steps[0].isExpectation);
    EXPECT_FALSE(good.script.steps[1].isExpectation);
    EXPECT_TRUE(good.script.steps[2].isExpectation);
    EXPECT_TRUE(good.script.steps.back().isExpectation);

    struct Bad {
        const char* line;
        const char* says;
    };
    const Bad bad[] = {
        {"expect view caption-1 alpha", "missing arguments"},
        {"expect view caption-1 alpha about 1", "comparison"},
        {"expect view caption-1 alpha = bright", "malformed value \"bright\""},
        {"expect view timer-button tag = 1.5", "malformed value \"1.5\""},
        {"expect view timer-button highlighted yes", "usage:"},
        {"expect view (10,10) highlighted", "not a point"},
        {"expect views movieButton count = 1", "upper-case"},
        {"expect views \"MovieButton\" count = 1", "upper-case"},
        {"expect views MovieButton number = 1", "count OP N"},
        {"expect views MovieButton count = 1.5", "malformed value"},
        {"expect views MovieButton count", "usage:"},
        {"expect capture exposure-duration = fast", "malformed value \"fast\""},
        {"expect capture exposure-duration = 1/0", "malformed value"},
        {"expect capture shutter-speed = 1/60", "shutter-speed"},
        {"expect run-loop waiting = 0", "pending OP N"},
        {"expect run-loop pending = -", "malformed value"},
        {"page camera-bar", "usage:"},
        {"page camera-bar -1", "page number"},
        {"page camera-bar 1.5", "page number"},
        {"page camera-bar 101", "page number"},
        {"page (187,500) 1", "not a point"},
        {"page spanner 1", "spanner"},
    };
    std::string text;
    for (const auto& b : bad) text += std::string(b.line) + "\n";
    const auto r = parseScript(text, "bad.scn");
    ASSERT_EQ(r.errors.size(), std::size(bad));
    for (std::size_t i = 0; i < std::size(bad); ++i) {
        EXPECT_EQ(r.errors[i].where.line, static_cast<int>(i + 1)) << r.errors[i].describe();
        EXPECT_NE(r.errors[i].message.find(bad[i].says), std::string::npos)
            << bad[i].line << " -> " << r.errors[i].message;
    }
}

TEST(ScenarioParse, SlowMarkerAndUnreadableFile) {
    EXPECT_TRUE(parseScript("# slow\n# one hour\nadvance 1h\n", "s.scn").script.slow);
    EXPECT_FALSE(parseScript("advance 1s\n# slow\n", "s.scn").script.slow);
    const auto missing = sim::parseScriptFile("/nonexistent/x.scn");
    ASSERT_EQ(missing.errors.size(), 1u);
    EXPECT_EQ(missing.errors[0].describe(), "/nonexistent/x.scn: cannot read the file");
}

}  // namespace
