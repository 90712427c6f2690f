#pragma once
// Small checks shared by the command compilers.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/scenario/CommandTable.h"
#include "sim/scenario/ViewQuery.h"

class UIView;
class UIWindow;

namespace sim {

class Session;

// False with `error` unless there are between `min` and `max` words.
bool checkCount(const std::vector<Token>& args, std::size_t min, std::size_t max,
                std::string& error);
// The index of the word among `choices`; nullopt with `error` naming the choices.
std::optional<std::size_t> pickChoice(const Token& word, const std::vector<std::string>& choices,
                                      const std::string& what, std::string& error);

// The running app's window, or a failure saying none runs.
struct WindowLookup {
    std::shared_ptr<UIWindow> window;
    std::string error;
};
WindowLookup runningWindow(Session& session);

// The view a query names on the running app's screen, with a message when it is not there.
struct ViewLookup {
    std::shared_ptr<UIWindow> window;
    UIView* view = nullptr;
    std::string error;
};
ViewLookup lookUpView(Session& session, const ViewQuery& query);

}  // namespace sim
