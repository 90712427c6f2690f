#include "sim/scenario/Script.h"

#include <fstream>
#include <sstream>

#include "sim/scenario/CommandTable.h"
#include "sim/scenario/Tokenizer.h"

namespace sim {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

constexpr std::size_t kMaxScriptBytes = 4u << 20;
constexpr std::size_t kMaxLineBytes = 4096;

}  // namespace

std::string SourceLocation::describe() const {
    return line > 0 ? file + ":" + std::to_string(line) : file;
}

std::string ScriptError::describe() const {
    return where.describe() + ": " + message;
}

std::optional<Step> parseLine(std::string_view line, const SourceLocation& where,
                              std::string& error) {
    error.clear();
    if (line.size() > kMaxLineBytes) {
        error = "line too long";
        return std::nullopt;
    }
    if (line.find('\0') != std::string_view::npos) {
        error = "a NUL character in the line";
        return std::nullopt;
    }
    TokenizeResult words = tokenizeLine(line);
    if (!words.error.empty()) {
        error = words.error;
        return std::nullopt;
    }
    if (words.tokens.empty()) return std::nullopt;
    const Token& head = words.tokens.front();
    const CommandSpec* spec = head.quoted ? nullptr : CommandTable::shared().find(head.text);
    if (spec == nullptr) {
        error = "unknown command \"" + head.text +
                "\" (type `help` in `lumora3 shell` or see "
                "scenarios/README.md)";
        return std::nullopt;
    }
    std::vector<Token> args(words.tokens.begin() + 1, words.tokens.end());
    auto action = spec->compile(args, error);
    if (!action) {
        if (error.empty()) error = "bad arguments";
        if (error.find("(usage:") == std::string::npos) error += " (usage: " + spec->usage + ")";
        return std::nullopt;
    }
    Step step;
    step.where = where;
    step.text = std::string(trim(line));
    step.isExpectation = spec->name == "expect";
    step.run = std::move(*action);
    return step;
}

ParseResult parseScript(std::string_view text, const std::string& fileName) {
    ParseResult result;
    result.script.file = fileName;
    if (text.size() > kMaxScriptBytes) {
        result.errors.push_back({{fileName, 0}, "file too large"});
        return result;
    }
    int lineNumber = 0;
    bool seenCommand = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        const std::string_view trimmed = trim(line);
        if (!seenCommand && trimmed == "# slow") result.script.slow = true;
        std::string error;
        auto step = parseLine(line, {fileName, lineNumber}, error);
        if (!error.empty()) {
            result.errors.push_back({{fileName, lineNumber}, error});
            continue;
        }
        if (step) {
            seenCommand = true;
            result.script.steps.push_back(std::move(*step));
        }
    }
    return result;
}

ParseResult parseScriptFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::error_code ec;
    ParseResult result;
    if (!in) {
        result.script.file = path;
        result.errors.push_back({{path, 0}, "cannot read the file"});
        return result;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) {
        result.script.file = path;
        result.errors.push_back({{path, 0}, "cannot read the file"});
        return result;
    }
    return parseScript(buffer.str(), path);
}

}  // namespace sim
