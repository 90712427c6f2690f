#pragma once
// The C library's system() as a settings bundle calls it. The phone simulator answers it: the
// Settings app installs the handler (which understands only "killall -9 Camera"); with no
// handler nothing runs and the call fails. No real shell is ever started.

#include <functional>

namespace platform {

using SystemCommandHandler = std::function<int(const char* command)>;

// Replaces the handler (an empty one removes it).
void setSystemCommandHandler(SystemCommandHandler handler);
// A wait status as system() returns it; -1 for a null command or when no handler is installed.
int system(const char* command);

}  // namespace platform
