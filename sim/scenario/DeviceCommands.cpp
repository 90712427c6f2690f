// The phone in the hand: its pose and the scene in front of the cameras.
#include "platform/device/UIDevice.h"
#include "platform/media/MotionSimulator.h"
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"
#include "sim/scenario/Values.h"

namespace sim {

namespace {

const std::vector<std::string> kPoses{"portrait",        "upside-down", "landscape-left",
                                      "landscape-right", "face-up",     "face-down"};

std::optional<StepAction> compileOrient(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    const auto i = pickChoice(args[0], kPoses, "orientation", error);
    if (!i) return std::nullopt;
    return StepAction([pose = kPoses[*i], orientation = static_cast<long>(*i) + 1](Session& s) {
        platform::MotionSimulator::shared().setPose(pose);
        // The orientation notification reaches the app through its main queue.
        UIDevice::currentDevice().setOrientation(orientation);
        if (SimulatedApp* app = s.app()) app->rotate(orientation);
        s.advance(0);
        return StepOutcome::success();
    });
}

std::optional<StepAction> compileTilt(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    const auto degrees = parseAngle(args[0].text);
    if (!degrees || std::abs(*degrees) > 180) {
        error = "malformed tilt \"" + args[0].text + "\" (degrees between -180 and 180)";
        return std::nullopt;
    }
    return StepAction([degrees = *degrees](Session&) {
        platform::MotionSimulator::shared().setTilt(degrees);
        return StepOutcome::success();
    });
}

std::optional<StepAction> compileScene(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 4, error) || args.size() % 2 != 0) {
        if (error.empty()) error = "expected pairs of a setting and its value";
        return std::nullopt;
    }
    std::optional<double> brightness, distance;
    for (std::size_t i = 0; i < args.size(); i += 2) {
        const auto which = pickChoice(args[i], {"brightness", "distance"}, "scene setting", error);
        if (!which) return std::nullopt;
        const auto v = parseNumber(args[i + 1].text);
        if (*which == 0) {
            if (!v || *v < -6 || *v > 20) {
                error = "malformed brightness \"" + args[i + 1].text + "\" (EV from -6 to 20)";
                return std::nullopt;
            }
            brightness = v;
        } else {
            if (!v || *v <= 0 || *v > 10000) {
                error = "malformed distance \"" + args[i + 1].text + "\" (metres, above 0)";
                return std::nullopt;
            }
            distance = v;
        }
    }
    return StepAction([brightness, distance](Session& s) {
        s.setScene(brightness, distance);
        return StepOutcome::success();
    });
}

std::optional<StepAction> compileMotion(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 2, error)) return std::nullopt;
    const auto verb = pickChoice(args[0], {"start", "stop"}, "motion action", error);
    if (!verb) return std::nullopt;
    if (*verb == 1) {
        if (!checkCount(args, 1, 1, error)) return std::nullopt;
        return StepAction([](Session& s) {
            s.stopMotion();
            return StepOutcome::success();
        });
    }
    double hertz = 60;
    if (args.size() == 2) {
        std::string_view text = args[1].text;
        if (text.size() > 2 && text.substr(text.size() - 2) == "Hz") text.remove_suffix(2);
        const auto n = parseNumber(text);
        if (!n || *n <= 0 || *n > 100) {
            error = "malformed rate \"" + args[1].text + "\" (e.g. 60Hz, at most 100)";
            return std::nullopt;
        }
        hertz = *n;
    }
    return StepAction([hertz](Session& s) {
        std::string why;
        return s.startMotion(hertz, why) ? StepOutcome::success() : StepOutcome::failure(why);
    });
}

}  // namespace

void registerDeviceCommands(CommandTable& table) {
    table.add({"orient",
               "orient portrait|upside-down|landscape-left|landscape-right|face-up|face-down",
               "turn the phone", "device", compileOrient});
    table.add({"tilt", "tilt DEGREES", "roll the phone slightly off level (motion sensor)",
               "device", compileTilt});
    table.add({"scene", "scene [brightness EV] [distance METRES]", "what the cameras look at",
               "device", compileScene});
    table.add({"motion", "motion start [RATE] | motion stop",
               "a device-motion client in the app (60Hz unless given)", "device", compileMotion});
}

}  // namespace sim
