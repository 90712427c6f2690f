// The reliability tests' program. Run as `--save-prefs-forever ROOT` or `--save-prefs-once ROOT`
// it is the child the kill-safety test kills: it loads the preferences of that device root and
// saves them with a counter that grows by one per save.

#include <gtest/gtest.h>

#include <cstring>

#include "core/Preferences.h"
#include "core/TweakState.h"
#include "platform/foundation/FileSystem.h"

namespace {

int savePreferences(const char* root, bool forever) {
    ns::FileSystem::shared().setRoot(root);
    lumora::InitVariables();
    lumora::LoadPrefs();
    auto& s = lumora::state();
    do {
        ++s.currentTimerTime;
        s.currentTimeLapseTime = 2 * s.currentTimerTime;
        if (!lumora::savePrefs()) return 1;
    } while (forever);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--save-prefs-forever") == 0)
        return savePreferences(argv[2], true);
    if (argc == 3 && std::strcmp(argv[1], "--save-prefs-once") == 0)
        return savePreferences(argv[2], false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
