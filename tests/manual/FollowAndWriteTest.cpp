// Rulers and the camera: an untouched ruler follows the camera without writing, a dragged one
// writes without feedback, writes the camera would refuse never reach it, and the observer and
// the page-scroll freeze stay tied to live objects.

#include <vector>

#include "ManualTestSupport.h"
#include "core/TweakState.h"
#include "manual/CameraBarAccess.h"
#include "manual/LensPositionViewController.h"
#include "platform/capture/ConfigurationGuards.h"
#include "platform/ui/UIScrollView.h"

namespace manualtest {
namespace {

using lumora::DialScrollview;

// Records the new values of one key path of the camera, in order.
class ValueRecorder : public NSObject, public NSKeyValueObserving {
public:
    void observeValueForKeyPath(const std::string&, NSObject*, const NSKeyValueChange& change,
                                void*) override {
        if (change.newValue) values.push_back(*change.newValue);
    }
    std::vector<double> values;
};

class Rulers : public ManualOnHost {
protected:
    std::shared_ptr<ValueRecorder> record(const char* keyPath) {
        auto r = std::make_shared<ValueRecorder>();
        device().addObserver(r, keyPath, NSKeyValueObservingOptionNew, nullptr);
        recorders_.push_back({r, keyPath});
        return r;
    }
    void TearDown() override {
        for (auto& [r, keyPath] : recorders_) {
            if (app_.captureController()) device().removeObserver(r.get(), keyPath);
        }
        ManualOnHost::TearDown();
    }
    std::vector<std::pair<std::shared_ptr<ValueRecorder>, const char*>> recorders_;
};

TEST_F(Rulers, UntouchedLensRulerFollowsTheCamerasOwnFocusWithoutWriting) {
    launch("iphone6", 0);
    openToolPage();
    tapView(*tools().customDrawButtonFocus());
    DialScrollview* lens = tools().dialScrollviewLensPosition();
    ASSERT_NE(lens, nullptr);
    const int locks = device().successfulLockCount();
    for (double metres : {0.15, 0.5, 10.0}) {
        app_.setScene(8, metres);
        app_.runFor(1.5);
        EXPECT_NEAR(lens->scroll()->contentOffset().x, device().lensPosition() * 150, 0.01)
            << metres;
    }
    EXPECT_LT(device().lensPosition(), 1.0f);
    EXPECT_EQ(lens->deviceWrites(), 0);
    EXPECT_EQ(device().focusMode(), AVCaptureFocusModeContinuousAutoFocus);
    EXPECT_EQ(device().successfulLockCount(), locks);
}

TEST_F(Rulers, DraggedIsoRulerWritesEachValueOnceAndIsNotPulledBack) {
    launch("iphone6", 0);
    openToolPage();
    tapView(*tools().customDrawButtonExposure());
    DialScrollview* iso = tools().dialScrollviewISO();
    ASSERT_NE(iso, nullptr);
    const auto written = record("ISO");
    const double start = iso->scroll()->contentOffset().x;
    dragRuler(*iso, -200);  // content moves left: higher ISO
    app_.runFor(1.0);
    const double end = iso->scroll()->contentOffset().x;
    EXPECT_GT(end, start + 200);  // carried on after release
    // One write per ISO value crossed, rising only, never undone by the observer.
    ASSERT_FALSE(written->values.empty());
    EXPECT_EQ(static_cast<int>(written->values.size()), iso->deviceWrites());
    EXPECT_LE(iso->deviceWrites(), static_cast<int>(iso->isoList().size()));
    for (std::size_t i = 1; i < written->values.size(); ++i) {
        EXPECT_GT(written->values[i], written->values[i - 1]);
    }
    EXPECT_EQ(device().exposureMode(), AVCaptureExposureModeCustom);
    EXPECT_EQ(readout(*iso), " ISO " + std::to_string(static_cast<int>(device().ISO())) + "  ");
    EXPECT_TRUE(tools().skipISOObserverCallback());
    EXPECT_EQ(iso->scroll()->contentOffset().x, end);
    EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
    std::printf("[ device writes for one ISO drag: %d ]\n", iso->deviceWrites());
}

// The camera's automatic ISO changes while the lens is dragged: the lens keeps being written.
TEST_F(Rulers, CameraIsoChangesDuringALensDragDoNotStopLensWrites) {
    launch("iphone6", 0);
    openToolPage();
    tapView(*tools().customDrawButtonExposure());  // the ISO ruler exists
    tapView(*tools().customDrawButtonFocus());
    DialScrollview* lens = tools().dialScrollviewLensPosition();
    ASSERT_NE(lens, nullptr);
    const auto isoChanges = record("ISO");
    const auto lensWrites = record("lensPosition");
    app_.setScene(3, 2);  // darker: automatic exposure raises ISO during the drag
    dragRuler(*lens, 60, 30);
    app_.runFor(1.0);
    EXPECT_GT(isoChanges->values.size(), 3u);
    EXPECT_GT(lens->deviceWrites(), 10);
    EXPECT_LE(lens->deviceWrites(), static_cast<int>(lensWrites->values.size()));
    EXPECT_EQ(device().focusMode(), AVCaptureFocusModeLocked);
    EXPECT_FLOAT_EQ(
        device().lensPosition(),
        DialScrollview::convertToLensRange(static_cast<float>(lens->scroll()->contentOffset().x)));
    EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
    std::printf("[ device writes for one lens drag: %d ]\n", lens->deviceWrites());
}

platform::DeviceProfile withBackFormats(float minISO, float maxISO, double maxSeconds,
                                        bool custom = true) {
    platform::DeviceProfile p = profile("iphone6");
    for (auto& f : p.back->formats) {
        f.minISO = minISO;
        f.maxISO = maxISO;
        f.maxExposureSeconds = maxSeconds;
    }
    if (!custom) p.back->exposureModes = {0, 1, 2};
    return p;
}

// Drags the exposure rulers to their slow / low ends on a camera built from `p`.
struct LowEnds {
    std::string iso, shutter;
    int writes;
};

class RefusedWrites : public Rulers {
protected:
    LowEnds dragToLowEnds(const platform::DeviceProfile& p) {
        launch("", 0, &p);
        openToolPage();
        tapView(*tools().customDrawButtonExposure());
        DialScrollview* iso = tools().dialScrollviewISO();
        DialScrollview* shutter = tools().dialScrollviewShutterspeed();
        EXPECT_TRUE(iso && shutter);
        if (!iso || !shutter) return {};
        dragRuler(*iso, 400);
        app_.runFor(1.0);
        dragRuler(*shutter, 400);
        app_.runFor(1.0);
        EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
        return {readout(*iso), readout(*shutter), iso->deviceWrites() + shutter->deviceWrites()};
    }
};

TEST_F(RefusedWrites, FormatLimitsAreKeptAndUnsupportedWritesSkipped) {
    // A fractional minimum above 320 rounds up; the 0.2 s format limits 1/2 s to 1/5 s.
    auto ends = dragToLowEnds(withBackFormats(400.5f, 1000, 0.2));
    EXPECT_EQ(ends.iso, " ISO 401  ");
    EXPECT_EQ(ends.shutter, " 1/5 s  ");
    EXPECT_GT(ends.writes, 0);
    EXPECT_EQ(device().ISO(), 401);
    EXPECT_NEAR(CMTimeGetSeconds(device().exposureDuration()), 0.2, 1e-9);
}

TEST_F(RefusedWrites, NoIsoValuesMeansNoWriteAndNoReadout) {
    auto ends = dragToLowEnds(withBackFormats(260, 300, 0.5));
    EXPECT_TRUE(tools().dialScrollviewISO()->isoList().empty());
    EXPECT_EQ(ends.iso, "");
    EXPECT_EQ(ends.shutter, " 1/2 s  ");
    EXPECT_EQ(tools().dialScrollviewISO()->deviceWrites(), 0);
}

TEST_F(RefusedWrites, NoCustomExposureMeansNoWrites) {
    auto ends = dragToLowEnds(withBackFormats(29, 1856, 0.5, false));
    EXPECT_EQ(ends.writes, 0);
    EXPECT_EQ(ends.shutter, " 1/2 s  ");
    EXPECT_EQ(device().exposureMode(), AVCaptureExposureModeContinuousAutoExposure);
}

TEST_F(RefusedWrites, RefusedLockWritesNothingButTheReadoutMoves) {
    launch("iphone6", 0);
    openToolPage();
    tapView(*tools().customDrawButtonExposure());
    device().setLockForConfigurationFails(true);
    DialScrollview* iso = tools().dialScrollviewISO();
    dragRuler(*iso, 400);
    app_.runFor(1.0);
    EXPECT_EQ(readout(*iso), " ISO 40  ");
    EXPECT_EQ(iso->deviceWrites(), 0);
    EXPECT_NE(device().exposureMode(), AVCaptureExposureModeCustom);
    EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
}

TEST_F(RefusedWrites, FrontCameraLensRulerWritesNothing) {
    host::LaunchOptions options;
    options.cameraDevice = 1;
    app_.launch(profile("iphone6"), options);
    app_.runFor(1.0);
    openToolPage();
    tapView(*tools().customDrawButtonFocus());
    DialScrollview* lens = tools().dialScrollviewLensPosition();
    ASSERT_NE(lens, nullptr);
    dragRuler(*lens, 60);
    app_.runFor(1.0);
    EXPECT_EQ(lens->deviceWrites(), 0);
    EXPECT_EQ(device().faultCount(), 0) << device().lastFault();
}

TEST_F(ManualOnHost, ObserverIsAddedAndRemovedOnTheRecordedCameraOnly) {
    launch("iphone6", 0);
    openToolPage();
    auto* observer = lumora::LensPositionViewController::shared();
    ASSERT_NE(observer, nullptr);
    const auto cameras = AVCaptureDevice::devices();
    ASSERT_EQ(cameras.size(), 2u);
    const auto& back =
        cameras[0]->position() == AVCaptureDevicePositionBack ? cameras[0] : cameras[1];
    const auto& front = back == cameras[0] ? cameras[1] : cameras[0];
    auto counts = [&] {
        std::vector<std::size_t> c;
        for (const auto& d : {back, front}) {
            for (const char* k : {"lensPosition", "ISO", "exposureDuration"}) {
                c.push_back(d->observerCount(k));
            }
        }
        return c;
    };
    using V = std::vector<std::size_t>;
    EXPECT_EQ(counts(), (V{1, 1, 1, 0, 0, 0}));
    observer->addLensPositionObserver(front);  // a flip
    EXPECT_EQ(counts(), (V{0, 0, 0, 1, 1, 1}));
    observer->addLensPositionObserver(front);  // the same camera again
    observer->removeLensPositionObserver(back.get());
    EXPECT_EQ(counts(), (V{0, 0, 0, 1, 1, 1}));
    observer->addLensPositionObserver(back);  // flipped back
    EXPECT_EQ(counts(), (V{1, 1, 1, 0, 0, 0}));
    lumora::hideAndDestroyLensPositionViewController();
    EXPECT_EQ(counts(), (V{0, 0, 0, 0, 0, 0}));
    app_.setScene(2, 0.2);  // changes nobody hears any more
    app_.runFor(1.0);
}

TEST_F(ManualOnHost, RulerGoingWhileThePageIsFrozenThawsIt) {
    launch("iphone6", 0);
    openToolPage();
    tapView(*tools().customDrawButtonFocus());
    UIScrollView* strip = lumora::cameraBarScrollview();
    DialScrollview* lens = tools().dialScrollviewLensPosition();
    lens->scroll()->setContentOffset(CGPointMake(30, 0));
    EXPECT_FALSE(strip->isScrollEnabled());
    lumora::state().focusAndExposureToolController.reset();  // the tools go inside 0.2 s
    EXPECT_TRUE(strip->isScrollEnabled());
    app_.runFor(1.0);
    EXPECT_TRUE(strip->isScrollEnabled());
}

}  // namespace
}  // namespace manualtest
