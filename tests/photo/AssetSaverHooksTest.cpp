// The asset saver's replacements against a stand-in host saver: which photos are rewritten, what
// the host's method receives, and that it runs exactly once whatever happens to the photo.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "core/HookTable.h"
#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "photo/PhotoClock.h"
#include "photo/PhotoRewrite.h"
#include "photo/SavedPhoto.h"
#include "platform/foundation/Locale.h"
#include "platform/media/IOSurface.h"
#include "tests/photo/UprightPixels.h"
#include "tests/support/AddOnProcess.h"
#include "tests/support/FakeCaptureController.h"

using namespace lumora;
using namespace testphotos;

namespace {

namespace as = hostsel::CAMAssetSaver;
using QueueJob = as::
    queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient;

const auto kWhen = std::chrono::sys_days{std::chrono::year{2026} / 12 / 7} + std::chrono::hours{12};

// What the host's queueJob implementation was given. It keeps (retains) the surface, as a
// photo library that stores it later would.
struct QueuedJob {
    ns::Dictionary job;
    id asset = nullptr;
    platform::IOSurfacePtr image;
    IOSurfaceRef preview = nullptr;
    bool transient = false;
};

class FakeSaver : public CAMAssetSaver {
public:
    std::vector<QueuedJob> queued;
    int saveCalls = 0;
    int imageJobCalls = 0;
    id response = nullptr;
    id answer = nullptr;
};

void hostSave(id self, SEL, id response, hostapi::RequestEnqueuedBlock enqueued,
              hostapi::SaveCompletionBlock completion) {
    auto* saver = static_cast<FakeSaver*>(self);
    ++saver->saveCalls;
    saver->response = response;
    if (enqueued) enqueued();
    if (completion) completion(true);
}

id hostImageJob(id self, SEL, id response) {
    auto* saver = static_cast<FakeSaver*>(self);
    ++saver->imageJobCalls;
    saver->response = response;
    return saver->answer;
}

void hostQueueJob(id self, SEL, ns::Dictionary* job, id asset, hostapi::RequestEnqueuedBlock,
                  hostapi::SaveCompletionBlock completion, IOSurfaceRef image, IOSurfaceRef preview,
                  bool transient) {
    auto* saver = static_cast<FakeSaver*>(self);
    saver->queued.push_back({job ? *job : ns::Dictionary{}, asset, platform::retainIOSurface(image),
                             preview, transient});
    if (completion) completion(true);
}

platform::Bytes bytesOf(IOSurfaceRef surface) {
    const auto* base = static_cast<const std::uint8_t*>(IOSurfaceGetBaseAddress(surface));
    return base ? platform::Bytes(base, base + IOSurfaceGetAllocSize(surface)) : platform::Bytes{};
}

// A JPEG whose frame header declares 65535 x 65535 pixels.
platform::Bytes overThePixelLimit(platform::Bytes jpeg) {
    for (std::size_t i = 2; i + 8 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            std::memset(&jpeg[i + 5], 0xFF, 4);
            break;
        }
    }
    return jpeg;
}

class AssetSaverHooks : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::launchProcess("com.apple.camera");
        testsupport::registerSharedCaptureController(&controller_);
        objc::Class* cls = objc::Runtime::current().registerClass("CAMAssetSaver");
        objc::addMethod<void, id, hostapi::RequestEnqueuedBlock, hostapi::SaveCompletionBlock>(
            cls, as::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock::name,
            &hostSave);
        objc::addMethod<id, id>(cls, as::_imageJobForStillImageCaptureResponse::name,
                                &hostImageJob);
        objc::addMethod<void, ns::Dictionary*, id, hostapi::RequestEnqueuedBlock,
                        hostapi::SaveCompletionBlock, IOSurfaceRef, IOSurfaceRef, bool>(
            cls, QueueJob::name, &hostQueueJob);
        // The asset saver's rows of the hook table, as start-up installs them.
        int rows = 0;
        for (const HookRow& row : hookTable()) {
            if (std::string_view(row.className) != "CAMAssetSaver") continue;
            ASSERT_EQ(row.install(cls), objc::HookResult::Replaced) << row.selector;
            ++rows;
        }
        ASSERT_EQ(rows, 3);
        setPhotoClock([] { return kWhen; });
        NSLocale::setCurrentLocaleIdentifier("en_US");
    }

    void TearDown() override {
        setPhotoClock(nullptr);
        NSLocale::setCurrentLocaleIdentifier("en_US");
        testsupport::setSharedCaptureController(nullptr);
        testsupport::endProcess();
    }

    void settings(bool unmirror, bool stampVisible, bool stampPlace, bool burst = false) {
        state().unMirrorSelfies = unmirror;
        state().timeStampVisible = stampVisible;
        state().timeStampVisibleAndPlace = stampPlace;
        state().isBursting = burst;
    }

    // Queues one photo as the host does: a job with its orientation and size, the photo surface
    // and a preview. Returns what the host's method received (and checks it ran once).
    QueuedJob queue(const platform::Bytes& jpeg, std::optional<int> orientation = 6) {
        job_ = ns::Dictionary{};
        if (orientation) job_.set(kImageOrientationKey, static_cast<long>(*orientation));
        job_.set(kPhotoSurfaceSizeKey, static_cast<long>(jpeg.size()));
        job_.set("CaptureNumber", 7L);
        image_ = platform::makeIOSurfaceWithBytes(jpeg.data(), jpeg.size());
        completions_ = 0;
        saver_.queued.clear();
        objc::send<QueueJob>(
            &saver_, &job_, &asset_, hostapi::RequestEnqueuedBlock{},
            [this](bool) { ++completions_; }, image_.get(), preview_.get(), true);
        EXPECT_EQ(saver_.queued.size(), 1u);
        EXPECT_EQ(completions_, 1);
        if (saver_.queued.empty()) return {};
        const QueuedJob& got = saver_.queued.front();
        EXPECT_EQ(got.asset, &asset_);
        EXPECT_EQ(got.preview, preview_.get());
        EXPECT_TRUE(got.transient);
        EXPECT_EQ(got.job.get("CaptureNumber")->intValue(), 7);
        // The host's surface is never written to.
        EXPECT_EQ(bytesOf(image_.get()), jpeg);
        return got;
    }

    // The host was handed its own surface and an unchanged job.
    void expectUntouched(const QueuedJob& got, const platform::Bytes& jpeg) {
        EXPECT_EQ(got.image.get(), image_.get());
        EXPECT_EQ(got.job.get(kPhotoSurfaceSizeKey)->longLongValue(),
                  static_cast<long long>(jpeg.size()));
    }

    // The host was handed a new surface holding exactly `expected`, sized by the job.
    void expectReplacedBy(const QueuedJob& got, const platform::Bytes& expected) {
        ASSERT_TRUE(got.image);
        EXPECT_NE(got.image.get(), image_.get());
        EXPECT_EQ(bytesOf(got.image.get()), expected);
        EXPECT_EQ(got.job.get(kPhotoSurfaceSizeKey)->longLongValue(),
                  static_cast<long long>(expected.size()));
        // Only the host's own reference is left: the add-on released the one it made.
        EXPECT_EQ(CFGetRetainCount(got.image.get()), 1);
    }

    std::string text(bool includeTime = false) const {
        return timeStampText(kWhen, {includeTime, NSLocale::currentLocaleIdentifier(), ""});
    }

    testsupport::FakeCaptureController controller_;
    FakeSaver saver_;
    NSObject asset_;
    ns::Dictionary job_;
    platform::IOSurfacePtr image_;
    platform::IOSurfacePtr preview_ = platform::makeIOSurfaceWithBytes("p", 1);
    int completions_ = 0;
};

}  // namespace

TEST_F(AssetSaverHooks, FrontCameraPhotoIsUnmirroredAndNeverStamped) {
    const auto photo = generated(320, 240, 6);
    controller_.device = 1;
    settings(true, true, true);
    const QueuedJob got = queue(photo);
    expectReplacedBy(got, unmirrorPhoto(photo, 6).value());
    auto before = upright(photo, 6), after = upright(bytesOf(got.image.get()), 6);
    ASSERT_TRUE(before && after);
    EXPECT_LT(mirroredDifference(*before, *after).mean, 2.0);
    EXPECT_GT(meanDifference(before->image, after->image), 20.0);
}

TEST_F(AssetSaverHooks, BackCameraPhotoCarriesTheStampOfTheClockInTheCurrentLocale) {
    const auto photo = grey(320, 240, 6);
    controller_.device = 0;
    settings(true, true, true);
    expectReplacedBy(queue(photo), stampPhoto(photo, 6, text()).value());

    state().timestampIncludeTime = true;
    ASSERT_NE(text(true), text());
    expectReplacedBy(queue(photo), stampPhoto(photo, 6, text(true)).value());

    state().timestampIncludeTime = false;
    NSLocale::setCurrentLocaleIdentifier("fr_FR");
    ASSERT_EQ(text(), "07/12/2026");
    expectReplacedBy(queue(photo), stampPhoto(photo, 6, "07/12/2026").value());
}

TEST_F(AssetSaverHooks, FrontCameraPhotoIsStampedWhenUnmirroringIsOff) {
    const auto photo = grey(320, 240, 8);
    controller_.device = 1;
    settings(false, true, true);
    expectReplacedBy(queue(photo, 8), stampPhoto(photo, 8, text()).value());
}

TEST_F(AssetSaverHooks, BurstsAndIncompleteStampSettingsPassThrough) {
    const auto photo = grey(320, 240, 6);
    controller_.device = 0;
    settings(true, true, true, /*burst=*/true);
    expectUntouched(queue(photo), photo);
    settings(true, true, false);
    expectUntouched(queue(photo), photo);
    settings(true, false, true);
    expectUntouched(queue(photo), photo);
    settings(false, false, false);
    controller_.device = 1;
    expectUntouched(queue(photo), photo);
}

TEST_F(AssetSaverHooks, OrientationComesFromTheJobOrElseThePhoto) {
    const auto photo = grey(320, 240, 6);
    controller_.device = 0;
    settings(false, true, true);
    // The job's tag wins over the file's.
    expectReplacedBy(queue(photo, 3), stampPhoto(photo, 3, text()).value());
    // Without one, the file's own tag.
    expectReplacedBy(queue(photo, std::nullopt), stampPhoto(photo, 6, text()).value());
    // Orientations that carry no stamp keep the photo as it is.
    for (int tag : {0, 2, 5, 9}) expectUntouched(queue(photo, tag), photo);
}

TEST_F(AssetSaverHooks, BadBytesReachTheHostUntouchedOnBothPaths) {
    const auto good = generated(320, 240, 6);
    std::vector<platform::Bytes> bad = {
        platform::Bytes(2000, 0x42),
        platform::Bytes(good.begin(), good.begin() + static_cast<long>(good.size() / 3)),
        overThePixelLimit(good),
    };
    bad.push_back(load("invalid/corrupted.jpg"));  // truncated scan data
    for (long camera : {0L, 1L}) {
        controller_.device = camera;
        settings(true, true, true);
        for (std::size_t i = 0; i < bad.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "camera " << camera << " input " << i);
            if (bad[i].empty()) continue;  // a surface cannot be empty
            expectUntouched(queue(bad[i]), bad[i]);
        }
    }
}

TEST_F(AssetSaverHooks, EveryBrokenSampleIsSavedAsAReadablePhotoOrLeftAlone) {
    controller_.device = 0;
    settings(false, true, true);
    for (const auto& path : invalidFiles()) {
        SCOPED_TRACE(path.filename().string());
        const auto bytes = readFile(path);
        if (bytes.empty()) continue;
        const QueuedJob got = queue(bytes);
        if (got.image.get() != image_.get()) {
            EXPECT_TRUE(platform::decodeJpeg(bytesOf(got.image.get())));
        }
    }
}

TEST_F(AssetSaverHooks, ASurfaceLargerThanItsPhotoIsReadToTheJobsSize) {
    const auto photo = grey(320, 240, 6);
    auto padded = photo;
    padded.resize(photo.size() + 4096, 0xAB);
    controller_.device = 0;
    settings(false, true, true);
    job_ = ns::Dictionary{{kImageOrientationKey, 6L},
                          {kPhotoSurfaceSizeKey, static_cast<long>(photo.size())}};
    image_ = platform::makeIOSurfaceWithBytes(padded.data(), padded.size());
    objc::send<QueueJob>(&saver_, &job_, &asset_, hostapi::RequestEnqueuedBlock{},
                         hostapi::SaveCompletionBlock{}, image_.get(), nullptr, false);
    ASSERT_EQ(saver_.queued.size(), 1u);
    expectReplacedBy(saver_.queued.front(), stampPhoto(photo, 6, text()).value());
}

TEST_F(AssetSaverHooks, NoSurfaceOrNoJobStillCallsTheHostOnce) {
    controller_.device = 1;
    settings(true, true, true);
    objc::send<QueueJob>(&saver_, nullptr, nullptr, hostapi::RequestEnqueuedBlock{},
                         hostapi::SaveCompletionBlock{}, nullptr, nullptr, false);
    ASSERT_EQ(saver_.queued.size(), 1u);
    EXPECT_EQ(saver_.queued.front().image, nullptr);

    // A job without a dictionary is still rewritten from the photo's own tag.
    const auto photo = generated(320, 240, 6);
    image_ = platform::makeIOSurfaceWithBytes(photo.data(), photo.size());
    objc::send<QueueJob>(&saver_, nullptr, nullptr, hostapi::RequestEnqueuedBlock{},
                         hostapi::SaveCompletionBlock{}, image_.get(), nullptr, false);
    ASSERT_EQ(saver_.queued.size(), 2u);
    EXPECT_EQ(bytesOf(saver_.queued.back().image.get()), unmirrorPhoto(photo, 6).value());
}

TEST_F(AssetSaverHooks, ImageJobClearsCapturingPhotoAndAnswersTheHostsJob) {
    NSObject response, answer;
    saver_.answer = &answer;
    state().capturingPhoto = true;
    EXPECT_EQ(objc::send<as::_imageJobForStillImageCaptureResponse>(&saver_, &response), &answer);
    EXPECT_FALSE(state().capturingPhoto);
    EXPECT_EQ(saver_.imageJobCalls, 1);
    EXPECT_EQ(saver_.response, &response);
}

TEST_F(AssetSaverHooks, SaveResponsePassesEverythingOn) {
    NSObject response;
    int enqueued = 0, completed = 0;
    objc::send<as::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock>(
        &saver_, &response, [&] { ++enqueued; }, [&](bool ok) { completed += ok ? 1 : 100; });
    EXPECT_EQ(saver_.saveCalls, 1);
    EXPECT_EQ(saver_.response, &response);
    EXPECT_EQ(enqueued, 1);
    EXPECT_EQ(completed, 1);
}

TEST(PhotoClock, WallClockUnlessOneIsSet) {
    const auto before = std::chrono::system_clock::now();
    const auto now = photoNow();
    EXPECT_GE(now, before);
    setPhotoClock([] { return kWhen; });
    EXPECT_EQ(photoNow(), kWhen);
    setPhotoClock(nullptr);
    EXPECT_GE(photoNow(), now);
}
