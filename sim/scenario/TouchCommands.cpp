// Touches: one finger, delivered through the application as the phone's touch screen would,
// with virtual time passing between the phases.
#include <cmath>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"
#include "sim/scenario/Values.h"

namespace sim {

namespace {

constexpr double kStep = 1.0 / 60;  // touch samples arrive at the screen's refresh rate
constexpr int kFinger = 1;

// Where a query lands in window coordinates: a view's centre, or the point itself.
struct Place {
    std::shared_ptr<UIWindow> window;
    UIView* view = nullptr;
    CGPoint point;
    std::string error;
};

Place locate(Session& s, const ViewQuery& q) {
    Place p;
    if (!q.namesView()) {
        auto w = runningWindow(s);
        p.window = w.window;
        p.error = w.error;
        p.point = q.point;
        return p;
    }
    auto found = lookUpView(s, q);
    p.window = found.window;
    p.view = found.view;
    p.error = found.error;
    if (p.view == nullptr) return p;
    if (!isEffectivelyVisible(*p.view)) {
        p.error = q.describe() + " is not visible";
        return p;
    }
    const CGRect b = p.view->bounds();
    p.point = p.view->convertPointToView(CGPointMake(CGRectGetMidX(b), CGRectGetMidY(b)), nullptr);
    // A finger lands on whatever is on top: the target, a part of it, or a view that holds it.
    UIView* hit = p.window->hitTest(p.point, nullptr);
    if (hit == nullptr ||
        !(hit == p.view || hit->isDescendantOfView(p.view) || p.view->isDescendantOfView(hit))) {
        p.error = q.describe() + " does not take touches at its centre" +
                  (hit != nullptr ? std::string(" (covered by ") + hit->className() + ")" : "");
    }
    return p;
}

void touch(Session& s, UIWindow& window, UITouchPhase phase, CGPoint point) {
    UIApplication::sharedApplication().sendTouch(kFinger, phase, point, &window);
    s.advance(0);
}

// Down, held for `hold` seconds, up.
CommandCompiler holdCommand(double defaultHold) {
    return [defaultHold](const std::vector<Token>& args,
                         std::string& error) -> std::optional<StepAction> {
        if (!checkCount(args, 1, 2, error)) return std::nullopt;
        const auto q = parseViewQuery(args[0], error);
        if (!q) return std::nullopt;
        double hold = defaultHold;
        if (args.size() == 2) {
            const auto d = parseDuration(args[1].text);
            if (!d || *d > 600) {
                error = "malformed duration \"" + args[1].text + "\"";
                return std::nullopt;
            }
            hold = *d;
        }
        return StepAction([q = *q, hold](Session& s) {
            const Place p = locate(s, q);
            if (!p.error.empty()) return StepOutcome::failure(p.error);
            touch(s, *p.window, UITouchPhaseBegan, p.point);
            s.advance(hold);
            touch(s, *p.window, UITouchPhaseEnded, p.point);
            return StepOutcome::success();
        });
    };
}

std::optional<StepAction> compileDrag(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 3, error)) return std::nullopt;
    const auto from = parseViewQuery(args[0], error);
    if (!from) return std::nullopt;
    const auto to = parseViewQuery(args[1], error);
    if (!to) return std::nullopt;
    double duration = 0.3;
    if (args.size() == 3) {
        const auto d = parseDuration(args[2].text);
        if (!d || *d > 60) {
            error = "malformed duration \"" + args[2].text + "\"";
            return std::nullopt;
        }
        duration = *d;
    }
    return StepAction([from = *from, to = *to, duration](Session& s) {
        const Place a = locate(s, from);
        if (!a.error.empty()) return StepOutcome::failure(a.error);
        // The end may be covered (a drag onto another view is normal): only its place matters.
        Place b = locate(s, to);
        if (b.view == nullptr && to.namesView()) return StepOutcome::failure(b.error);
        touch(s, *a.window, UITouchPhaseBegan, a.point);
        const int steps = std::max(1, static_cast<int>(std::lround(duration / kStep)));
        for (int i = 1; i <= steps; ++i) {
            const double t = static_cast<double>(i) / steps;
            s.advance(duration / steps);
            touch(s, *a.window, UITouchPhaseMoved,
                  CGPointMake(a.point.x + (b.point.x - a.point.x) * t,
                              a.point.y + (b.point.y - a.point.y) * t));
        }
        touch(s, *a.window, UITouchPhaseEnded, b.point);
        return StepOutcome::success();
    });
}

// One finger moving on a circle around the view's centre, from straight above it, by `angle`
// degrees (clockwise on screen when positive), 5 degrees per sample.
std::optional<StepAction> compileTurn(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 3, error)) return std::nullopt;
    const auto q = parseViewQuery(args[0], error);
    if (!q) return std::nullopt;
    if (!q->namesView()) {
        error = "turn needs a view, not a point";
        return std::nullopt;
    }
    const auto angle = parseAngle(args[1].text);
    if (!angle || std::fabs(*angle) > 3600) {
        error = "malformed angle \"" + args[1].text + "\" (degrees, e.g. 45 or -90)";
        return std::nullopt;
    }
    std::optional<double> radius;
    if (args.size() == 3) {
        radius = parseNumber(args[2].text);
        if (!radius || *radius <= 0) {
            error = "malformed radius \"" + args[2].text + "\" (points)";
            return std::nullopt;
        }
    }
    return StepAction([q = *q, angle = *angle, radius](Session& s) {
        const Place p = locate(s, q);
        if (p.view == nullptr || !isEffectivelyVisible(*p.view)) {
            return StepOutcome::failure(p.error.empty() ? "no view" : p.error);
        }
        const CGRect b = p.view->bounds();
        const double r = radius.value_or(0.4 * std::min(b.size.width, b.size.height));
        const auto at = [&](double degrees) {
            const double rad = degrees * M_PI / 180.0;
            // 0 degrees is straight above the centre; screen y grows downward.
            return CGPointMake(p.point.x + r * std::sin(rad), p.point.y - r * std::cos(rad));
        };
        touch(s, *p.window, UITouchPhaseBegan, at(0));
        const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(angle) / 5.0)));
        for (int i = 1; i <= steps; ++i) {
            s.advance(kStep);
            touch(s, *p.window, UITouchPhaseMoved, at(angle * i / steps));
        }
        touch(s, *p.window, UITouchPhaseEnded, at(angle));
        return StepOutcome::success();
    });
}

}  // namespace

void registerTouchCommands(CommandTable& table) {
    registerPageCommand(table);
    table.add({"tap", "tap TARGET", "a short tap (0.05 s)", "touches", holdCommand(0.05)});
    table.add({"press", "press TARGET [DURATION]", "touch and hold (0.5 s unless given)", "touches",
               holdCommand(0.5)});
    table.add({"long-press", "long-press TARGET [DURATION]", "a long press (1.5 s unless given)",
               "touches", holdCommand(1.5)});
    table.add({"drag", "drag FROM TO [DURATION]", "one finger from one place to another (0.3 s)",
               "touches", compileDrag});
    table.add({"turn", "turn TARGET DEGREES [RADIUS]",
               "one finger around the view's centre (clockwise when positive)", "touches",
               compileTurn});
}

}  // namespace sim
