#include "FormatsTestSupport.h"

#include <cmath>

#include "core/Preferences.h"
#include "core/Startup.h"
#include "core/TweakState.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/CaptureHardware.h"
#include "platform/capture/ConfigurationGuards.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runloop/RunLoop.h"
#include "tests/support/AddOnProcess.h"
#include "tests/support/DeviceRoot.h"

namespace formatstest {

namespace {

std::shared_ptr<NSObject> makeHostSlalomView(objc::Class*, SEL, CGRect frame) {
    auto view = std::make_shared<FakeHostSlalomView>();
    view->setFrame(frame);
    return view;
}

}  // namespace

std::shared_ptr<AVCaptureDevice> FakeCaptureController::currentDevice() const {
    const AVCaptureDevicePosition wanted =
        device == 1 ? AVCaptureDevicePositionFront : AVCaptureDevicePositionBack;
    for (const auto& d : devices) {
        if (d->position() == wanted) return d;
    }
    return nullptr;
}

void FakeCaptureController::useCamera(long c) {
    device = c;
    for (auto input : std::vector(session->inputs())) session->removeInput(input);
    if (auto input = AVCaptureDeviceInput::deviceInputWithDevice(currentDevice())) {
        session->addInput(input);
    }
    if (session->canAddOutput(output)) session->addOutput(output);
}

void FormatsTest::SetUp() {
    root_ = testsupport::makeDeviceRoot("lumora-formats");
    ASSERT_FALSE(root_.empty());
    testsupport::installTranslations();
    NSLocale::setPreferredLanguages({"en"});
}

void FormatsTest::TearDown() {
    testsupport::endProcess();
    testsupport::setSharedCaptureController(nullptr);
    controller_.reset();
    platform::CaptureHardware::uninstall();
    platform::Device::reset();
    NSLocale::setPreferredLanguages({"en"});
    testsupport::removeDeviceRoot(root_);
}

void FormatsTest::useModel(const std::string& name, bool displayZoom,
                           const platform::CaptureDeviceFaults& faults) {
    useProfile(profile(name), displayZoom, faults);
}

void FormatsTest::useProfile(const platform::DeviceProfile& p, bool displayZoom,
                             const platform::CaptureDeviceFaults& faults) {
    platform::installDeviceProfile(p, displayZoom, faults);
    // Any app but the camera: the add-on's constructor then loads the translations and sets the
    // device flags, and installs no hooks.
    testsupport::launchProcess("com.example.formats");
    Lumora3Initialize();
    lumora::InitVariables();
    lumora::state().sessionHasStarted = true;

    controller_ = std::make_shared<FakeCaptureController>();
    controller_->devices = AVCaptureDevice::devices();
    controller_->useCamera(0);
    testsupport::registerSharedCaptureController(controller_.get());
}

void FormatsTest::removeController() {
    testsupport::setSharedCaptureController(nullptr);
}

void FormatsTest::addHostViews() {
    const CGRect screen = UIScreen::mainScreen().bounds();
    bottomBar_ = std::make_shared<FakeBottomBar>();
    bottomBar_->setFrame(CGRectMake(0, screen.size.height - 96, screen.size.width, 96));
    topBar_ = std::make_shared<FakeTopBar>();
    topBar_->setFrame(CGRectMake(0, 0, screen.size.width, 40));
    cameraBar_ = std::make_shared<FakeCameraBar>();
    stabilizationBtn_ = std::make_shared<lumora::CustomDrawButton>();
    stabilizationBtn_->setTag(9);
    stabilizationBtn_->setDrawFlow(99);  // no mode shown yet
    wbBtn_ = std::make_shared<UIButton>();
    auto& s = lumora::state();
    s._CAMBottomBar = bottomBar_;
    s._CAMTopBar = topBar_;
    s.cameraBar = cameraBar_;
    s.modeToggleStabilizationBtn = stabilizationBtn_;
    s.modeWBBtn = wbBtn_;
}

void FormatsTest::registerHostSlalomView() {
    objc::Class* cls = objc::Runtime::current().registerClass("CAMSlalomIndicatorView", "UIView");
    objc::addClassMethod<std::shared_ptr<NSObject>, CGRect>(
        cls, hostsel::CAMSlalomIndicatorView::initWithFrame::name, &makeHostSlalomView);
}

std::vector<std::shared_ptr<AVCaptureDeviceFormat>> FormatsTest::formatsOfHeight(int height) const {
    std::vector<std::shared_ptr<AVCaptureDeviceFormat>> out;
    for (const auto& f : device().formats()) {
        if (f->dimensions().height == height) out.push_back(f);
    }
    return out;
}

void FormatsTest::activate(const std::shared_ptr<AVCaptureDeviceFormat>& format) {
    const platform::ConfigurationLock lock(&device());
    ASSERT_TRUE(lock.locked());
    device().setActiveFormat(format);
}

std::optional<ns::Dictionary> FormatsTest::readPrefs() const {
    return ns::readDictionaryFile(lumora::preferencesPath());
}

platform::FormatProfile changedFormat(const platform::FormatProfile& format,
                                      std::vector<std::pair<double, double>> ranges) {
    platform::FormatProfile out = format;
    out.frameRateRanges = std::move(ranges);
    return out;
}

platform::DeviceProfile withTall60(const std::string& model) {
    platform::DeviceProfile p = profile(model);
    for (auto& f : p.back->formats) {
        if (f.dimensions.height == 1936) f = changedFormat(f, {{2, 60}});
        if (f.dimensions.height == 720 || f.dimensions.height == 1080) {
            f = changedFormat(f, {{2, 30}});
        }
    }
    return p;
}

void expectFrame(CGRect actual, CGRect expected) {
    EXPECT_NEAR(actual.origin.x, expected.origin.x, 0.25);
    EXPECT_NEAR(actual.origin.y, expected.origin.y, 0.25);
    EXPECT_NEAR(actual.size.width, expected.size.width, 0.25);
    EXPECT_NEAR(actual.size.height, expected.size.height, 0.25);
}

}  // namespace formatstest
