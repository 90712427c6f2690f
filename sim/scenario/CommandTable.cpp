#include "sim/scenario/CommandTable.h"

namespace sim {

CommandTable& CommandTable::shared() {
    static CommandTable* table = [] {
        auto* t = new CommandTable();
        registerSetupCommands(*t);
        registerAppCommands(*t);
        registerTouchCommands(*t);
        registerPathCommands(*t);
        registerDeviceCommands(*t);
        registerOutputCommands(*t);
        registerExpectCommand(*t);
        registerMemoryCommands(*t);
        return t;
    }();
    return *table;
}

void CommandTable::add(CommandSpec spec) {
    std::string name = spec.name;
    commands_[name] = std::move(spec);
}

const CommandSpec* CommandTable::find(const std::string& name) const {
    const auto it = commands_.find(name);
    return it == commands_.end() ? nullptr : &it->second;
}

std::vector<const CommandSpec*> CommandTable::all() const {
    std::vector<const CommandSpec*> out;
    for (const auto& [name, spec] : commands_) out.push_back(&spec);
    return out;
}

ExpectTable& ExpectTable::shared() {
    static ExpectTable* table = [] {
        auto* t = new ExpectTable();
        registerExpectSubjects(*t);
        registerMemoryExpectations(*t);
        return t;
    }();
    return *table;
}

void ExpectTable::add(CommandSpec spec) {
    std::string name = spec.name;
    subjects_[name] = std::move(spec);
}

const CommandSpec* ExpectTable::find(const std::string& subject) const {
    const auto it = subjects_.find(subject);
    return it == subjects_.end() ? nullptr : &it->second;
}

std::vector<const CommandSpec*> ExpectTable::all() const {
    std::vector<const CommandSpec*> out;
    for (const auto& [name, spec] : subjects_) out.push_back(&spec);
    return out;
}

std::string listChoices(const std::vector<std::string>& choices) {
    std::string out;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0) out += i + 1 == choices.size() ? " or " : ", ";
        out += choices[i];
    }
    return out;
}

}  // namespace sim
