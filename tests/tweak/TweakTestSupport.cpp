#include "TweakTestSupport.h"

#include <cstdlib>
#include <fstream>

#include "core/Preferences.h"
#include "platform/device/Process.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyList.h"

namespace tweaktest {
namespace fs = std::filesystem;

namespace {

FakeCaptureController* gController = nullptr;

id sharedInstance(objc::Class*, SEL) {
    return gController;
}

void hostStartPreview(id self, SEL) {
    static_cast<FakeCaptureController*>(self)->startPreviewCalls++;
}

void hostSessionStopped(id self, SEL, id) {
    static_cast<FakeCaptureController*>(self)->sessionStoppedCalls++;
}

bool hostCanChangeFocus(id self, SEL) {
    return static_cast<FakeCaptureController*>(self)->hostCanChangeFocus;
}

bool hostNo(id, SEL) {
    return false;
}

void hostNothing(id, SEL) {}

id hostSelf(id self, SEL) {
    return self;
}

id hostInitWithFrame(id self, SEL, CGRect) {
    return self;
}

void hostSaveResponse(id, SEL, id, hostapi::RequestEnqueuedBlock, hostapi::SaveCompletionBlock) {}

id hostImageJob(id, SEL, id) {
    return nullptr;
}

void hostQueueJob(id, SEL, ns::Dictionary*, id, hostapi::RequestEnqueuedBlock,
                  hostapi::SaveCompletionBlock, IOSurfaceRef, IOSurfaceRef, bool) {}

}  // namespace

void registerCaptureController(FakeCaptureController* controller) {
    namespace cc = hostsel::CAMCaptureController;
    gController = controller;
    objc::Class* cls = objc::Runtime::current().registerClass("CAMCaptureController");
    objc::addClassMethod<id>(cls, cc::sharedInstance::name, &sharedInstance);
    objc::addMethod<void>(cls, cc::startPreview::name, &hostStartPreview);
    objc::addMethod<void, id>(cls, cc::_sessionStopped::name, &hostSessionStopped);
    objc::addMethod<bool>(cls, cc::canChangeFocusOrExposure::name, &hostCanChangeFocus);
    objc::addMethod<bool>(cls, cc::canCapturePhotoDuringRecording::name, &hostNo);
}

void registerHostClasses() {
    auto& rt = objc::Runtime::current();
    objc::Class* burst = rt.registerClass("CAMAvalancheSession");
    objc::addMethod<id>(burst, hostsel::CAMAvalancheSession::init::name, &hostSelf);
    objc::addMethod<void>(burst, hostsel::CAMAvalancheSession::dealloc::name, &hostNothing);
    objc::addMethod<id, CGRect>(rt.registerClass("CAMZoomSlider"),
                                hostsel::CAMZoomSlider::initWithFrame::name, &hostInitWithFrame);
    objc::addMethod<id, CGRect>(rt.registerClass("CAMPreviewView"),
                                hostsel::CAMPreviewView::initWithFrame::name, &hostInitWithFrame);
    objc::addMethod<bool>(rt.registerClass("CAMCameraView"),
                          hostsel::CAMCameraView::_allowFocusRectPanning::name, &hostNo);
    namespace as = hostsel::CAMAssetSaver;
    objc::Class* saver = rt.registerClass("CAMAssetSaver");
    objc::addMethod<void, id, hostapi::RequestEnqueuedBlock, hostapi::SaveCompletionBlock>(
        saver, as::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock::name,
        &hostSaveResponse);
    objc::addMethod<id, id>(saver, as::_imageJobForStillImageCaptureResponse::name, &hostImageJob);
    objc::addMethod<void, ns::Dictionary*, id, hostapi::RequestEnqueuedBlock,
                    hostapi::SaveCompletionBlock, IOSurfaceRef, IOSurfaceRef, bool>(
        saver,
        as::queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient::
            name,
        &hostQueueJob);
}

platform::DeviceConfig iPhone6() {
    platform::DeviceConfig c;
    c.modelIdentifier = "iPhone7,2";
    c.model = "iPhone";
    c.screenBounds = CGRectMake(0, 0, 375, 667);
    c.scale = 2;
    c.idiom = 0;
    return c;
}

platform::DeviceConfig iPad(const std::string& model) {
    platform::DeviceConfig c;
    c.modelIdentifier = model;
    c.model = "iPad";
    c.screenBounds = CGRectMake(0, 0, 768, 1024);
    c.scale = 2;
    c.idiom = 1;
    return c;
}

void DeviceRootTest::SetUp() {
    std::string templ = (fs::temp_directory_path() / "lumora-tweak-XXXXXX").string();
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    root_ = templ;
    ns::FileSystem::shared().setRoot(root_);
    ASSERT_TRUE(ns::FileSystem::shared().layOutRoot());
    NSLocale::setPreferredLanguages({"en"});
    useDevice(iPhone6());
}

void DeviceRootTest::TearDown() {
    platform::Process::terminate();
    lumora::resetState();
    platform::Device::reset();
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void DeviceRootTest::useDevice(const platform::DeviceConfig& config) {
    platform::Device::configure(config);
    launch("com.apple.camera");
}

void DeviceRootTest::launch(const std::string& bundleIdentifier) {
    platform::Process::launch(bundleIdentifier);
    lumora::resetState();
}

void DeviceRootTest::installTranslations() {
    const fs::path source = fs::path(LUMORA_SOURCE_DIR) / "data" / "strings";
    const fs::path bundle = hostPath("/Library/PreferenceBundles/LU3_Prefs.bundle");
    for (const auto& entry : fs::directory_iterator(source)) {
        if (entry.path().extension() != ".lproj") continue;
        fs::create_directories(bundle / entry.path().filename());
        fs::copy_file(entry.path() / "Localizable.strings",
                      bundle / entry.path().filename() / "Localizable.strings",
                      fs::copy_options::overwrite_existing);
    }
}

fs::path DeviceRootTest::hostPath(const std::string& phonePath) {
    return ns::FileSystem::shared().resolve(phonePath);
}

void DeviceRootTest::writeFile(const std::string& phonePath, const std::string& bytes) {
    const fs::path p = hostPath(phonePath);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void DeviceRootTest::writePrefs(const ns::Dictionary& prefs) {
    ASSERT_TRUE(ns::writePropertyListAtomically(ns::Value(prefs), lumora::preferencesPath()));
}

std::optional<ns::Dictionary> DeviceRootTest::readPrefs() {
    return ns::readDictionaryFile("/var/mobile/Library/Preferences/com.orvane.Lumora3.plist");
}

}  // namespace tweaktest
