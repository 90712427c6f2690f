// Output: screenshots for people, view-tree dumps and logs for comparisons.
#include <fstream>

#include "host/EventLog.h"
#include "platform/ui/ScreenRenderer.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/ViewTreeDump.h"
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"

namespace sim {

namespace {

bool writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    return static_cast<bool>(out);
}

bool hasExtension(const std::string& name, const std::string& ext) {
    return name.size() > ext.size() && name.compare(name.size() - ext.size(), ext.size(), ext) == 0;
}

// NAME with the extension, a plain file name.
std::optional<std::string> outputName(const std::vector<Token>& args, const std::string& ext,
                                      std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    const std::string& name = args[0].text;
    if (!Session::isPlainFileName(name) || !hasExtension(name, ext)) {
        error = "\"" + name + "\" must be a plain file name ending in " + ext +
                " (it is written into the output folder)";
        return std::nullopt;
    }
    return name;
}

std::optional<StepAction> compileScreenshot(const std::vector<Token>& args, std::string& error) {
    const auto name = outputName(args, ".png", error);
    if (!name) return std::nullopt;
    return StepAction([name = *name](Session& s) {
        auto w = runningWindow(s);
        if (!w.window) return StepOutcome::failure(w.error);
        std::string why;
        const auto path = s.writeOutput(
            name,
            [&](const std::filesystem::path& temp) {
                return platform::ScreenRenderer::writePng(*w.window, temp.string());
            },
            why);
        return path ? StepOutcome::success(path->string()) : StepOutcome::failure(why);
    });
}

std::optional<StepAction> compileDump(const std::vector<Token>& args, std::string& error) {
    const auto name = outputName(args, ".txt", error);
    if (!name) return std::nullopt;
    return StepAction([name = *name](Session& s) {
        auto w = runningWindow(s);
        if (!w.window) return StepOutcome::failure(w.error);
        std::string why;
        const std::string text = platform::dumpViewTree(*w.window);
        const auto path = s.writeOutput(
            name, [&](const std::filesystem::path& temp) { return writeText(temp, text); }, why);
        return path ? StepOutcome::success(path->string()) : StepOutcome::failure(why);
    });
}

std::optional<StepAction> compileLog(const std::vector<Token>& args, std::string& error) {
    const auto name = outputName(args, ".txt", error);
    if (!name) return std::nullopt;
    return StepAction([name = *name](Session& s) {
        std::string text;
        for (const auto& entry : s.events()) text += entry.line() + "\n";
        std::string why;
        const auto path = s.writeOutput(
            name, [&](const std::filesystem::path& temp) { return writeText(temp, text); }, why);
        return path ? StepOutcome::success(path->string()) : StepOutcome::failure(why);
    });
}

}  // namespace

void registerOutputCommands(CommandTable& table) {
    table.add({"screenshot", "screenshot NAME.png", "the screen as a PNG in the output folder",
               "output", compileScreenshot});
    table.add({"dump", "dump NAME.txt", "the view tree as text in the output folder", "output",
               compileDump});
    table.add({"log", "log NAME.txt", "the event log of this run so far", "output", compileLog});
}

}  // namespace sim
