#include "viewer/Requests.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <vector>

#include "sim/scenario/CommandTable.h"
#include "sim/scenario/Script.h"
#include "sim/scenario/Values.h"

namespace viewer {

namespace {

using nlohmann::json;

// A finite number field, or nullopt.
std::optional<double> number(const json& request, const char* key) {
    const auto it = request.find(key);
    if (it == request.end() || !it->is_number()) return std::nullopt;
    const double v = it->get<double>();
    return std::isfinite(v) ? std::optional<double>(v) : std::nullopt;
}

std::string point(double x, double y) {
    return "(" + sim::formatNumber(std::round(x * 10) / 10) + "," +
           sim::formatNumber(std::round(y * 10) / 10) + ")";
}

std::string seconds(double s) {
    return std::to_string(std::max<long>(1, std::lround(s * 1000))) + "ms";
}

// The line checked by the scenario parser, which knows every command's own limits.
LineOrError checked(std::string line) {
    std::string error;
    const auto step = sim::parseLine(line, {"<page>", 1}, error);
    if (!step) return {{}, error.empty() ? "empty request" : error};
    return {std::move(line), {}};
}

LineOrError fail(std::string message) {
    return {{}, std::move(message)};
}

// Farthest distance of the points from the straight line between the ends.
double bulge(const std::vector<std::pair<double, double>>& pts) {
    const auto [ax, ay] = pts.front();
    const auto [bx, by] = pts.back();
    const double len = std::hypot(bx - ax, by - ay);
    double most = 0;
    for (const auto& [x, y] : pts) {
        const double d = len < 1e-9 ? std::hypot(x - ax, y - ay)
                                    : std::fabs((bx - ax) * (ay - y) - (ax - x) * (by - ay)) / len;
        most = std::max(most, d);
    }
    return most;
}

}  // namespace

std::string quoteWord(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

LineOrError touchLine(const json& request) {
    if (!request.is_object()) return fail("expected a JSON object");
    const auto g = request.find("gesture");
    if (g == request.end() || !g->is_string())
        return fail("missing \"gesture\" (tap, press or drag)");
    const std::string gesture = g->get<std::string>();
    if (gesture == "tap" || gesture == "press") {
        const auto x = number(request, "x");
        const auto y = number(request, "y");
        if (!x || !y) return fail("a " + gesture + " needs numbers \"x\" and \"y\" (points)");
        if (gesture == "tap") return checked("tap " + point(*x, *y));
        const auto s = number(request, "seconds");
        if (!s || *s <= 0 || *s > 600)
            return fail("a press needs \"seconds\" above 0, at most 600");
        return checked("long-press " + point(*x, *y) + " " + seconds(*s));
    }
    if (gesture != "drag") return fail("unknown gesture \"" + gesture + "\" (tap, press or drag)");
    const auto s = number(request, "seconds");
    if (!s || *s <= 0 || *s > 60) return fail("a drag needs \"seconds\" above 0, at most 60");
    const auto p = request.find("points");
    if (p == request.end() || !p->is_array() || p->size() < 2 || p->size() > 2000)
        return fail("a drag needs \"points\": 2 to 2000 [x, y] pairs");
    std::vector<std::pair<double, double>> pts;
    for (const auto& item : *p) {
        if (!item.is_array() || item.size() != 2 || !item[0].is_number() || !item[1].is_number())
            return fail("each point is [x, y] with two numbers");
        const double x = item[0].get<double>(), y = item[1].get<double>();
        if (!std::isfinite(x) || !std::isfinite(y))
            return fail("each point is [x, y] with two numbers");
        pts.emplace_back(x, y);
    }
    // Within a finger's width of a straight line: the scenario's own straight drag.
    if (bulge(pts) <= 12) {
        return checked("drag " + point(pts.front().first, pts.front().second) + " " +
                       point(pts.back().first, pts.back().second) + " " + seconds(*s));
    }
    constexpr std::size_t kMostPoints = 60;
    std::string line = "trace " + seconds(*s);
    const std::size_t n = std::min(pts.size(), kMostPoints);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = n == 1 ? 0 : i * (pts.size() - 1) / (n - 1);
        line += " " + point(pts[at].first, pts[at].second);
    }
    return checked(line);
}

LineOrError actionLine(const json& request) {
    if (!request.is_object()) return fail("expected a JSON object");
    const auto c = request.find("command");
    if (c == request.end() || !c->is_string()) return fail("missing \"command\"");
    const std::string command = c->get<std::string>();
    // The commands a page may run and the words each takes.
    static const std::map<std::string, std::vector<std::string>> kWords{
        {"launch", {"camera", "settings"}},
        {"terminate", {}},
        {"background", {}},
        {"foreground", {}},
        {"orient",
         {"portrait", "upside-down", "landscape-left", "landscape-right", "face-up", "face-down"}},
        {"mode", {"photo", "video", "square", "slomo", "pano"}},
        {"camera", {"back", "front"}},
    };
    if (command == "tilt") {
        const auto v = number(request, "value");
        if (!v) return fail("tilt needs a number \"value\" (degrees)");
        return checked("tilt " + sim::formatNumber(std::round(*v * 10) / 10));
    }
    if (command == "scene") {
        std::string line = "scene";
        for (const char* key : {"brightness", "distance"}) {
            if (!request.contains(key)) continue;
            const auto v = number(request, key);
            if (!v) return fail(std::string("scene ") + key + " must be a number");
            line += std::string(" ") + key + " " + sim::formatNumber(std::round(*v * 100) / 100);
        }
        if (line == "scene") return fail("scene needs \"brightness\" or \"distance\"");
        return checked(line);
    }
    if (command == "prefs") {
        // A key of the preferences file, written as a scenario's `prefs set` writes it.
        const auto key = request.find("key");
        const auto v = request.find("value");
        if (key == request.end() || !key->is_string() || v == request.end())
            return fail("prefs needs a \"key\" and a \"value\" (true, false or a whole number)");
        const std::string name = key->get<std::string>();
        const bool plain = !name.empty() && name.size() < 64 &&
                           std::all_of(name.begin(), name.end(),
                                       [](unsigned char c) { return std::isalnum(c) != 0; });
        if (!plain) return fail("unknown preferences key \"" + name + "\"");
        if (v->is_boolean())
            return checked("prefs set " + name + (v->get<bool>() ? " true" : " false") + " notify");
        if (v->is_number_integer())
            return checked("prefs set " + name + " " + std::to_string(v->get<long>()) + " notify");
        return fail("a preference's \"value\" is true, false or a whole number");
    }
    const auto it = kWords.find(command);
    if (it == kWords.end()) return fail("unknown command \"" + command + "\"");
    if (it->second.empty()) return checked(command);
    const auto v = request.find("value");
    if (v == request.end() || !v->is_string())
        return fail(command + " needs a \"value\" (" + sim::listChoices(it->second) + ")");
    const std::string word = v->get<std::string>();
    if (std::find(it->second.begin(), it->second.end(), word) == it->second.end())
        return fail("unknown " + command + " \"" + word + "\" (" + sim::listChoices(it->second) +
                    ")");
    return checked(command + " " + word);
}

}  // namespace viewer
