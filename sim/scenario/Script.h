#pragma once
// A parsed scenario: its steps in order, each with the file and line it came from. Parsing
// checks every line completely (command, arguments, values, element names) before anything
// runs, so a script with a mistake does nothing at all.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

class Session;

struct SourceLocation {
    std::string file;
    int line = 0;
    // "file:line" ("file" for the file as a whole).
    std::string describe() const;
};

// What running one step came to. A failed action (a tap on a view that is not on screen, a
// screenshot that cannot be written) ends the scenario; a failed expectation is recorded and
// the scenario goes on.
struct StepOutcome {
    bool ok = true;
    std::string message;  // why it failed; may describe what was found when it held
    static StepOutcome success(std::string note = {}) { return {true, std::move(note)}; }
    static StepOutcome failure(std::string why) { return {false, std::move(why)}; }
};

using StepAction = std::function<StepOutcome(Session&)>;

struct Step {
    SourceLocation where;
    std::string text;  // the line as written, trimmed
    bool isExpectation = false;
    StepAction run;
};

struct ScriptError {
    SourceLocation where;
    std::string message;
    // "file:line: message".
    std::string describe() const;
};

struct Script {
    std::string file;
    std::vector<Step> steps;
    // Marked "# slow" on a line of its own before the first command: left out of quick test runs.
    bool slow = false;
};

struct ParseResult {
    Script script;
    std::vector<ScriptError> errors;  // every bad line, in order
    bool ok() const { return errors.empty(); }
};

ParseResult parseScript(std::string_view text, const std::string& fileName);
// Reads and parses a file; an unreadable file is one error at "file".
ParseResult parseScriptFile(const std::string& path);
// One line (the interactive shell): nullopt for a blank or comment line, with `error` set when
// the line is bad.
std::optional<Step> parseLine(std::string_view line, const SourceLocation& where,
                              std::string& error);

}  // namespace sim
