#pragma once
// The commands of the scenario language. Each command compiles its words into a step action at
// parse time (so every mistake is found before the run) or reports what is wrong. Later parts of
// the system add their own commands (and `expect` subjects) here.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/scenario/Script.h"
#include "sim/scenario/Tokenizer.h"

namespace sim {

// Compiles the words after the command name; nullopt with `error` set when they are wrong.
using CommandCompiler =
    std::function<std::optional<StepAction>(const std::vector<Token>& args, std::string& error)>;

struct CommandSpec {
    std::string name;
    std::string usage;    // "tap TARGET"
    std::string summary;  // one line for `help`
    std::string group;    // "set-up", "apps", "touches", ... for `help`
    CommandCompiler compile;
};

class CommandTable {
public:
    // The table with the built-in commands registered.
    static CommandTable& shared();
    CommandTable(const CommandTable&) = delete;
    CommandTable& operator=(const CommandTable&) = delete;

    // Replaces a command of the same name.
    void add(CommandSpec spec);
    const CommandSpec* find(const std::string& name) const;
    std::vector<const CommandSpec*> all() const;

private:
    CommandTable() = default;
    std::map<std::string, CommandSpec> commands_;
};

// The `expect` subjects ("view", "prefs", "photos", ...), compiled like commands.
class ExpectTable {
public:
    static ExpectTable& shared();
    ExpectTable(const ExpectTable&) = delete;
    ExpectTable& operator=(const ExpectTable&) = delete;

    void add(CommandSpec spec);
    const CommandSpec* find(const std::string& subject) const;
    std::vector<const CommandSpec*> all() const;

private:
    ExpectTable() = default;
    std::map<std::string, CommandSpec> subjects_;
};

// Registration of the built-in commands, one function per group (called once by shared()).
void registerSetupCommands(CommandTable& table);
void registerAppCommands(CommandTable& table);
void registerTouchCommands(CommandTable& table);
// `page TARGET N` (registered with the touches).
void registerPageCommand(CommandTable& table);
void registerDeviceCommands(CommandTable& table);
void registerOutputCommands(CommandTable& table);
void registerExpectCommand(CommandTable& table);
void registerExpectSubjects(ExpectTable& table);

// "a, b or c" for messages.
std::string listChoices(const std::vector<std::string>& choices);

}  // namespace sim
