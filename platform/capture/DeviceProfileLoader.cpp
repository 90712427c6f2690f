// Reads device profiles strictly: every object's keys are checked against the fields it may have,
// so a misspelt field is an error rather than a silently missing value. Parsing runs inside this
// file with a private exception type that never leaves it; callers get a ProfileError.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "platform/capture/AVCaptureSession.h"
#include "platform/capture/DeviceProfile.h"

namespace platform {

namespace {

using nlohmann::json;

struct Failure {
    std::string field;
    std::string message;
};

[[noreturn]] void fail(const std::string& field, const std::string& message) {
    throw Failure{field, message};
}

std::string join(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

std::string index(const std::string& path, std::size_t i) {
    return path + "[" + std::to_string(i) + "]";
}

void checkKeys(const json& obj, const std::string& path, const std::set<std::string>& required,
               const std::set<std::string>& optional) {
    if (!obj.is_object()) fail(path, "must be an object");
    for (const auto& [key, value] : obj.items()) {
        if (required.count(key) == 0 && optional.count(key) == 0) {
            fail(join(path, key), "unknown field");
        }
    }
    for (const auto& key : required) {
        if (!obj.contains(key)) fail(join(path, key), "missing");
    }
}

std::string str(const json& obj, const std::string& path, const std::string& key) {
    const json& v = obj.at(key);
    if (!v.is_string() || v.get<std::string>().empty()) {
        fail(join(path, key), "must be a non-empty string");
    }
    return v.get<std::string>();
}

double num(const json& v, const std::string& field, double lo, double hi) {
    if (!v.is_number()) fail(field, "must be a number");
    const double d = v.get<double>();
    if (!std::isfinite(d) || d < lo || d > hi) {
        std::ostringstream os;
        os << "must be between " << lo << " and " << hi;
        fail(field, os.str());
    }
    return d;
}

std::pair<double, double> pair(const json& v, const std::string& field, double lo, double hi) {
    if (!v.is_array() || v.size() != 2) fail(field, "must be a pair [low, high]");
    const double a = num(v[0], index(field, 0), lo, hi);
    const double b = num(v[1], index(field, 1), lo, hi);
    if (a > b) fail(field, "low is above high");
    return {a, b};
}

std::int32_t pixels(const json& v, const std::string& field) {
    if (!v.is_number_integer() || v.get<long long>() < 1 || v.get<long long>() > 100000) {
        fail(field, "must be a whole number from 1 to 100000");
    }
    return v.get<std::int32_t>();
}

CMVideoDimensions dims(const json& v, const std::string& field) {
    if (!v.is_array() || v.size() != 2) fail(field, "must be [width, height]");
    return CMVideoDimensions{pixels(v[0], index(field, 0)), pixels(v[1], index(field, 1))};
}

std::vector<long> modes(const json& v, const std::string& field, long lo, long hi) {
    if (!v.is_array()) fail(field, "must be a list of mode numbers");
    std::vector<long> out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (!v[i].is_number_integer() || v[i].get<long>() < lo || v[i].get<long>() > hi) {
            fail(index(field, i),
                 "must be a mode number from " + std::to_string(lo) + " to " + std::to_string(hi));
        }
        out.push_back(v[i].get<long>());
    }
    return out;
}

std::vector<std::string> strings(const json& v, const std::string& field) {
    if (!v.is_array()) fail(field, "must be a list of strings");
    std::vector<std::string> out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (!v[i].is_string()) fail(index(field, i), "must be a string");
        out.push_back(v[i].get<std::string>());
    }
    return out;
}

// "chosen": true (the whole object) or a list of its field names.
void collectChosen(const json& obj, const std::string& path, const std::set<std::string>& fields,
                   std::vector<std::string>& out) {
    if (!obj.contains("chosen")) return;
    const json& c = obj.at("chosen");
    const std::string field = join(path, "chosen");
    if (c.is_boolean()) {
        if (c.get<bool>()) out.push_back(path);
        return;
    }
    for (const auto& name : strings(c, field)) {
        if (fields.count(name) == 0) fail(field, "names an unknown field \"" + name + "\"");
        out.push_back(join(path, name));
    }
}

FormatProfile parseFormat(const json& f, const std::string& path,
                          std::vector<std::string>& chosen) {
    static const std::set<std::string> required = {
        "width", "height",           "pixelFormats",       "frameRateRanges",
        "iso",   "exposureDuration", "stabilizationModes", "fieldOfView"};
    static const std::set<std::string> optional = {"highResolutionStill", "chosen", "source",
                                                   "note"};
    checkKeys(f, path, required, optional);
    std::set<std::string> fields = required;
    fields.insert("highResolutionStill");
    collectChosen(f, path, fields, chosen);

    FormatProfile out;
    out.dimensions = {pixels(f.at("width"), join(path, "width")),
                      pixels(f.at("height"), join(path, "height"))};
    const auto pixelFormats = strings(f.at("pixelFormats"), join(path, "pixelFormats"));
    if (pixelFormats.empty()) fail(join(path, "pixelFormats"), "must not be empty");
    for (std::size_t i = 0; i < pixelFormats.size(); ++i) {
        const FourCharCode code = fourCharCodeFromString(pixelFormats[i]);
        if (code == 0) fail(index(join(path, "pixelFormats"), i), "must be four characters");
        out.pixelFormats.push_back(code);
    }
    const json& ranges = f.at("frameRateRanges");
    const std::string rangesPath = join(path, "frameRateRanges");
    if (!ranges.is_array()) fail(rangesPath, "must be a list of [min, max] pairs");
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        out.frameRateRanges.push_back(pair(ranges[i], index(rangesPath, i), 0.1, 1000));
    }
    const auto iso = pair(f.at("iso"), join(path, "iso"), 1, 100000);
    out.minISO = static_cast<float>(iso.first);
    out.maxISO = static_cast<float>(iso.second);
    const auto exposure = pair(f.at("exposureDuration"), join(path, "exposureDuration"), 1e-7, 60);
    out.minExposureSeconds = exposure.first;
    out.maxExposureSeconds = exposure.second;
    const auto stab = strings(f.at("stabilizationModes"), join(path, "stabilizationModes"));
    for (std::size_t i = 0; i < stab.size(); ++i) {
        AVCaptureVideoStabilizationMode m = 0;
        if (!stabilizationModeFromName(stab[i], &m)) {
            fail(index(join(path, "stabilizationModes"), i),
                 "must be \"off\", \"standard\", \"cinematic\" or \"auto\"");
        }
        out.stabilizationModes.push_back(m);
    }
    out.fieldOfView =
        static_cast<float>(num(f.at("fieldOfView"), join(path, "fieldOfView"), 1, 180));
    if (f.contains("highResolutionStill")) {
        out.highResolutionStill =
            dims(f.at("highResolutionStill"), join(path, "highResolutionStill"));
    }
    return out;
}

CameraProfile parseCamera(const json& c, const std::string& path, AVCaptureDevicePosition pos,
                          std::vector<std::string>& chosen) {
    static const std::set<std::string> required = {
        "stillSize",         "lens",    "focusModes", "exposureModes",
        "whiteBalanceModes", "presets", "formats"};
    static const std::set<std::string> optional = {"chosen", "sources", "note"};
    checkKeys(c, path, required, optional);
    collectChosen(c, path, required, chosen);

    CameraProfile out;
    out.position = pos;
    out.stillSize = dims(c.at("stillSize"), join(path, "stillSize"));

    const json& lens = c.at("lens");
    const std::string lensPath = join(path, "lens");
    checkKeys(lens, lensPath, {"aperture", "minimumFocusDistance", "autoFocusSystem"}, {});
    out.aperture = num(lens.at("aperture"), join(lensPath, "aperture"), 0.5, 32);
    out.minimumFocusDistance =
        num(lens.at("minimumFocusDistance"), join(lensPath, "minimumFocusDistance"), 0.01, 100);
    out.autoFocusSystem = str(lens, lensPath, "autoFocusSystem");
    if (out.autoFocusSystem != "none" && out.autoFocusSystem != "contrast" &&
        out.autoFocusSystem != "phase") {
        fail(join(lensPath, "autoFocusSystem"), "must be \"none\", \"contrast\" or \"phase\"");
    }

    out.focusModes = modes(c.at("focusModes"), join(path, "focusModes"), 0, 2);
    out.exposureModes = modes(c.at("exposureModes"), join(path, "exposureModes"), 0, 3);
    out.whiteBalanceModes = modes(c.at("whiteBalanceModes"), join(path, "whiteBalanceModes"), 0, 2);

    const json& presets = c.at("presets");
    const std::string presetsPath = join(path, "presets");
    if (!presets.is_object()) fail(presetsPath, "must be an object of preset names");
    const auto& known = allSessionPresets();
    for (const auto& [name, value] : presets.items()) {
        if (std::find(known.begin(), known.end(), name) == known.end() ||
            name == AVCaptureSessionPresetInputPriority) {
            fail(join(presetsPath, name), "is not a session preset with dimensions");
        }
        out.presets[name] = dims(value, join(presetsPath, name));
    }

    const json& formats = c.at("formats");
    const std::string formatsPath = join(path, "formats");
    if (!formats.is_array()) fail(formatsPath, "must be a list");
    for (std::size_t i = 0; i < formats.size(); ++i) {
        out.formats.push_back(parseFormat(formats[i], index(formatsPath, i), chosen));
    }
    // A preset must be served by one of the camera's formats.
    for (const auto& preset : out.presets) {
        const CMVideoDimensions wanted = preset.second;
        const bool served =
            std::any_of(out.formats.begin(), out.formats.end(),
                        [&](const FormatProfile& f) { return f.dimensions == wanted; });
        if (!served) fail(join(presetsPath, preset.first), "no format has these dimensions");
    }
    return out;
}

CGSize parseSize(const json& s, const std::string& path) {
    checkKeys(s, path, {"width", "height"}, {});
    return CGSizeMake(num(s.at("width"), join(path, "width"), 1, 10000),
                      num(s.at("height"), join(path, "height"), 1, 10000));
}

DeviceProfile parseProfile(const json& root) {
    static const std::set<std::string> required = {
        "modelIdentifier", "name", "shortName", "model", "idiom", "screen", "cameras"};
    static const std::set<std::string> optional = {"chosen", "sources", "note"};
    checkKeys(root, "", required, optional);

    DeviceProfile p;
    p.modelIdentifier = str(root, "", "modelIdentifier");
    p.name = str(root, "", "name");
    p.shortName = str(root, "", "shortName");
    if (!std::all_of(p.shortName.begin(), p.shortName.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        })) {
        fail("shortName", "must be lower-case letters, digits and hyphens");
    }
    p.model = str(root, "", "model");
    const std::string idiom = str(root, "", "idiom");
    if (idiom != "phone" && idiom != "pad") fail("idiom", "must be \"phone\" or \"pad\"");
    p.idiom = idiom == "pad" ? 1 : 0;

    const json& screen = root.at("screen");
    checkKeys(screen, "screen", {"width", "height", "scale"}, {"zoomed"});
    p.screenSize = CGSizeMake(num(screen.at("width"), "screen.width", 1, 10000),
                              num(screen.at("height"), "screen.height", 1, 10000));
    p.scale = num(screen.at("scale"), "screen.scale", 1, 3);
    if (screen.contains("zoomed"))
        p.zoomedScreenSize = parseSize(screen.at("zoomed"), "screen.zoomed");

    if (root.contains("chosen")) {
        for (const auto& c : strings(root.at("chosen"), "chosen")) p.chosen.push_back(c);
    }
    if (root.contains("sources")) p.sources = strings(root.at("sources"), "sources");

    const json& cameras = root.at("cameras");
    checkKeys(cameras, "cameras", {}, {"back", "front"});
    if (cameras.contains("back")) {
        p.back =
            parseCamera(cameras.at("back"), "cameras.back", AVCaptureDevicePositionBack, p.chosen);
    }
    if (cameras.contains("front")) {
        p.front = parseCamera(cameras.at("front"), "cameras.front", AVCaptureDevicePositionFront,
                              p.chosen);
    }
    return p;
}

}  // namespace

std::string ProfileError::describe() const {
    std::string s = file;
    if (!field.empty()) s += ": " + field;
    return s + ": " + message;
}

const CameraProfile* DeviceProfile::camera(AVCaptureDevicePosition position) const {
    if (position == AVCaptureDevicePositionBack && back) return &*back;
    if (position == AVCaptureDevicePositionFront && front) return &*front;
    return nullptr;
}

DeviceConfig DeviceProfile::deviceConfig(bool displayZoom) const {
    DeviceConfig c;
    c.modelIdentifier = modelIdentifier;
    c.model = model;
    c.screenBounds = CGRectMake(0, 0, screenSize.width, screenSize.height);
    if (displayZoom && zoomedScreenSize) {
        c.zoomedBounds = CGRectMake(0, 0, zoomedScreenSize->width, zoomedScreenSize->height);
    }
    c.scale = scale;
    c.idiom = static_cast<int>(idiom);
    return c;
}

ProfileResult<DeviceProfile> parseDeviceProfile(std::string_view text,
                                                const std::string& fileName) {
    json root;
    try {
        root = json::parse(text.begin(), text.end());
    } catch (const json::exception& e) {
        return ProfileError{fileName, "", std::string("not valid JSON: ") + e.what()};
    }
    try {
        DeviceProfile p = parseProfile(root);
        p.path = fileName;
        return p;
    } catch (const Failure& f) {
        return ProfileError{fileName, f.field, f.message};
    } catch (const json::exception& e) {
        return ProfileError{fileName, "", e.what()};
    }
}

ProfileResult<DeviceProfile> loadDeviceProfile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return ProfileError{path.string(), "", "cannot be read"};
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) return ProfileError{path.string(), "", "cannot be read"};
    auto result = parseDeviceProfile(buf.str(), path.string());
    if (result.ok()) result.value().path = path;
    return result;
}

}  // namespace platform
