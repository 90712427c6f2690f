#include "sim/scenario/Tokenizer.h"

namespace sim {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

TokenizeResult tokenizeLine(std::string_view line) {
    TokenizeResult result;
    std::size_t i = 0;
    while (i < line.size()) {
        if (isBlank(line[i])) {
            ++i;
            continue;
        }
        if (line[i] == '#') break;
        Token token;
        if (line[i] == '"') {
            token.quoted = true;
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c == '\\') {
                    if (i >= line.size() || (line[i] != '"' && line[i] != '\\')) {
                        result.error = "unknown escape in quoted text (only \\\" and \\\\)";
                        return result;
                    }
                    token.text += line[i++];
                    continue;
                }
                token.text += c;
            }
            if (!closed) {
                result.error = "unterminated quoted text";
                return result;
            }
            if (i < line.size() && !isBlank(line[i])) {
                result.error = "quoted text must be followed by a blank";
                return result;
            }
        } else {
            // A plain word; blanks inside parentheses do not end it.
            int depth = 0;
            while (i < line.size() && (depth > 0 || !isBlank(line[i]))) {
                const char c = line[i];
                if (c == '"') {
                    result.error = "a quote inside a word";
                    return result;
                }
                if (c == '(') ++depth;
                if (c == ')') {
                    if (depth == 0) {
                        result.error = "unbalanced ')'";
                        return result;
                    }
                    --depth;
                }
                if (depth == 0 || !isBlank(c)) token.text += c;
                ++i;
            }
            if (depth > 0) {
                result.error = "unbalanced '('";
                return result;
            }
        }
        result.tokens.push_back(std::move(token));
    }
    return result;
}

}  // namespace sim
