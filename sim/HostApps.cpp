// The simulated host apps behind the SimulatedApp interface.
#include "sim/SimulatedApp.h"

namespace sim {

const char* appName(AppKind kind) {
    return kind == AppKind::Camera ? "camera" : "settings";
}

std::string HostAction::describe() const {
    switch (kind) {
        case Kind::Mode:
            return "mode " + std::to_string(value);
        case Kind::Camera:
            return value == 0 ? "camera back" : "camera front";
        case Kind::Record:
            return value != 0 ? "record start" : "record stop";
        case Kind::Grid:
            return value != 0 ? "grid show" : "grid hide";
        case Kind::Menu:
            return value != 0 ? "menu expand" : "menu collapse";
        case Kind::Burst:
            return value != 0 ? "burst start" : "burst stop";
        case Kind::MemoryWarning:
            return "memory-warning";
    }
    return "?";
}

AppFactory hostAppFactory() {
    // The host apps are wired in as the host library provides them.
    return [](AppKind) -> std::unique_ptr<SimulatedApp> { return nullptr; };
}

}  // namespace sim
