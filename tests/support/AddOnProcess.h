#pragma once
// Starting and ending the simulated app process for tests of the add-on, with the add-on's
// state record reset as a freshly loaded (or unloaded) library has it.

#include <string>

namespace testsupport {

// Starts the process `bundleIdentifier` (ending any running one) with the add-on's state reset.
void launchProcess(const std::string& bundleIdentifier);

// Ends the running process, if any, and resets the add-on's state.
void endProcess();

}  // namespace testsupport
