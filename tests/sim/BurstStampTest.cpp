// End to end, on the simulated phone with the add-on: photos of a burst never carry the date
// stamp, the last one of the burst included, while a single shot before it does.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "sim/scenario/PhotoPixels.h"
#include "tests/sim/SimFixture.h"

namespace {

using simtest::SimTest;

class BurstStampTest : public SimTest {
protected:
    sim::SessionOptions options() {
        sim::SessionOptions o = SimTest::options();
        o.appFactory = sim::hostAppFactory();
        return o;
    }
};

std::optional<long> redAtLowerLeft(const std::filesystem::path& photo) {
    std::ifstream in(photo, std::ios::binary);
    const std::vector<std::uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    return sim::countRedPixels(bytes, sim::PhotoCorner::LowerLeft);
}

TEST_F(BurstStampTest, NoPhotoOfABurstIsStamped) {
    std::string error;
    auto session = sim::Session::create(options(), simtest::profiles(), error);
    ASSERT_NE(session, nullptr) << error;
    auto parsed = sim::parseScript(R"(prefs set rememberSettings true
prefs set timeStampVisible true
prefs set timeStampVisibleAndPlace true
date 2026-12-07T21:41:00
launch camera
advance 1s
tap shutter
advance 1s
expect photos count = 1
burst start
burst stop
advance 1s
expect photos count >= 3
expect photo 1 red-pixels lower-left > 500
expect photo last red-pixels lower-left < 50
)",
                                   "t.scn");
    for (const auto& e : parsed.errors) ADD_FAILURE() << e.describe();
    const auto report = sim::runScript(parsed.script, *session);
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();

    const auto photos = session->root().photos();
    ASSERT_GE(photos.size(), 3u);
    const auto stamped = redAtLowerLeft(photos.front());
    ASSERT_TRUE(stamped);
    for (std::size_t i = 1; i < photos.size(); ++i) {
        SCOPED_TRACE(photos[i].filename().string());
        const auto red = redAtLowerLeft(photos[i]);
        ASSERT_TRUE(red);
        EXPECT_LT(*red, 50);
        EXPECT_LT(*red * 10, *stamped);
    }
}

}  // namespace
