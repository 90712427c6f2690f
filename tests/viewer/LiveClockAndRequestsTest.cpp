// The two pure pieces of the viewer: how virtual time follows real time, and which scenario
// line each request of the page becomes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>

#include "viewer/LiveClock.h"
#include "viewer/Requests.h"

namespace {

using nlohmann::json;
using viewer::LiveClock;
using namespace std::chrono_literals;

TEST(ViewerLiveClock, FollowsRealTimeOnlyWhileWatchedAtTheChosenSpeed) {
    const auto t0 = LiveClock::Clock::time_point{} + 1000s;
    LiveClock clock;
    // Nobody watching: time stands still at any speed.
    EXPECT_DOUBLE_EQ(clock.target(5, t0 + 3s), 5);
    EXPECT_FALSE(clock.realTimeOf(6).has_value());

    clock.setWatched(true, 5, t0);
    EXPECT_DOUBLE_EQ(clock.target(5, t0 + 2s), 7);  // 1x
    clock.setSpeed(10, 7, t0 + 2s);
    EXPECT_DOUBLE_EQ(clock.target(7, t0 + 3s), 17);  // 10x from the change on, no jump
    ASSERT_TRUE(clock.realTimeOf(27).has_value());
    EXPECT_EQ(*clock.realTimeOf(27), t0 + 4s);
    clock.setSpeed(0, 17, t0 + 3s);  // paused
    EXPECT_DOUBLE_EQ(clock.target(17, t0 + 60s), 17);
    EXPECT_FALSE(clock.realTimeOf(18).has_value());

    // A gesture that spent its own virtual time runs ahead: real time catches up first.
    clock.setSpeed(1, 17, t0 + 60s);
    EXPECT_DOUBLE_EQ(clock.target(20, t0 + 61s), 20);
    EXPECT_DOUBLE_EQ(clock.target(20, t0 + 62s), 21);
    // The page closes: time stops where it was.
    clock.setWatched(false, 21, t0 + 62s);
    EXPECT_DOUBLE_EQ(clock.target(21, t0 + 100s), 21);
    EXPECT_TRUE(LiveClock::isSpeed(10));
    EXPECT_FALSE(LiveClock::isSpeed(2));
}

TEST(ViewerRequests, TouchesAndActionsBecomeTheseScenarioLines) {
    json circle = json::array();
    for (int i = 0; i <= 200; ++i)
        circle.push_back({100 + 50 * std::sin(i * 0.05), 300 - 50 * std::cos(i * 0.05)});
    const std::vector<std::pair<json, std::string>> cases{
        {{{"gesture", "tap"}, {"x", 187.46}, {"y", 600.04}}, "tap (187.5,600)"},
        {{{"gesture", "press"}, {"x", 10}, {"y", 20}, {"seconds", 1.2345}},
         "long-press (10,20) 1235ms"},
        // Within a finger's width of straight: the scenario's own drag between the ends.
        {{{"gesture", "drag"}, {"points", {{300, 300}, {200, 305}, {100, 300}}}, {"seconds", 0.3}},
         "drag (300,300) (100,300) 300ms"},
        {{{"command", "launch"}, {"value", "settings"}}, "launch settings"},
        {{{"command", "background"}}, "background"},
        {{{"command", "orient"}, {"value", "face-down"}}, "orient face-down"},
        {{{"command", "tilt"}, {"value", -7.25}}, "tilt -7.3"},
        {{{"command", "scene"}, {"brightness", 3.5}, {"distance", 0.25}},
         "scene brightness 3.5 distance 0.25"},
        {{{"command", "camera"}, {"value", "front"}}, "camera front"},
        {{{"command", "prefs"}, {"key", "showFPS"}, {"value", false}},
         "prefs set showFPS false notify"},
        {{{"command", "prefs"}, {"key", "frameRateTime"}, {"value", 120}},
         "prefs set frameRateTime 120 notify"},
    };
    for (const auto& [request, line] : cases) {
        const auto out =
            request.contains("gesture") ? viewer::touchLine(request) : viewer::actionLine(request);
        EXPECT_TRUE(out.ok()) << request << ": " << out.error;
        EXPECT_EQ(out.line, line) << request;
    }
    // A curve keeps its path: `trace` through at most 60 of its points, first and last kept.
    const auto traced =
        viewer::touchLine({{"gesture", "drag"}, {"points", circle}, {"seconds", 2}});
    ASSERT_TRUE(traced.ok()) << traced.error;
    EXPECT_EQ(traced.line.rfind("trace 2000ms (100,250) ", 0), 0u) << traced.line;
    EXPECT_EQ(std::count(traced.line.begin(), traced.line.end(), '('), 60);
    // What the scenario parser refuses is refused here too, with its message.
    const auto bad = viewer::actionLine({{"command", "prefs"}, {"key", "noSuchKey"}, {"value", 1}});
    EXPECT_NE(bad.error.find("unknown preferences key"), std::string::npos) << bad.error;
    EXPECT_EQ(viewer::quoteWord("say \"hi\" \\ there"), "\"say \\\"hi\\\" \\\\ there\"");
}

}  // namespace
