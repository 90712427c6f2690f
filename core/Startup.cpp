#include "core/Startup.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/CameraBarLifecycle.h"
#include "core/HookTable.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "platform/device/NSBundle.h"
#include "platform/device/Process.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/Locale.h"
#include "platform/foundation/StringsFile.h"
#include "platform/objc/Injection.h"
#include "tools/UIDeviceHardware.h"

namespace lumora {
namespace {

bool isOneOf(const std::string& value, std::initializer_list<std::string_view> list) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

void loadTranslations() {
    TweakState& s = state();
    if (s.translations) return;
    const auto languages = NSLocale::preferredLanguages();
    const std::string first = languages.empty() ? std::string() : languages.front();
    s.translations = ns::readStringsFile(translationsPathFor(translationFolderFor(first)));
}

void setDeviceFlags() {
    TweakState& s = state();
    const std::string model = UIDeviceHardware::platform();
    if (isOneOf(model,
                {"iPhone6,1", "iPhone6,2", "iPhone7,1", "iPhone7,2", "iPad5,3", "iPad5,4"})) {
        s.DEVICE_SUPPORTS_SLOMO = true;
    }
    if (model == "iPod5,1") s.HAS_MAX_60_FPS = true;
    if (isOneOf(model, {"iPhone7,1", "iPhone7,2"})) s.HAS_CAMSLALOMVIEW_ALWAYS_SHOW = true;

    const CGRect bounds = UIScreen::mainScreen().bounds();
    const CGFloat longerSide = std::max(bounds.size.width, bounds.size.height);
    if (model == "iPhone4,1") {
        s.screensize = 0;
    } else if (isOneOf(model, {"iPhone5,1", "iPhone5,2", "iPhone5,3", "iPhone5,4", "iPhone6,1",
                               "iPhone6,2", "iPod5,1"})) {
        s.screensize = 1;
    } else if (model == "iPhone7,1") {
        s.screensize = 3;
        s.screenIsZoomed = longerSide < 730;
    } else if (model == "iPhone7,2") {
        s.screensize = 2;
        s.screenIsZoomed = longerSide < 660;
    }
}

}  // namespace

std::string translationFolderFor(const std::string& language) {
    return isOneOf(language, {"zh-Hans", "zh-Hant", "fr", "ja"}) ? language : "Base";
}

std::string translationsPathFor(const std::string& folder) {
    return std::string(kTranslationsBundlePath) + "/" + folder + ".lproj/Localizable.strings";
}

void registerAddOn() {
    static int resetToken = platform::Process::onReset(&resetState);
    (void)resetToken;
    objc::Injection::shared().install(kAddOnName, &Lumora3Initialize);
}

}  // namespace lumora

void Lumora3Initialize() {
    using namespace lumora;
    TweakState& s = state();
    s.LOGGER_ON = false;
    s.FLOW_LOGGER_ON = false;
    s.CALC_LOGGER_ON = false;
    s.sessionHasStarted = false;
    s.doCameraModeChangeProceduresBecauseOfNoSessionHasStarted = false;

    loadTranslations();
    setDeviceFlags();

    // Outside the camera app the library stays loaded and idle.
    if (NSBundle::mainBundle().bundleIdentifier() != kCameraBundleIdentifier) return;

    InitVariables();
    LoadPrefs();
    // Switched off by the user: the camera app runs unchanged.
    if (!s.ACTIVATE) return;

    hideCameraBar(nullptr);
    installHooks();
}
