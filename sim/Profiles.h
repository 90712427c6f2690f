#pragma once
// The device profiles the tool knows, loaded once from the profile folder (sim/Locations).

#include <string>

#include "platform/capture/DeviceProfile.h"

namespace sim {

// Null with `error` set when the folder is missing or a profile does not load.
const platform::DeviceProfileRegistry* defaultProfiles(std::string& error);

}  // namespace sim
