// Scenario scripts: parsing checks every line and either gives steps or errors with a line
// number inside the text; nothing runs.

#include <algorithm>
#include <string_view>

#include "fuzz/FuzzTargets.h"
#include "sim/scenario/Script.h"

namespace lumora::fuzz {

void scenarioTarget(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto result = sim::parseScript(text, "fuzz.scn");
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (const auto& error : result.errors) {
        fuzzCheck(error.where.line >= 0 && error.where.line <= lines, "error outside the text");
        fuzzCheck(!error.message.empty(), "an error without a message");
    }
}

}  // namespace lumora::fuzz
