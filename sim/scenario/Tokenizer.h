#pragma once
// Splits one scenario line into words. Words are separated by blanks; a double-quoted word may
// hold blanks and the escapes \" and \\; a parenthesised group such as "(10, 20)" is one word.
// A '#' outside quotes that starts a word begins a comment running to the end of the line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct Token {
    std::string text;     // without the quotes of a quoted word
    bool quoted = false;  // written in double quotes (a literal text, never a name)
};

struct TokenizeResult {
    std::vector<Token> tokens;
    std::string error;  // empty when the line was well formed
};

TokenizeResult tokenizeLine(std::string_view line);

}  // namespace sim
