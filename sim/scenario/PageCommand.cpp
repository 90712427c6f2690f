// `page TARGET N`: turns a paging view (a scroll view, or the first one inside the target) to
// page N, counted from 0, with one finger swipe per page as a person would.
#include <cmath>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScrollView.h"
#include "platform/ui/UIWindow.h"
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"
#include "sim/scenario/Values.h"

namespace sim {
namespace {

constexpr double kSample = 1.0 / 60;
constexpr double kSwipe = 0.25;  // seconds a swipe lasts
constexpr double kSettle = 0.4;  // the page settles in 0.3 s
constexpr int kFinger = 1;

UIScrollView* findScrollView(UIView& view) {
    if (auto* scroll = dynamic_cast<UIScrollView*>(&view)) return scroll;
    for (const auto& sub : view.subviews()) {
        if (auto* found = findScrollView(*sub)) return found;
    }
    return nullptr;
}

int currentPage(const UIScrollView& scroll) {
    const double width = scroll.bounds().size.width;
    return width > 0 ? static_cast<int>(std::lround(scroll.contentOffset().x / width)) : 0;
}

// One swipe across the middle 60 % of the scroll view: leftwards turns to the next page.
void swipe(Session& s, UIWindow& window, UIScrollView& scroll, bool forward) {
    const CGRect b = scroll.bounds();
    const double y = CGRectGetMidY(b);
    const double from = b.origin.x + b.size.width * (forward ? 0.8 : 0.2);
    const double to = b.origin.x + b.size.width * (forward ? 0.2 : 0.8);
    auto send = [&](UITouchPhase phase, double x) {
        const CGPoint p = scroll.convertPointToView(CGPointMake(x, y), nullptr);
        UIApplication::sharedApplication().sendTouch(kFinger, phase, p, &window);
        s.advance(0);
    };
    send(UITouchPhaseBegan, from);
    const int steps = static_cast<int>(std::lround(kSwipe / kSample));
    for (int i = 1; i <= steps; ++i) {
        s.advance(kSwipe / steps);
        send(UITouchPhaseMoved, from + (to - from) * i / steps);
    }
    send(UITouchPhaseEnded, to);
    s.advance(kSettle);
}

std::optional<StepAction> compilePage(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 2, error)) return std::nullopt;
    const auto q = parseViewQuery(args[0], error);
    if (!q) return std::nullopt;
    if (!q->namesView()) {
        error = "page needs a view, not a point";
        return std::nullopt;
    }
    const auto n = parseInteger(args[1].text);
    if (!n || *n < 0 || *n > 100) {
        error = "expected a page number (0 is the first), found \"" + args[1].text + "\"";
        return std::nullopt;
    }
    return StepAction([q = *q, page = static_cast<int>(*n)](Session& s) {
        auto found = lookUpView(s, q);
        if (found.view == nullptr) return StepOutcome::failure(found.error);
        UIScrollView* scroll = findScrollView(*found.view);
        if (scroll == nullptr || !scroll->isPagingEnabled())
            return StepOutcome::failure(q.describe() + " holds no paging view");
        if (!isEffectivelyVisible(*scroll))
            return StepOutcome::failure(q.describe() + " is not visible");
        const double width = scroll->bounds().size.width;
        const int pages =
            width > 0 ? static_cast<int>(std::lround(scroll->contentSize().width / width)) : 0;
        if (page >= pages)
            return StepOutcome::failure(q.describe() + " has " + std::to_string(pages) +
                                        " pages (0 to " + std::to_string(pages - 1) + ")");
        // One swipe per page; a swipe that does not move the page ends the attempt.
        for (int guard = 0; guard < pages && currentPage(*scroll) != page; ++guard) {
            const int before = currentPage(*scroll);
            swipe(s, *found.window, *scroll, page > before);
            if (currentPage(*scroll) == before) break;
        }
        const int reached = currentPage(*scroll);
        if (reached != page)
            return StepOutcome::failure("the swipe left " + q.describe() + " on page " +
                                        std::to_string(reached) + ", not " + std::to_string(page));
        return StepOutcome::success();
    });
}

}  // namespace

void registerPageCommand(CommandTable& table) {
    table.add({"page", "page TARGET N",
               "swipes a paging view (the camera bar) to page N, counted from 0", "touches",
               compilePage});
}

}  // namespace sim
