// A recording made on the live phone replays with the scenario runner to the same photos
// (count and EXIF orientation) and the same preferences file, and its own checks hold.
#include <fstream>
#include <iterator>

#include "platform/media/Exif.h"
#include "sim/Profiles.h"
#include "sim/Runner.h"
#include "sim/Session.h"
#include "sim/scenario/Script.h"
#include "tests/viewer/LiveServerFixture.h"

namespace {

using nlohmann::json;
namespace fs = std::filesystem;

struct PhoneResult {
    std::vector<int> orientations;  // EXIF tags of the photos, in name order
    std::optional<ns::Dictionary> prefs;
};

PhoneResult collect(sim::DeviceRoot& root) {
    PhoneResult r;
    for (const auto& p : root.photos()) {
        std::ifstream in(p, std::ios::binary);
        const platform::Bytes bytes{std::istreambuf_iterator<char>(in), {}};
        r.orientations.push_back(platform::readExifOrientation(bytes).value_or(1));
    }
    r.prefs = root.readPreferences();
    return r;
}

json ok(const viewer::Reply& reply) {
    EXPECT_EQ(reply.status, 200) << reply.body;
    return json::parse(reply.body, nullptr, false);
}

TEST(ViewerRecording, ReplaysToTheSamePhotosAndPreferences) {
    const fs::path base = viewertest::makeScratch("lumora3-viewer-record");
    ASSERT_FALSE(base.empty());
    viewer::LiveOptions options;
    options.out = base / "live";
    std::string error;
    auto phone = viewer::LivePhone::create(options, error);
    ASSERT_TRUE(phone) << error;

    // The person's session, on this thread as the simulator's own.
    ok(phone->setClock({{"advance", 1}}));
    ok(phone->action({{"command", "prefs"}, {"key", "rememberSettings"}, {"value", true}}));
    ok(phone->action({{"command", "prefs"}, {"key", "frameRateTime"}, {"value", 60}}));
    ok(phone->record({{"on", true}}));
    ok(phone->setClock({{"advance", 1}}));  // the camera starts afresh
    const json elements = ok(phone->elements());
    json shutter;
    for (const auto& e : elements["elements"])
        if (e["name"] == "shutter") shutter = e["frame"];
    ASSERT_FALSE(shutter.is_null());
    const json tapShutter{{"gesture", "tap"},
                          {"x", shutter[0].get<double>() + shutter[2].get<double>() / 2},
                          {"y", shutter[1].get<double>() + shutter[3].get<double>() / 2}};
    ok(phone->touch(tapShutter));
    ok(phone->setClock({{"advance", 1.7}}));
    ok(phone->action({{"command", "orient"}, {"value", "landscape-left"}}));
    ok(phone->setClock({{"advance", 0.6}}));
    ok(phone->touch(tapShutter));
    ok(phone->setClock({{"advance", 2}}));
    ok(phone->action({{"command", "camera"}, {"value", "front"}}));
    ok(phone->setClock({{"advance", 1.25}}));
    ok(phone->touch(tapShutter));
    ok(phone->setClock({{"advance", 2}}));
    const json checks = ok(phone->addExpect());
    EXPECT_FALSE(checks["added"].empty());
    // A free-hand circle over the picture, recorded along its path.
    json circle = json::array();
    for (int i = 0; i <= 24; ++i)
        circle.push_back({187 + 60 * std::sin(i * 0.3), 300 - 60 * std::cos(i * 0.3)});
    const json traced =
        ok(phone->touch({{"gesture", "drag"}, {"points", circle}, {"seconds", 0.8}}));
    EXPECT_EQ(traced["line"].get<std::string>().rfind("trace 800ms (187,240)", 0), 0u) << traced;
    ok(phone->action({{"command", "prefs"}, {"key", "showFPS"}, {"value", false}}));
    // Home and back: the add-on stores its preferences as the app leaves.
    ok(phone->action({{"command", "background"}}));
    ok(phone->setClock({{"advance", 0.5}}));
    ok(phone->action({{"command", "foreground"}}));
    const json stopped = ok(phone->record({{"on", false}}));
    const std::string text = stopped["text"];
    const fs::path file = base / "live" / stopped["file"].get<std::string>();
    ASSERT_TRUE(fs::exists(file)) << text;

    // What the recording says: set-up, actions with the waits between them, checks.
    for (const char* line : {"device iphone6\n", "language en\n", "launch camera\n", "tap (",
                             "advance 1700ms\n", "orient landscape-left\n", "advance 600ms\n",
                             "camera front\n", "expect photos count = 3\n", "background\n",
                             "expect photo 2 orientation =", "prefs set rememberSettings true",
                             "prefs set frameRateTime 60", "prefs set showFPS false notify\n",
                             "expect prefs showFPS = false\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;

    PhoneResult before;
    {
        // The live phone's device root, read after it stopped.
        phone.reset();
        std::string why;
        auto root = sim::DeviceRoot::open(base / "live" / "device", true, why);
        ASSERT_TRUE(root) << why;
        before = collect(*root);
    }
    ASSERT_EQ(before.orientations.size(), 3u);
    ASSERT_TRUE(before.prefs.has_value());

    // The replay, as `lumora3 run` runs it.
    const auto parsed = sim::parseScriptFile(file.string());
    ASSERT_TRUE(parsed.ok()) << parsed.errors.front().describe();
    const auto* profiles = sim::defaultProfiles(error);
    ASSERT_TRUE(profiles) << error;
    sim::SessionOptions so;
    so.outputFolder = base / "replay";
    so.rootFolder = base / "replay" / "device";
    auto session = sim::Session::create(std::move(so), *profiles, error);
    ASSERT_TRUE(session) << error;
    const sim::RunReport report = sim::runScript(parsed.script, *session);
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    EXPECT_GT(report.expectations, 5u);
    session->settle();
    const PhoneResult after = collect(session->root());
    session.reset();

    EXPECT_EQ(after.orientations, before.orientations);
    ASSERT_TRUE(after.prefs.has_value());
    EXPECT_TRUE(*after.prefs == *before.prefs);
    std::error_code ec;
    fs::remove_all(base, ec);
}

}  // namespace
