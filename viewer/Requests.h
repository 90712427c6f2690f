#pragma once
// The page's requests turned into scenario lines. Every action the page can ask for is a line of
// the scenario language, so the live phone and a replay of the recording run the very same
// steps. Only the commands listed here can be asked for, each value is checked, and the line is
// then parsed like any scenario line; whatever fails is a message for a 400 reply.

#include <nlohmann/json.hpp>
#include <string>
#include <variant>

namespace viewer {

// A scenario line, or what is wrong with the request.
struct LineOrError {
    std::string line;
    std::string error;
    bool ok() const { return error.empty(); }
};

// A touch on the screen, in window points:
//   {"gesture": "tap", "x": 187, "y": 600}
//   {"gesture": "press", "x": 187, "y": 600, "seconds": 1.2}
//   {"gesture": "drag", "points": [[x, y], ...], "seconds": 0.4}
// A drag that keeps close to the line between its ends becomes `drag`, any other path (a
// circle around a dial) `trace` along up to 60 of its points.
LineOrError touchLine(const nlohmann::json& request);

// A device or app action:
//   {"command": "launch", "value": "camera"|"settings"}, {"command": "background"},
//   {"command": "foreground"}, {"command": "terminate"},
//   {"command": "orient", "value": "portrait"|...}, {"command": "tilt", "value": -12.5},
//   {"command": "scene", "brightness": 8} / {"command": "scene", "distance": 1.5},
//   {"command": "mode", "value": "video"}, {"command": "camera", "value": "front"},
//   {"command": "prefs", "key": "showFPS", "value": false} (a key of the preferences file)
LineOrError actionLine(const nlohmann::json& request);

// `text` as one "quoted" scenario word (quotes and backslashes escaped).
std::string quoteWord(const std::string& text);

}  // namespace viewer
