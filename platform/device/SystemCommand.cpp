#include "platform/device/SystemCommand.h"

#include <utility>

namespace platform {
namespace {

SystemCommandHandler& handler() {
    static SystemCommandHandler h;
    return h;
}

}  // namespace

void setSystemCommandHandler(SystemCommandHandler h) {
    handler() = std::move(h);
}

int system(const char* command) {
    // Copied first: the handler may end a process whose reset replaces it.
    const SystemCommandHandler h = handler();
    if (command == nullptr || !h) return -1;
    return h(command);
}

}  // namespace platform
