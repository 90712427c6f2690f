#include "sim/PreferenceKeys.h"

#include "sim/scenario/Values.h"

namespace sim {

const std::vector<PreferenceKey>& preferenceKeys() {
    using T = PreferenceType;
    static const std::vector<PreferenceKey> keys{
        {"ENABLED", T::Boolean},
        {"rememberSettings", T::Boolean},
        {"advPhotoModeAsDefault", T::Integer},
        {"advVideoModeAsDefault", T::Integer},
        {"showHelpHowToShow", T::Boolean},
        {"showDimensions", T::Boolean},
        {"showFPS", T::Boolean},
        {"showOverlays", T::Boolean},
        {"showHorizonAlignment", T::Boolean},
        {"showVerticalAlert", T::Boolean},
        {"blurButtonBar", T::Boolean},
        {"rememberFPSSettings", T::Boolean},
        {"unMirrorSelfies", T::Boolean},
        {"frameRateTime", T::Integer},
        {"dimensionHeightVideoBack", T::Integer},
        {"dimensionHeightVideoFront", T::Integer},
        {"dimensionHeightPhotoBack", T::Integer},
        {"dimensionHeightPhotoFront", T::Integer},
        {"stabilizerIndex", T::Integer},
        {"guideIndex", T::Integer},
        {"resolutionIndex", T::Integer},
        {"timerTime", T::Integer},
        {"timeLapseTime", T::Integer},
        {"timeType", T::Integer},
        {"timerMode", T::Integer},
        {"overlayMode", T::Integer},
        {"resolutionSelected", T::Boolean},
        {"guideSelected", T::Boolean},
        {"horizonAlignmentShowing", T::Boolean},
        {"timeStampVisibleAndPlace", T::Boolean},
        {"timeStampVisible", T::Boolean},
        {"timestampIncludeTime", T::Boolean},
        {"showBulb", T::Boolean},
        {"showMemoryWarning", T::Boolean},
        {"advPhotoSelected", T::Integer},
    };
    return keys;
}

const PreferenceKey* findPreferenceKey(std::string_view name) {
    for (const auto& key : preferenceKeys()) {
        if (key.name == name) return &key;
    }
    return nullptr;
}

std::optional<ns::Value> preferenceValue(const PreferenceKey& key, std::string_view word,
                                         bool quoted) {
    if (quoted) return ns::Value(std::string(word));
    if (key.type == PreferenceType::Boolean) {
        const auto b = parseBoolean(word);
        if (!b) return std::nullopt;
        return ns::Value(*b);
    }
    const auto i = parseInteger(word);
    if (!i) return std::nullopt;
    return ns::Value(*i);
}

std::string describeValue(const ns::Value& value) {
    if (const auto b = value.boolean()) return *b ? "true" : "false";
    if (const auto i = value.integer()) return std::to_string(*i);
    if (const auto r = value.real()) return formatNumber(*r);
    if (const auto* s = value.string()) return "\"" + *s + "\"";
    if (value.isNull()) return "(absent)";
    return "(a non-scalar value)";
}

}  // namespace sim
