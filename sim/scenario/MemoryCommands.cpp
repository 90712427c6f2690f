// Memory: the tool's resident memory sampled during long runs, and a check on its growth.
#include <algorithm>
#include <cstdio>

#include "sim/ProcessMemory.h"
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"
#include "sim/scenario/Values.h"

namespace sim {

namespace {

std::string megabytes(long kilobytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(kilobytes) / 1024.0);
    return text;
}

// Records the resident memory now and prints it, with the virtual time and the peak so far.
std::optional<StepAction> compileMemory(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    if (args[0].text != "sample") {
        error = "expected \"memory sample\"";
        return std::nullopt;
    }
    return StepAction([](Session& s) {
        s.settle();
        const auto memory = residentMemory();
        if (!memory) return StepOutcome::failure("the system does not report resident memory");
        const double hours = s.elapsed() / 3600.0;
        s.memorySamples().push_back({hours, memory->currentKilobytes, memory->peakKilobytes});
        std::printf("memory at %6.2f h: resident %s, peak %s\n", hours,
                    megabytes(memory->currentKilobytes).c_str(),
                    megabytes(memory->peakKilobytes).c_str());
        std::fflush(stdout);
        return StepOutcome::success();
    });
}

// "growth OP PERCENT": the last sample against the first, in percent of the first.
std::optional<StepAction> compileExpectMemory(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 3, 3, error)) return std::nullopt;
    if (args[0].text != "growth") {
        error = "expected \"growth OP PERCENT\"";
        return std::nullopt;
    }
    const auto op = parseComparison(args[1].text);
    std::string number = args[2].text;
    if (!number.empty() && number.back() == '%') number.pop_back();
    const auto percent = parseNumber(number);
    if (!op || !percent) {
        error = "expected \"growth OP PERCENT\" such as \"growth < 5%\"";
        return std::nullopt;
    }
    return StepAction([op = *op, limit = *percent, text = args[2].text](Session& s) {
        const auto& samples = s.memorySamples();
        if (samples.size() < 2) return StepOutcome::failure("fewer than two memory samples");
        const auto& first = samples.front();
        const auto& last = samples.back();
        const double growth =
            100.0 * static_cast<double>(last.residentKilobytes - first.residentKilobytes) /
            static_cast<double>(first.residentKilobytes);
        long peak = 0;
        for (const auto& sample : samples) peak = std::max(peak, sample.residentKilobytes);
        char summary[160];
        std::snprintf(summary, sizeof summary,
                      "resident %s at %.2f h, %s at %.2f h (%+.2f%%); highest sample %s",
                      megabytes(first.residentKilobytes).c_str(), first.hours,
                      megabytes(last.residentKilobytes).c_str(), last.hours, growth,
                      megabytes(peak).c_str());
        std::printf("memory: %s, process peak %s\n", summary,
                    megabytes(last.peakKilobytes).c_str());
        if (compare(growth, op, limit, 1e-9)) return StepOutcome::success(summary);
        return StepOutcome::failure(std::string("expected memory growth ") + comparisonText(op) +
                                    " " + text + ", found " + summary);
    });
}

}  // namespace

void registerMemoryCommands(CommandTable& table) {
    table.add({"memory", "memory sample",
               "record and print the tool's resident memory (for long runs)", "output",
               compileMemory});
}

void registerMemoryExpectations(ExpectTable& table) {
    table.add({"memory", "memory growth OP PERCENT",
               "growth of resident memory from the first `memory sample` to the last", "checks",
               compileExpectMemory});
}

}  // namespace sim
