// The preferences file as the add-on meets it: whatever bytes the file holds, loading never
// fails loudly, saving afterwards succeeds, and what was saved loads back to the same settings.

#include <fstream>

#include "core/Preferences.h"
#include "core/TweakState.h"
#include "fuzz/FuzzTargets.h"
#include "fuzz/targets/FuzzDeviceRoot.h"
#include "platform/foundation/FileSystem.h"
#include "platform/foundation/PropertyList.h"
#include "tools/CAM_Tools.h"

namespace lumora::fuzz {
namespace {

// The settings a save writes back: reloading the saved file must give them again.
struct Remembered {
    bool rememberSettings;
    long globCameraMode, globVideoMode;
    bool showHelpHowToShow;
    int frameRate, photoBack, photoFront, videoBack, videoFront;
    int stabilizerIndex, guideIndex, resolutionIndex, timerTime, timeLapseTime, timeType;
    long timerMode, overlayMode;
    bool resolutionSelected, guideSelected, horizon, stampPlace;

    static Remembered of(const TweakState& s) {
        return {s.rememberSettings,
                s.globCameraMode,
                s.globVideoMode,
                s.showHelpHowToShow,
                s.globalFrameRateTime,
                s.globalDimensionHeightPhotoBack,
                s.globalDimensionHeightPhotoFront,
                s.globalDimensionHeightVideoBack,
                s.globalDimensionHeightVideoFront,
                s.stabilizerIndex,
                s.guideIndex,
                s.resolutionIndex,
                s.currentTimerTime,
                s.currentTimeLapseTime,
                s.currentTimeType,
                s.globTimerMode,
                s.globOverlayMode,
                s._resolutionSelected,
                s._guideSelected,
                s.horizonAlignmentShowing,
                s.timeStampVisibleAndPlace.load()};
    }
    bool operator==(const Remembered&) const = default;
};

void exerciseTypedReaders(const ns::Dictionary& dict) {
    for (const std::string& key : dict.keys()) {
        (void)CAM_Tools::intForKey(key, 7, &dict);
        (void)CAM_Tools::boolForKey(key, true, &dict);
        (void)CAM_Tools::floatForKey(key, 0.5f, &dict);
    }
}

}  // namespace

void preferencesTarget(const std::uint8_t* data, std::size_t size) {
    ensureDeviceRoot();
    if (auto value = ns::parsePropertyList({data, size}); value && value->dictionary())
        exerciseTypedReaders(*value->dictionary());

    const auto path = ns::FileSystem::shared().resolve(preferencesPath());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        fuzzCheck(static_cast<bool>(out), "cannot write the preferences file");
    }
    resetState();
    InitVariables();
    LoadPrefs();
    // A file the settings screens would empty (an older version's) changes what the reload
    // reads for the keys no save writes; compare only when the save keeps the file's keys.
    const auto* dict = state().prefsDictionary ? &*state().prefsDictionary : nullptr;
    const bool keepsFile = dict == nullptr || !dict->contains("advPhotoSelected") ||
                           CAM_Tools::intForKey("advPhotoSelected", 3, dict) == 3;
    const Remembered loaded = Remembered::of(state());
    fuzzCheck(savePrefs(), "savePrefs failed after loading the file");
    LoadPrefs();
    if (keepsFile) fuzzCheck(Remembered::of(state()) == loaded, "saved settings load back changed");
    fuzzCheck(ns::readDictionaryFile(preferencesPath()).has_value(),
              "the saved file does not load as a dictionary");
    resetState();
}

}  // namespace lumora::fuzz
