#pragma once
// The date a photo's time stamp shows. By default the wall clock; the simulator and tests set a
// clock of their own so that stamped photos come out the same on every run. Safe to set and read
// from any thread (the stamp is drawn on the host's saving queue).

#include <chrono>
#include <functional>

namespace lumora {

using PhotoClock = std::function<std::chrono::system_clock::time_point()>;

// Replaces the clock; an empty function goes back to the wall clock.
void setPhotoClock(PhotoClock clock);
// The clock's time now.
std::chrono::system_clock::time_point photoNow();

}  // namespace lumora
