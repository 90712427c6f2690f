// Photos taken in the simulated Camera app with the add-on injected, as they land in the photo
// library: compared with the same shot taken without the add-on.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "core/Preferences.h"
#include "core/Startup.h"
#include "core/TweakState.h"
#include "host/CameraApp.h"
#include "photo/PhotoClock.h"
#include "platform/capture/DeviceProfile.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyList.h"
#include "platform/objc/Injection.h"
#include "tests/photo/UprightPixels.h"

using namespace testphotos;

namespace {

// Red stamp pixels (the scene has a red ball too, so counts are compared with and without the
// add-on) in the lower-left quarter of the upright picture.
long redInLowerLeft(const Upright& u) {
    long count = 0;
    for (int uy = u.height() * 3 / 4; uy < u.height(); ++uy) {
        for (int ux = 0; ux < u.width() / 2; ++ux) {
            if (u.at(ux, uy, 2) > 170 && u.at(ux, uy, 1) < 110 && u.at(ux, uy, 0) < 110) ++count;
        }
    }
    return count;
}

class SavedPhotoEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ =
            (std::filesystem::temp_directory_path() / "lumora-photo-XXXXXX").string();
        ASSERT_NE(mkdtemp(templ.data()), nullptr);
        root_ = templ;
        ns::FileSystem::shared().setRoot(root_);
        ASSERT_TRUE(ns::FileSystem::shared().layOutRoot());
        objc::Injection::shared().uninstallAll();
        lumora::registerAddOn();
        lumora::setPhotoClock([] {
            return std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} + std::chrono::hours{12};
        });

        auto loaded = platform::loadDeviceProfile(std::filesystem::path(LUMORA_SOURCE_DIR) /
                                                  "data" / "devices" / "iphone6.json");
        ASSERT_TRUE(loaded) << loaded.error().describe();
        profile_ = loaded.value();
        // Small stills keep the saving path quick (also under the thread sanitizer).
        ASSERT_TRUE(profile_.back && profile_.front);
        profile_.back->stillSize = {1280, 960};
        profile_.front->stillSize = {640, 480};
    }

    void TearDown() override {
        app_.kill();
        objc::Injection::shared().uninstallAll();
        lumora::setPhotoClock(nullptr);
        lumora::resetState();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    void writePrefs(const ns::Dictionary& prefs) {
        ASSERT_TRUE(ns::FileSystem::shared().createDirectory("/User/Library/Preferences", true));
        ASSERT_TRUE(ns::writePropertyListAtomically(ns::Value(prefs), lumora::preferencesPath()));
    }

    // Launches the camera (with or without the add-on), takes one photo held as `orientation`
    // (1 portrait, 3 landscape) and returns it as stored, seen upright. With `flipAfterShot` the
    // user switches cameras right after the shutter, before the photo is saved.
    Upright shoot(bool addOn, long camera, long orientation = 1, bool flipAfterShot = false) {
        host::LaunchOptions options;
        options.runInjection = addOn;
        options.cameraDevice = camera;
        app_.launch(profile_, options);
        EXPECT_TRUE(app_.isRunning());
        app_.rotate(orientation);
        app_.runFor(0.5);
        const std::size_t before = app_.savedPhotos().size();
        app_.tapShutter();
        if (flipAfterShot) {
            app_.flip();
            EXPECT_EQ(app_.savedPhotos().size(), before) << "the photo was saved before the flip";
        }
        app_.settle();
        const auto saved = app_.savedPhotos();
        EXPECT_EQ(saved.size(), before + 1);
        if (saved.size() != before + 1) return {};
        const auto bytes = ns::FileSystem::shared().readFile(saved.back());
        EXPECT_TRUE(bytes);
        if (!bytes) return {};
        const int tag = platform::readExifOrientation(*bytes).value_or(1);
        auto u = upright(*bytes, tag);
        EXPECT_TRUE(u);
        return u ? std::move(*u) : Upright{};
    }

    std::filesystem::path root_;
    platform::DeviceProfile profile_;
    host::CameraApp app_;
};

}  // namespace

TEST_F(SavedPhotoEndToEnd, SelfieIsStoredMirroredRelativeToTheHostsPhoto) {
    writePrefs(ns::Dictionary{{"unMirrorSelfies", true},
                              {"timeStampVisible", true},
                              {"rememberSettings", true},
                              {"timeStampVisibleAndPlace", true}});
    const Upright host = shoot(false, 1);
    const Upright ours = shoot(true, 1);
    ASSERT_EQ(host.width(), 480);
    ASSERT_EQ(ours.width(), host.width());
    ASSERT_EQ(ours.height(), host.height());
    const double mirrored = mirroredDifference(host, ours).mean;
    const double plain = meanDifference(host.image, ours.image);
    EXPECT_LT(mirrored, 1.0);
    EXPECT_GT(plain, 5.0);
    // Un-mirrored selfies carry no stamp even with stamps on.
    EXPECT_LE(redInLowerLeft(ours), redInLowerLeft(host) + 5);
}

// The camera that took the photo decides, not the one in use when the saving thread gets to it.
TEST_F(SavedPhotoEndToEnd, CamerasSwitchedBetweenShotAndSaveDoNotChangeTheUnmirroring) {
    writePrefs(ns::Dictionary{{"unMirrorSelfies", true}});
    const Upright hostSelfie = shoot(false, 1, 1, true);
    const Upright ourSelfie = shoot(true, 1, 1, true);
    ASSERT_EQ(ourSelfie.width(), hostSelfie.width());
    EXPECT_LT(mirroredDifference(hostSelfie, ourSelfie).mean, 1.0) << "selfie left mirrored";
    EXPECT_GT(meanDifference(hostSelfie.image, ourSelfie.image), 5.0);

    const Upright hostBack = shoot(false, 0, 1, true);
    const Upright ourBack = shoot(true, 0, 1, true);
    ASSERT_EQ(ourBack.width(), hostBack.width());
    EXPECT_LT(meanDifference(hostBack.image, ourBack.image), 1.0) << "back photo mirrored";
}

TEST_F(SavedPhotoEndToEnd, SelfieIsLeftAsTheHostMadeItWithUnmirroringOff) {
    const Upright host = shoot(false, 1);
    const Upright ours = shoot(true, 1);
    ASSERT_EQ(ours.width(), host.width());
    EXPECT_LT(meanDifference(host.image, ours.image), 1.0);
}

TEST_F(SavedPhotoEndToEnd, BackCameraPhotoCarriesARedStampAtTheLowerLeft) {
    writePrefs(ns::Dictionary{{"unMirrorSelfies", true},
                              {"timeStampVisible", true},
                              {"rememberSettings", true},
                              {"timeStampVisibleAndPlace", true}});
    for (long orientation : {1L, 3L}) {
        SCOPED_TRACE(orientation);
        const Upright host = shoot(false, 0, orientation);
        const Upright ours = shoot(true, 0, orientation);
        ASSERT_EQ(ours.width(), host.width());
        EXPECT_EQ(ours.width(), orientation == 1 ? 960 : 1280);
        EXPECT_GT(redInLowerLeft(ours), redInLowerLeft(host) + 100);
        // Away from the stamp the picture is the host's.
        EXPECT_LT(meanDifference(host.image, ours.image), 1.5);
    }
}

TEST_F(SavedPhotoEndToEnd, StampNeedsRememberedSettings) {
    // "timeStampVisibleAndPlace" is only read while settings are remembered.
    writePrefs(ns::Dictionary{{"timeStampVisible", true}, {"timeStampVisibleAndPlace", true}});
    const Upright host = shoot(false, 0);
    const Upright ours = shoot(true, 0);
    EXPECT_LT(meanDifference(host.image, ours.image), 1.0);
}

TEST_F(SavedPhotoEndToEnd, PhotosSavedWhileABurstRunsAreNotStamped) {
    writePrefs(ns::Dictionary{{"timeStampVisible", true},
                              {"rememberSettings", true},
                              {"timeStampVisibleAndPlace", true}});
    const long unstamped = redInLowerLeft(shoot(false, 0));
    app_.launch(profile_);
    app_.startBurst();
    // The saving queue is drained as time moves: the burst's first shots are stored by now.
    app_.runFor(0.45);
    const auto saved = app_.savedPhotos();
    ASSERT_GE(saved.size(), 4u);  // the host's photo and at least three of the burst
    for (std::size_t i = 1; i < saved.size(); ++i) {
        SCOPED_TRACE(saved[i]);
        const auto bytes = ns::FileSystem::shared().readFile(saved[i]);
        ASSERT_TRUE(bytes);
        auto u = upright(*bytes, platform::readExifOrientation(*bytes).value_or(1));
        ASSERT_TRUE(u);
        EXPECT_LE(redInLowerLeft(*u), unstamped + 5);
    }
    app_.stopBurst();
    app_.settle();
}
