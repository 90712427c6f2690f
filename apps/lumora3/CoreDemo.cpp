#include "apps/lumora3/CoreDemo.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/HookTable.h"
#include "core/Preferences.h"
#include "core/Startup.h"
#include "core/TweakState.h"
#include "platform/device/Device.h"
#include "platform/device/Process.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/PropertyList.h"
#include "platform/objc/Injection.h"
#include "tools/CAM_Tools.h"
#include "tools/UIDeviceHardware.h"

namespace fs = std::filesystem;

namespace {

// The translations of the source tree: beside the working directory (make demo) or above the
// build folder holding the executable.
fs::path findStrings() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    for (const fs::path& base : {fs::current_path(ec), self.parent_path().parent_path()}) {
        if (fs::is_directory(base / "data" / "strings")) return base / "data" / "strings";
    }
    return {};
}

void installTranslations(const fs::path& root) {
    const fs::path source = findStrings();
    if (source.empty()) return;
    const fs::path bundle = root / "Library/PreferenceBundles/LU3_Prefs.bundle";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(source, ec)) {
        fs::create_directories(bundle / entry.path().filename(), ec);
        fs::copy_file(entry.path() / "Localizable.strings",
                      bundle / entry.path().filename() / "Localizable.strings",
                      fs::copy_options::overwrite_existing, ec);
    }
}

const char* yesNo(bool b) {
    return b ? "yes" : "no";
}

}  // namespace

int runCoreDemo() {
    std::string templ = (fs::temp_directory_path() / "lumora3-demo-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) {
        std::fprintf(stderr, "demo: cannot create a temporary device root\n");
        return 1;
    }
    const fs::path root = templ;
    auto& files = ns::FileSystem::shared();
    files.setRoot(root);
    files.layOutRoot();
    installTranslations(root);

    platform::DeviceConfig iPhone6;
    iPhone6.modelIdentifier = "iPhone7,2";
    iPhone6.screenBounds = CGRectMake(0, 0, 375, 667);
    platform::Device::configure(iPhone6);
    NSLocale::setPreferredLanguages({"fr", "en"});

    // What the settings screens would have stored.
    ns::writePropertyListAtomically(ns::Value(ns::Dictionary{{"ENABLED", 1},
                                                             {"rememberSettings", true},
                                                             {"rememberFPSSettings", true},
                                                             {"frameRateTime", 60},
                                                             {"dimensionHeightVideoBack", 720},
                                                             {"timeLapseTime", 20},
                                                             {"unMirrorSelfies", 1}}),
                                    lumora::preferencesPath());

    lumora::registerAddOn();
    platform::Process::launch(lumora::kCameraBundleIdentifier);
    objc::Injection::shared().runConstructors();

    const lumora::TweakState& s = lumora::state();
    std::printf("Lumora3 start-up in %s on %s (%s), device root %s\n",
                platform::Process::current().bundleIdentifier().c_str(),
                lumora::UIDeviceHardware::platformString().c_str(),
                lumora::UIDeviceHardware::platform().c_str(), root.c_str());
    std::printf("  ACTIVATE %s\n", yesNo(s.ACTIVATE));
    std::printf("  DEVICE_SUPPORTS_SLOMO %s, HAS_MAX_60_FPS %s, HAS_CAMSLALOMVIEW_ALWAYS_SHOW %s\n",
                yesNo(s.DEVICE_SUPPORTS_SLOMO), yesNo(s.HAS_MAX_60_FPS),
                yesNo(s.HAS_CAMSLALOMVIEW_ALWAYS_SHOW));
    std::printf("  screensize %ld, screenIsZoomed %s\n", s.screensize, yesNo(s.screenIsZoomed));
    std::printf("  rememberSettings %s, rememberFPSSettings %s, unMirrorSelfies %s\n",
                yesNo(s.rememberSettings), yesNo(s.rememberFPSSettings),
                yesNo(s.unMirrorSelfies.load()));
    std::printf("  currentFrameRate %d, currentDimensionHeightVideoBack %d, timeLapseTime %d\n",
                s.currentFrameRate, s.currentDimensionHeightVideoBack, s.currentTimeLapseTime);
    std::printf("  \"TIMER\" in French: %s; \"WB_LOCK\": %s\n",
                lumora::CAM_Tools::GetResource("TIMER").c_str(),
                lumora::CAM_Tools::GetResource("WB_LOCK").c_str());
    std::size_t hostClasses = 0;
    for (const auto& row : lumora::hookTable()) {
        if (objc_getClass(row.className) != nullptr) ++hostClasses;
    }
    std::printf("  built hook rows: %zu, of which the running app has the class: %zu\n",
                lumora::hookTable().size(), hostClasses);

    platform::Process::terminate();
    objc::Injection::shared().uninstall(lumora::kAddOnName);
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
