// What the rulers offer and read: ISO lists for every stored profile, the search and conversion
// rules at their edges, and the shutter-speed readout for the camera's own exposures.

#include <map>
#include <set>
#include <utility>

#include "ManualTestSupport.h"
#include "core/TweakState.h"
#include "platform/capture/ConfigurationGuards.h"

namespace manualtest {
namespace {

using lumora::DialScrollview;

TEST(RulerValues, IsoListsFollowEveryStoredProfilesLimits) {
    const std::vector<int> low{40, 50, 64, 80, 100, 125, 160, 200, 250};
    auto upTo = [&](std::vector<int> upper) {
        std::vector<int> l = low;
        l.insert(l.end(), upper.begin(), upper.end());
        return l;
    };
    const std::map<std::pair<float, float>, std::vector<int>> expected{
        {{23, 736}, upTo({320, 400, 500, 640})},
        {{23, 1840}, upTo({320, 400, 500, 640, 800, 1000, 1250, 1600})},
        {{29, 464}, upTo({320, 400})},
        {{29, 928}, upTo({320, 400, 500, 640, 800})},
        {{29, 1856}, upTo({320, 400, 500, 640, 800, 1000, 1250, 1600})},
        {{34, 544}, upTo({320, 400, 500})},
        {{34, 2176}, upTo({320, 400, 500, 640, 800, 1000, 1250, 1600, 2000})},
        {{46, 736}, {50, 64, 80, 100, 125, 160, 200, 250, 320, 400, 500, 640}},
        {{50, 800}, {50, 64, 80, 100, 125, 160, 200, 250, 320, 400, 500, 640, 800}},
        // A range of no stored profile, and one that offers no listed value at all.
        {{32, 1600}, upTo({320, 400, 500, 640, 800, 1000, 1250, 1600})},
        {{260, 300}, {}},
    };
    EXPECT_EQ(expected.at({32, 1600}).size(), 17u);
    EXPECT_EQ(expected.at({50, 800}).size(), 13u);
    std::set<std::pair<float, float>> seen;
    for (const auto& p : profiles().all()) {
        const std::string& id = p.shortName;
        for (const auto* camera :
             {p.camera(AVCaptureDevicePositionBack), p.camera(AVCaptureDevicePositionFront)}) {
            if (camera == nullptr) continue;
            for (const auto& f : camera->formats) {
                const auto it = expected.find({f.minISO, f.maxISO});
                ASSERT_NE(it, expected.end()) << id << ": ISO " << f.minISO << "-" << f.maxISO;
                EXPECT_EQ(DialScrollview::isoListForRange(f.minISO, f.maxISO), it->second) << id;
                seen.insert(it->first);
            }
        }
    }
    EXPECT_EQ(seen.size(), 9u);  // every stored range met
    for (const auto& [range, list] : expected) {
        EXPECT_EQ(DialScrollview::isoListForRange(range.first, range.second), list);
    }
}

TEST(RulerValues, SearchesAndConversionsAtTheirEdges) {
    auto dial = std::make_shared<DialScrollview>(CGRectMake(0, 0, 120, 45));
    dial->setTag(lumora::DIAL_SHUTTERSPEED);
    dial->initiateStartValues();  // builds the shutter list without a camera
    ASSERT_EQ(dial->shutterspeeds(), DialScrollview::shutterSpeedList());
    ASSERT_EQ(dial->shutterspeeds().size(), 24u);
    EXPECT_EQ(dial->scroll()->contentSize().width, 620);
    const std::vector<std::pair<int, int>> shutter{{100, 12}, {2, 1},  {1, 23},  {9000, 23},
                                                   {30, 9},   {33, 9}, {125, 13}};
    for (auto [value, index] : shutter) EXPECT_EQ(dial->findShutterSpeedindex(value), index);

    const std::vector<std::tuple<float, int, int>> fractions{
        {0.33f, 33, 100}, {2.0f, 2, 1}, {0.9999995f, 1, 1}, {0.01f, 1, 100}, {0.0f, 0, 1}};
    for (auto [x, numerator, denominator] : fractions) {
        EXPECT_EQ(dial->getFractionFromDecimal(x), numerator) << x;
        EXPECT_EQ(dial->lower(), denominator) << x;
    }
    for (auto [offset, lens] : std::vector<std::pair<float, float>>{
             {-20, 0.0f}, {170, 1.0f}, {75, 0.5f}, {0, 0.0f}, {150, 1.0f}}) {
        EXPECT_FLOAT_EQ(DialScrollview::convertToLensRange(offset), lens);
    }
    EXPECT_FLOAT_EQ(DialScrollview::convertToDialRange(0.5f), 75);
}

class ShutterReadout : public ManualOnHost {};

// The ruler lands on the upper end of the bucket the camera's exposure falls in, and reads it.
TEST_F(ShutterReadout, CameraExposuresReadAsTheUpperEndOfTheirBucket) {
    launch("iphone6", 0);
    openToolPage();
    tapView(*tools().customDrawButtonExposure());
    DialScrollview* ruler = tools().dialScrollviewShutterspeed();
    DialScrollview* iso = tools().dialScrollviewISO();
    ASSERT_NE(ruler, nullptr);
    ASSERT_NE(iso, nullptr);
    const std::vector<std::pair<double, std::string>> table{
        {1.0 / 125, " 1/125 s  "}, {1.0 / 100, " 1/125 s  "},  {1.0 / 60, " 1/60 s  "},
        {1.0 / 30, " 1/45 s  "},   {1.0 / 15, " 1/15 s  "},    {1.0 / 8, " 1/8 s  "},
        {1.0 / 5, " 1/6 s  "},     {1.0 / 250, " 1/8000 s  "}, {1.0 / 2000, " 1/8000 s  "},
    };
    for (const auto& [seconds, text] : table) {
        {
            platform::ConfigurationLock lock(&device());
            device().setExposureModeCustomWithDuration(CMTimeMakeWithSeconds(seconds, 1000000000),
                                                       100, nullptr);
        }
        app_.runFor(0.6);  // the observer moves the untouched ruler
        EXPECT_EQ(readout(*ruler), text) << seconds;
        EXPECT_EQ(readout(*iso), " ISO 100  ") << seconds;
    }
    EXPECT_EQ(ruler->deviceWrites() + iso->deviceWrites(), 0);
    EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
}

}  // namespace
}  // namespace manualtest
