// Apps and the host's own controls.
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"
#include "sim/scenario/Values.h"

namespace sim {

namespace {

StepOutcome needApp(Session& s, SimulatedApp*& app) {
    app = s.app();
    return app != nullptr ? StepOutcome::success() : StepOutcome::failure("no app is running");
}

std::optional<StepAction> compileLaunch(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    const auto which = pickChoice(args[0], {"camera", "settings"}, "app", error);
    if (!which) return std::nullopt;
    const AppKind kind = *which == 0 ? AppKind::Camera : AppKind::Settings;
    return StepAction([kind](Session& s) {
        std::string why;
        return s.launch(kind, why) ? StepOutcome::success() : StepOutcome::failure(why);
    });
}

// terminate, background, foreground.
CommandCompiler lifecycle(void (*apply)(SimulatedApp&)) {
    return
        [apply](const std::vector<Token>& args, std::string& error) -> std::optional<StepAction> {
            if (!checkCount(args, 0, 0, error)) return std::nullopt;
            return StepAction([apply](Session& s) {
                SimulatedApp* app = nullptr;
                if (auto r = needApp(s, app); !r.ok) return r;
                apply(*app);
                return StepOutcome::success();
            });
        };
}

// A host action chosen by one word among `choices` (each choice's index is its value unless
// `values` gives them).
CommandCompiler hostAction(HostAction::Kind kind, std::vector<std::string> choices,
                           std::vector<long> values, std::string what) {
    return [=](const std::vector<Token>& args, std::string& error) -> std::optional<StepAction> {
        if (!checkCount(args, choices.empty() ? 0 : 1, choices.empty() ? 0 : 1, error))
            return std::nullopt;
        HostAction action{kind, 0};
        if (!choices.empty()) {
            const auto i = pickChoice(args[0], choices, what, error);
            if (!i) return std::nullopt;
            action.value = values.empty() ? static_cast<long>(*i) : values[*i];
        }
        return StepAction([action](Session& s) {
            SimulatedApp* app = nullptr;
            if (auto r = needApp(s, app); !r.ok) return r;
            std::string why;
            if (!app->perform(action, why)) return StepOutcome::failure(why);
            // The host reacts on the main queue.
            s.advance(0);
            return StepOutcome::success();
        });
    };
}

std::optional<StepAction> compileAdvance(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    const auto seconds = parseDuration(args[0].text);
    if (!seconds || args[0].quoted) {
        error =
            "malformed duration \"" + args[0].text + "\" (expected e.g. 250ms, 2.5s, 10min, 1h)";
        return std::nullopt;
    }
    return StepAction([seconds = *seconds](Session& s) {
        s.advance(seconds);
        return StepOutcome::success();
    });
}

}  // namespace

void registerAppCommands(CommandTable& table) {
    using K = HostAction::Kind;
    table.add({"launch", "launch camera|settings",
               "bring an app to the front (the other goes to the background; an app not "
               "running starts)",
               "apps", compileLaunch});
    table.add({"terminate", "terminate", "end the running apps", "apps",
               [](const std::vector<Token>& args, std::string& error) -> std::optional<StepAction> {
                   if (!checkCount(args, 0, 0, error)) return std::nullopt;
                   return StepAction([](Session& s) {
                       if (s.app() == nullptr) return StepOutcome::failure("no app is running");
                       s.terminate();
                       return StepOutcome::success();
                   });
               }});
    table.add({"background", "background", "send the running app to the background", "apps",
               lifecycle([](SimulatedApp& a) { a.background(); })});
    table.add({"foreground", "foreground", "bring the app back", "apps",
               lifecycle([](SimulatedApp& a) { a.foreground(); })});
    table.add({"mode", "mode photo|video|square|slomo|pano", "switch the camera mode", "host",
               hostAction(K::Mode, {"photo", "video", "slomo", "pano", "square"}, {}, "mode")});
    table.add({"camera", "camera back|front", "switch cameras", "host",
               hostAction(K::Camera, {"back", "front"}, {}, "camera")});
    table.add({"record", "record start|stop", "start or stop a video recording", "host",
               hostAction(K::Record, {"start", "stop"}, {1, 0}, "record action")});
    table.add({"grid", "grid show|hide", "the host's grid", "host",
               hostAction(K::Grid, {"show", "hide"}, {1, 0}, "grid action")});
    table.add({"menu", "menu expand|collapse", "the host's expandable menu", "host",
               hostAction(K::Menu, {"expand", "collapse"}, {1, 0}, "menu action")});
    table.add({"burst", "burst start|stop", "hold the shutter for a burst", "host",
               hostAction(K::Burst, {"start", "stop"}, {1, 0}, "burst action")});
    table.add({"memory-warning", "memory-warning", "the system's low-memory warning", "host",
               hostAction(K::MemoryWarning, {}, {}, "")});
    table.add({"advance", "advance DURATION", "run virtual time (250ms, 2.5s, 10min, 1h)", "time",
               compileAdvance});
}

}  // namespace sim
