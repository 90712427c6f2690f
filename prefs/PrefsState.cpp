#include "prefs/PrefsState.h"

namespace prefs {

BundleState& state() {
    static BundleState s;
    return s;
}

void resetState() {
    state() = BundleState{};
}

}  // namespace prefs
