#include "sim/scenario/CommandHelpers.h"

#include "platform/ui/UIWindow.h"
#include "sim/Session.h"

namespace sim {

bool checkCount(const std::vector<Token>& args, std::size_t min, std::size_t max,
                std::string& error) {
    if (args.size() < min) {
        error = "missing arguments";
        return false;
    }
    if (args.size() > max) {
        error = "unexpected \"" + args[max].text + "\"";
        return false;
    }
    return true;
}

std::optional<std::size_t> pickChoice(const Token& word, const std::vector<std::string>& choices,
                                      const std::string& what, std::string& error) {
    if (!word.quoted) {
        for (std::size_t i = 0; i < choices.size(); ++i) {
            if (choices[i] == word.text) return i;
        }
    }
    error = "unknown " + what + " \"" + word.text + "\" (expected " + listChoices(choices) + ")";
    return std::nullopt;
}

WindowLookup runningWindow(Session& session) {
    WindowLookup out;
    out.window = session.window();
    if (!out.window) out.error = "no app is running";
    return out;
}

ViewLookup lookUpView(Session& session, const ViewQuery& query) {
    ViewLookup out;
    auto w = runningWindow(session);
    out.window = w.window;
    if (!out.window) {
        out.error = w.error;
        return out;
    }
    out.view = findView(*out.window, query);
    if (out.view == nullptr) out.error = "no view " + query.describe() + " on screen";
    return out;
}

}  // namespace sim
