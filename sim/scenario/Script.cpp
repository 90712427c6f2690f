#include "sim/scenario/Script.h"

#include <charconv>
#include <fstream>
#include <memory>
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

namespace {

// An open `repeat N` block: its line, its count and the steps gathered so far.
struct OpenBlock {
    SourceLocation where;
    std::string text;
    long count = 0;
    std::vector<Step> steps;
};

// "repeat N" (nullopt for another line); `error` set when N is malformed.
std::optional<long> repeatCount(const std::vector<Token>& words, std::string& error) {
    if (words.empty() || words[0].quoted || words[0].text != "repeat") return std::nullopt;
    long n = 0;
    if (words.size() == 2 && !words[1].quoted) {
        const auto& t = words[1].text;
        const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), n);
        if (ec != std::errc() || end != t.data() + t.size()) n = 0;
    }
    if (words.size() != 2 || n < 1 || n > 1'000'000) {
        error = "malformed repeat (usage: repeat N, 1 to 1000000, then the lines, then end)";
        return std::nullopt;
    }
    return n;
}

// The block as one step: its steps N times over. A failed action ends the block; a failed
// expectation is reported with its own line and the pass it failed in.
Step closeBlock(OpenBlock block) {
    Step step;
    step.where = block.where;
    step.text = block.text;
    step.isExpectation = false;
    auto steps = std::make_shared<std::vector<Step>>(std::move(block.steps));
    step.run = [steps, count = block.count](Session& session) {
        for (long pass = 1; pass <= count; ++pass) {
            for (const Step& inner : *steps) {
                StepOutcome outcome = inner.run(session);
                if (!outcome.ok) {
                    return StepOutcome::failure(inner.where.describe() + ": " + inner.text +
                                                " (pass " + std::to_string(pass) +
                                                "): " + outcome.message);
                }
            }
        }
        return StepOutcome::success();
    };
    return step;
}

}  // namespace

ParseResult parseScript(std::string_view text, const std::string& fileName) {
    ParseResult result;
    result.script.file = fileName;
    if (text.size() > kMaxScriptBytes) {
        result.errors.push_back({{fileName, 0}, "file too large"});
        return result;
    }
    int lineNumber = 0;
    bool seenCommand = false;
    std::vector<OpenBlock> open;
    const auto add = [&](Step step) {
        if (open.empty())
            result.script.steps.push_back(std::move(step));
        else
            open.back().steps.push_back(std::move(step));
    };
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        const std::string_view trimmed = trim(line);
        if (!seenCommand && trimmed == "# slow") result.script.slow = true;
        const SourceLocation where{fileName, lineNumber};

        // Blocks are structure, not commands.
        const auto words = tokenizeLine(line);
        std::string error;
        if (words.error.empty() && !words.tokens.empty() && !words.tokens[0].quoted) {
            if (const auto n = repeatCount(words.tokens, error)) {
                seenCommand = true;
                open.push_back({where, std::string(trimmed), *n, {}});
                continue;
            }
            if (!error.empty()) {
                result.errors.push_back({where, error});
                continue;
            }
            if (words.tokens[0].text == "end") {
                if (open.empty() || words.tokens.size() != 1) {
                    result.errors.push_back(
                        {where, open.empty() ? "end without repeat" : "end takes no arguments"});
                    continue;
                }
                Step block = closeBlock(std::move(open.back()));
                open.pop_back();
                add(std::move(block));
                continue;
            }
        }
        auto step = parseLine(line, where, error);
        if (!error.empty()) {
            result.errors.push_back({where, error});
            continue;
        }
        if (step) {
            seenCommand = true;
            add(std::move(*step));
        }
    }
    for (const auto& block : open) result.errors.push_back({block.where, "repeat without end"});
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
