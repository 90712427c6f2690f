#pragma once
// The settings bundle's process-wide values, one record in the Settings process: the texts,
// the screen flags and the feature flags the main screen fills and the active-features screen
// shows. Reset when the Settings process ends.

#include <optional>

#include "platform/foundation/Value.h"

namespace prefs {

struct BundleState {
    std::optional<ns::Dictionary> translations;
    bool IS_IPAD = false;
    bool IS_IPHONE_4 = false;
    bool showDimensions = false;
    bool showFPS = false;
    bool showOverlays = false;
    bool showHorizonAlignment = false;
    bool showVerticalAlert = false;
    bool showBulb = false;
    bool showMemoryWarning = false;
    bool blurButtonBar = false;
    bool unMirrorSelfies = false;
};

BundleState& state();
void resetState();

}  // namespace prefs
