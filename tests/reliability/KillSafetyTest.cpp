// A process killed at any moment of a save never damages the file it was writing: after each
// SIGKILL the file parses and holds one complete version, never older than the last one seen,
// and the temporary files killed writers leave behind are removed by the next complete save.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <thread>

#include "core/Preferences.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyList.h"
#include "platform/media/JpegCodec.h"
#include "tests/common/SampleJpegs.h"
#include "tests/common/ScratchDir.h"
#include "tests/reliability/ChildProcess.h"

namespace fs = std::filesystem;
using lumora::test::killChild;
using lumora::test::startChild;

namespace {

constexpr int kKills = 200;

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

int countTemps(const fs::path& folder, const std::string& marker) {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(marker) != std::string::npos) ++n;
    return n;
}

std::chrono::microseconds randomMoment(std::mt19937& rng, int maxMicroseconds) {
    return std::chrono::microseconds(std::uniform_int_distribution<int>(0, maxMicroseconds)(rng));
}

// Waits (at most 20 s) until `changed` holds: the child has got past its start and is writing.
// The kill then comes at a random moment of the cycles that follow.
template <class Condition>
bool waitUntil(Condition changed) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!changed()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    return true;
}

class KillSafety : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = lumora::test::scratchDir("lumora-kill");
        fs::create_directories(root_);
        ns::FileSystem::shared().setRoot(root_);
        ASSERT_TRUE(ns::FileSystem::shared().layOutRoot());
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    fs::path root_;
};

TEST_F(KillSafety, PreferencesFileHoldsOneCompleteSaveAfterEveryKill) {
    // The settings screens' keys must survive every save; timerTime counts the saves and
    // timeLapseTime is always twice it, so a mix of two saves would show.
    ns::Dictionary initial{{"rememberSettings", true}, {"ENABLED", true},
                           {"showFPS", false},         {"timerTime", 0},
                           {"timeLapseTime", 0},       {"settingsScreenKey", "kept"}};
    ASSERT_TRUE(ns::writePropertyListAtomically(ns::Value(initial), lumora::preferencesPath()));
    const fs::path file = ns::FileSystem::shared().resolve(lumora::preferencesPath());
    std::mt19937 rng(20261208);
    int lastCount = 0, killsLeavingTemp = 0;
    std::optional<ns::Dictionary> firstSaved;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = startChild({lumora::test::selfPath(), "--save-prefs-forever", root_});
        ASSERT_GT(child, 0);
        const bool saving = waitUntil([&] {
            const auto now = ns::readDictionaryFile(lumora::preferencesPath());
            return now && now->get("timerTime")->intValue().value_or(-1) > lastCount;
        });
        // A save takes a few milliseconds (it flushes to disk): land anywhere in the next few.
        std::this_thread::sleep_for(randomMoment(rng, 15'000));
        killChild(child);
        ASSERT_TRUE(saving) << "kill " << kill << ": the child never saved";

        auto saved = ns::readDictionaryFile(lumora::preferencesPath());
        ASSERT_TRUE(saved) << "kill " << kill << ": the file does not parse";
        const int count = saved->get("timerTime")->intValue().value_or(-1);
        ASSERT_GE(count, lastCount) << "kill " << kill << ": an older version came back";
        ASSERT_EQ(saved->get("timeLapseTime")->intValue(), 2 * count) << "kill " << kill;
        // Apart from the counter, every save writes the same file.
        ns::Dictionary rest = *saved;
        rest.erase("timerTime");
        rest.erase("timeLapseTime");
        if (count > 0 && !firstSaved) firstSaved = rest;
        if (firstSaved) {
            ASSERT_TRUE(rest == *firstSaved) << "kill " << kill << ": keys changed";
        }
        ASSERT_NE(saved->get("settingsScreenKey")->string(), nullptr);
        ASSERT_EQ(*saved->get("settingsScreenKey")->string(), "kept");
        lastCount = count;
        if (countTemps(file.parent_path(), ".tmp-") > 0) ++killsLeavingTemp;
    }
    EXPECT_GT(lastCount, 0) << "no save completed in " << kKills << " runs";
    RecordProperty("saves", lastCount);
    RecordProperty("killsLeavingTemp", killsLeavingTemp);
    std::printf("%d kills, %d saves completed, %d kills found a temporary file left\n", kKills,
                lastCount, killsLeavingTemp);

    // One save that runs to its end clears what the killed ones left.
    std::string output;
    ASSERT_EQ(
        lumora::test::runToEnd({lumora::test::selfPath(), "--save-prefs-once", root_}, output), 0)
        << output;
    EXPECT_EQ(countTemps(file.parent_path(), ".tmp-"), 0);
    EXPECT_EQ(ns::readDictionaryFile(lumora::preferencesPath())->get("timerTime")->intValue(),
              lastCount + 1);
}

TEST_F(KillSafety, PhotoRewrittenInPlaceIsTheOldOrTheNewPhotoAfterEveryKill) {
    const std::string tool = LUMORA_BINARY_DIR "/lumora3";
    // Big enough that a rewrite takes a while; a width of whole blocks, so the flip is lossless
    // and un-mirroring twice gives the same picture back.
    const auto original = lumora::test::withExifOrientation(
        lumora::test::makeJpeg({1008, 600, 3, false, false, 92}), 1);
    const fs::path photo = root_ / "photo.jpg";
    writeBytes(photo, original);

    // The versions a run of rewrites goes through: the first rewrites may settle on new bytes
    // (tables rewritten), after which they alternate between two.
    std::set<std::vector<std::uint8_t>> versions{original};
    std::string output;
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(lumora::test::runToEnd({tool, "photo", "unmirror", "--in-place", photo}, output),
                  0)
            << output;
        versions.insert(readBytes(photo));
    }
    ASSERT_LE(versions.size(), 4u) << "rewrites do not settle";
    writeBytes(photo, original);

    std::mt19937 rng(7);
    int killsLeavingTemp = 0;
    const std::string loop = "while :; do \"$0\" photo unmirror --in-place \"$1\" || exit 3; done";
    for (int kill = 0; kill < kKills; ++kill) {
        const auto before = readBytes(photo);
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = startChild({"/bin/sh", "-c", loop, tool, photo.string()});
        ASSERT_GT(child, 0);
        const bool rewriting = waitUntil([&] { return readBytes(photo) != before; });
        // One run of the tool (start, decode, flip, write) took about as long as the wait: land
        // anywhere in the next one.
        const auto cycle = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start);
        std::this_thread::sleep_for(randomMoment(rng, static_cast<int>(cycle.count())));
        killChild(child);
        ASSERT_TRUE(rewriting) << "kill " << kill << ": the child never rewrote the photo";
        const auto now = readBytes(photo);
        ASSERT_TRUE(versions.count(now)) << "kill " << kill << ": the photo is damaged";
        ASSERT_TRUE(platform::readJpegHeader(now)) << "kill " << kill;
        if (countTemps(root_, "photo.jpg.") > 0) ++killsLeavingTemp;
    }
    std::printf("%d kills, %d found a temporary file left\n", kKills, killsLeavingTemp);
    RecordProperty("killsLeavingTemp", killsLeavingTemp);

    ASSERT_EQ(lumora::test::runToEnd({tool, "photo", "unmirror", "--in-place", photo}, output), 0)
        << output;
    EXPECT_EQ(countTemps(root_, "photo.jpg."), 0);
    EXPECT_TRUE(versions.count(readBytes(photo)));
}

}  // namespace
