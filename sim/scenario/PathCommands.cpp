// `trace`: one finger along a path of points, as a person's finger moves (a curve, a circle
// around a dial). The viewer records free-hand drags this way so that replays follow the same
// path rather than the straight line between its ends.
#include <cmath>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"
#include "sim/scenario/Values.h"

namespace sim {

namespace {

constexpr int kFinger = 1;
// Enough for a few turns of a dial at screen rate, and short enough for a 4 KB line.
constexpr std::size_t kMaxPoints = 150;

std::optional<StepAction> compileTrace(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 3, kMaxPoints + 1, error)) {
        if (args.size() > kMaxPoints + 1) error = "at most 150 points";
        return std::nullopt;
    }
    const auto duration = parseDuration(args[0].text);
    if (!duration || args[0].quoted || *duration > 60) {
        error = "malformed duration \"" + args[0].text + "\" (e.g. 400ms, at most 60s)";
        return std::nullopt;
    }
    std::vector<CGPoint> points;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const auto p = parsePoint(args[i].text);
        if (!p || args[i].quoted) {
            error = "malformed point \"" + args[i].text + "\" (expected (x,y))";
            return std::nullopt;
        }
        points.push_back(*p);
    }
    return StepAction([duration = *duration, points](Session& s) {
        auto w = runningWindow(s);
        if (!w.window) return StepOutcome::failure(w.error);
        auto& app = UIApplication::sharedApplication();
        // The samples are spread evenly over the duration: down at the first point, a move to
        // each later one, up at the last.
        const double step = duration / static_cast<double>(points.size() - 1);
        app.sendTouch(kFinger, UITouchPhaseBegan, points.front(), w.window.get());
        s.advance(0);
        for (std::size_t i = 1; i < points.size(); ++i) {
            s.advance(step);
            app.sendTouch(kFinger, UITouchPhaseMoved, points[i], w.window.get());
            s.advance(0);
        }
        app.sendTouch(kFinger, UITouchPhaseEnded, points.back(), w.window.get());
        s.advance(0);
        return StepOutcome::success();
    });
}

}  // namespace

void registerPathCommands(CommandTable& table) {
    table.add({"trace", "trace DURATION POINT POINT...",
               "one finger along the points, evenly spread over the duration", "touches",
               compileTrace});
}

}  // namespace sim
