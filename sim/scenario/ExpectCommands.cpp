// `expect`: checks over the screen, the capture device, the preferences file, the saved
// photos, the sounds played and the event log. A failed check names what it found.
#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "platform/capture/AVCaptureDeviceFormat.h"
#include "platform/capture/CMTime.h"
#include "platform/media/AudioSoundLog.h"
#include "platform/media/Exif.h"
#include "platform/media/JpegCodec.h"
#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIControl.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UISwitch.h"
#include "platform/ui/UIWindow.h"
#include "sim/PreferenceKeys.h"
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"
#include "sim/scenario/PhotoPixels.h"
#include "sim/scenario/Values.h"

namespace sim {

namespace {

using Check = std::function<StepOutcome(Session&)>;

// "OP VALUE" at args[i], args[i+1]; `value` parses the number.
struct Compared {
    Comparison op;
    double expected;
    std::string text;
};
std::optional<Compared> parseCompared(const std::vector<Token>& args, std::size_t i,
                                      std::optional<double> (*value)(std::string_view),
                                      std::string& error) {
    if (!checkCount(args, i + 2, i + 2, error)) return std::nullopt;
    const auto op = parseComparison(args[i].text);
    if (!op) {
        error = "expected a comparison (=, !=, <, <=, >, >=), found \"" + args[i].text + "\"";
        return std::nullopt;
    }
    const auto v = value(args[i + 1].text);
    if (!v) {
        error = "malformed value \"" + args[i + 1].text + "\"";
        return std::nullopt;
    }
    return Compared{*op, *v, args[i + 1].text};
}

std::optional<double> integerValue(std::string_view text) {
    const auto i = parseInteger(text);
    return i ? std::optional<double>(static_cast<double>(*i)) : std::nullopt;
}

StepOutcome checkNumber(const std::string& what, double actual, const Compared& c,
                        double tolerance = 1e-6) {
    if (compare(actual, c.op, c.expected, tolerance)) return StepOutcome::success();
    return StepOutcome::failure("expected " + what + " " + comparisonText(c.op) + " " + c.text +
                                ", found " + formatNumber(actual));
}

// --- view ---

// Whether a control or an image view shows its highlighted state; nullopt for other views.
std::optional<bool> highlightedState(const UIView& view) {
    if (const auto* control = dynamic_cast<const UIControl*>(&view))
        return control->isHighlighted();
    if (const auto* image = dynamic_cast<const UIImageView*>(&view)) return image->isHighlighted();
    return std::nullopt;
}

std::optional<StepAction> compileView(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 4, error)) return std::nullopt;
    const auto q = parseViewQuery(args[0], error);
    if (!q) return std::nullopt;
    if (!q->namesView()) {
        error = "expect view needs a view, not a point";
        return std::nullopt;
    }
    static const std::vector<std::string> kStates{
        "exists",  "absent",   "visible", "hidden", "selected",    "not-selected",
        "enabled", "disabled", "text",    "frame",  "highlighted", "not-highlighted",
        "alpha",   "tag",      "on",      "off"};
    const auto which = pickChoice(args[1], kStates, "view check", error);
    if (!which) return std::nullopt;
    const std::string what = kStates[*which];
    const bool takesValue = what == "text" || what == "frame";
    const bool takesComparison = what == "alpha" || what == "tag";
    const std::size_t words = takesComparison ? 4 : takesValue ? 3 : 2;
    if (!checkCount(args, words, words, error)) return std::nullopt;
    std::string text;
    CGRect frame{};
    std::optional<Compared> compared;
    if (takesComparison) {
        compared = parseCompared(args, 2, what == "tag" ? &integerValue : &parseNumber, error);
        if (!compared) return std::nullopt;
    }
    if (what == "text") text = args[2].text;
    if (what == "frame") {
        const auto r = parseRect(args[2].text);
        if (!r) {
            error = "malformed frame \"" + args[2].text + "\" (expected (x,y,w,h))";
            return std::nullopt;
        }
        frame = *r;
    }
    return StepAction([q = *q, what, text, frame, compared](Session& s) -> StepOutcome {
        auto w = runningWindow(s);
        if (!w.window) return StepOutcome::failure(w.error);
        UIView* v = findView(*w.window, q);
        const std::string name = q.describe();
        if (what == "absent")
            return v == nullptr ? StepOutcome::success()
                                : StepOutcome::failure("expected no " + name + ", found one");
        if (v == nullptr) return StepOutcome::failure("no view " + name + " on screen");
        const auto* control = dynamic_cast<const UIControl*>(v);
        const auto need = [&](bool holds, const std::string& found) {
            return holds
                       ? StepOutcome::success()
                       : StepOutcome::failure("expected " + name + " " + what + ", found " + found);
        };
        if (what == "exists") return StepOutcome::success();
        if (what == "visible") return need(isEffectivelyVisible(*v), "it hidden");
        if (what == "hidden") return need(!isEffectivelyVisible(*v), "it visible");
        if (what == "alpha") return checkNumber(name + " alpha", v->alpha(), *compared, 1e-3);
        if (what == "tag")
            return checkNumber(name + " tag", static_cast<double>(v->tag()), *compared);
        if (what == "highlighted" || what == "not-highlighted") {
            const auto h = highlightedState(*v);
            if (!h)
                return StepOutcome::failure(name + " is a " + v->className() +
                                            ", which has no highlighted state");
            return what == "highlighted" ? need(*h, "it not highlighted")
                                         : need(!*h, "it highlighted");
        }
        if (what == "selected" || what == "not-selected" || what == "enabled" ||
            what == "disabled") {
            if (control == nullptr)
                return StepOutcome::failure(name + " is a " + v->className() + ", not a control");
            if (what == "selected") return need(control->isSelected(), "it not selected");
            if (what == "not-selected") return need(!control->isSelected(), "it selected");
            if (what == "enabled") return need(control->isEnabled(), "it disabled");
            return need(!control->isEnabled(), "it enabled");
        }
        if (what == "highlighted" || what == "not-highlighted") {
            const auto* image = dynamic_cast<const UIImageView*>(v);
            if (image == nullptr)
                return StepOutcome::failure(name + " is a " + v->className() +
                                            ", not an image view");
            return what == "highlighted" ? need(image->isHighlighted(), "it not highlighted")
                                         : need(!image->isHighlighted(), "it highlighted");
        }
        if (what == "on" || what == "off") {
            const auto* toggle = dynamic_cast<const UISwitch*>(v);
            if (toggle == nullptr)
                return StepOutcome::failure(name + " is a " + v->className() + ", not a switch");
            return need(toggle->isOn() == (what == "on"), toggle->isOn() ? "it on" : "it off");
        }
        if (what == "text") {
            const auto t = readoutText(*v);
            if (!t) return StepOutcome::failure(name + " is a " + v->className() + " with no text");
            return *t == text ? StepOutcome::success()
                              : StepOutcome::failure("expected " + name + " text \"" + text +
                                                     "\", found \"" + *t + "\"");
        }
        const CGRect f = v->frame();
        const bool same = std::abs(f.origin.x - frame.origin.x) < 0.01 &&
                          std::abs(f.origin.y - frame.origin.y) < 0.01 &&
                          std::abs(f.size.width - frame.size.width) < 0.01 &&
                          std::abs(f.size.height - frame.size.height) < 0.01;
        return need(same, "(" + formatNumber(f.origin.x) + "," + formatNumber(f.origin.y) + "," +
                              formatNumber(f.size.width) + "," + formatNumber(f.size.height) + ")");
    });
}

// --- views ---

// Views of a class anywhere in the window ("any": of every class): the visible ones (they and
// every ancestor not hidden, alpha above 0), or with `all` every view in the tree.
std::size_t countViews(const UIView& view, const std::string& className, bool all) {
    if (!all && !isEffectivelyVisible(view)) return 0;
    std::size_t n = className == "any" || className == view.className() ? 1 : 0;
    for (const auto& sub : view.subviews()) n += countViews(*sub, className, all);
    return n;
}

std::optional<StepAction> compileViews(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 4, 4, error)) return std::nullopt;
    const std::string className = args[0].text;
    if (args[0].quoted || className.empty() ||
        (className != "any" && !std::isupper(static_cast<unsigned char>(className.front())))) {
        error = "expected a class name (an upper-case first letter) or any, found \"" + className +
                "\"";
        return std::nullopt;
    }
    if (args[1].text != "count" && args[1].text != "total") {
        error = "expected \"count OP N\" or \"total OP N\" after the class name";
        return std::nullopt;
    }
    const bool all = args[1].text == "total";
    const auto c = parseCompared(args, 2, &integerValue, error);
    if (!c) return std::nullopt;
    return StepAction([className, all, c = *c](Session& s) {
        auto w = runningWindow(s);
        if (!w.window) return StepOutcome::failure(w.error);
        return checkNumber((all ? "" : "visible ") + className + " views",
                           static_cast<double>(countViews(*w.window, className, all)), c);
    });
}

// Events waiting in the main run loop: timers, delayed calls, animation completions. A timer
// left running or a delayed call rescheduling itself shows as a count that keeps growing.
std::optional<StepAction> compileRunLoop(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 3, 3, error)) return std::nullopt;
    if (args[0].text != "pending") {
        error = "expected \"pending OP N\"";
        return std::nullopt;
    }
    const auto c = parseCompared(args, 1, &integerValue, error);
    if (!c) return std::nullopt;
    return StepAction([c = *c](Session&) {
        return checkNumber("pending run-loop events",
                           static_cast<double>(platform::RunLoop::main().pendingCount()), c);
    });
}

// --- capture ---

struct NamedModes {
    std::vector<std::string> names;
    std::vector<long> values;
};
const NamedModes kFocusModes{{"locked", "auto", "continuous"}, {0, 1, 2}};
const NamedModes kExposureModes{{"locked", "auto", "continuous", "custom"}, {0, 1, 2, 3}};
const NamedModes kWhiteBalanceModes{{"locked", "auto", "continuous"}, {0, 1, 2}};

std::string modeName(const NamedModes& modes, long value) {
    for (std::size_t i = 0; i < modes.values.size(); ++i) {
        if (modes.values[i] == value) return modes.names[i];
    }
    return std::to_string(value);
}

std::optional<StepAction> compileCapture(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 3, error)) return std::nullopt;
    static const std::vector<std::string> kProperties{
        "format-height", "format-width",  "frame-duration",     "frame-rate",
        "focus-mode",    "exposure-mode", "white-balance-mode", "lens-position",
        "iso",           "position",      "exposure-duration"};
    const auto which = pickChoice(args[0], kProperties, "capture property", error);
    if (!which) return std::nullopt;
    const std::string property = kProperties[*which];

    const NamedModes* modes = property == "focus-mode"           ? &kFocusModes
                              : property == "exposure-mode"      ? &kExposureModes
                              : property == "white-balance-mode" ? &kWhiteBalanceModes
                                                                 : nullptr;
    if (modes != nullptr || property == "position") {
        if (!checkCount(args, 2, 2, error)) return std::nullopt;
        const NamedModes positions{{"back", "front"}, {1, 2}};
        const NamedModes& names = modes != nullptr ? *modes : positions;
        const auto i = pickChoice(args[1], names.names, property, error);
        if (!i) return std::nullopt;
        return StepAction([property, names, expected = names.values[*i]](Session& s) {
            SimulatedApp* app = s.app();
            const auto device = app != nullptr ? app->captureDevice() : nullptr;
            if (!device) return StepOutcome::failure("no capture device in use");
            const long actual = property == "focus-mode"      ? device->focusMode()
                                : property == "exposure-mode" ? device->exposureMode()
                                : property == "position" ? static_cast<long>(device->position())
                                                         : device->whiteBalanceMode();
            if (actual == expected) return StepOutcome::success();
            return StepOutcome::failure("expected " + property + " " + modeName(names, expected) +
                                        ", found " + modeName(names, actual));
        });
    }
    auto reader = property == "frame-duration" || property == "exposure-duration" ? &parseSeconds
                                                                                  : &parseNumber;
    const auto c = parseCompared(args, 1, reader, error);
    if (!c) return std::nullopt;
    return StepAction([property, c = *c](Session& s) {
        SimulatedApp* app = s.app();
        const auto device = app != nullptr ? app->captureDevice() : nullptr;
        if (!device) return StepOutcome::failure("no capture device in use");
        const auto format = device->activeFormat();
        if (property == "format-height" || property == "format-width") {
            if (!format) return StepOutcome::failure("the device has no active format");
            const auto d = format->dimensions();
            return checkNumber(property, property == "format-height" ? d.height : d.width, c);
        }
        const double duration = CMTimeGetSeconds(device->activeVideoMinFrameDuration());
        if (property == "frame-duration") return checkNumber(property, duration, c, 1e-5);
        if (property == "frame-rate") {
            if (!(duration > 0)) return StepOutcome::failure("no frame duration set");
            return checkNumber(property, 1.0 / duration, c, 0.01);
        }
        if (property == "exposure-duration") {
            const CMTime exposure = device->exposureDuration();
            if (!CMTIME_IS_VALID(exposure)) return StepOutcome::failure("no exposure duration set");
            return checkNumber(property, CMTimeGetSeconds(exposure), c, 1e-6);
        }
        if (property == "lens-position")
            return checkNumber(property, device->lensPosition(), c, 1e-3);
        return checkNumber(property, device->ISO(), c, 0.5);
    });
}

// --- prefs ---

std::optional<StepAction> compilePrefs(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 3, error)) return std::nullopt;
    const PreferenceKey* key = args[0].quoted ? nullptr : findPreferenceKey(args[0].text);
    if (key == nullptr) {
        error = "unknown preferences key \"" + args[0].text + "\"";
        return std::nullopt;
    }
    const std::string name(key->name);
    if (args.size() == 2) {
        if (args[1].text != "absent" || args[1].quoted) {
            error = "expected \"absent\" or \"= VALUE\"";
            return std::nullopt;
        }
        return StepAction([name](Session& s) {
            const auto prefs = s.root().readPreferences();
            const ns::Value* v = prefs ? prefs->get(name) : nullptr;
            if (v == nullptr) return StepOutcome::success();
            return StepOutcome::failure("expected " + name + " absent, found " + describeValue(*v));
        });
    }
    if (args[1].text != "=" || args[1].quoted) {
        error = "expected \"= VALUE\" or \"absent\"";
        return std::nullopt;
    }
    const auto expected = preferenceValue(*key, args[2].text, args[2].quoted);
    if (!expected) {
        error = "malformed value \"" + args[2].text + "\" for " + name;
        return std::nullopt;
    }
    return StepAction([name, expected = *expected](Session& s) {
        const auto prefs = s.root().readPreferences();
        if (!prefs) return StepOutcome::failure("the preferences file is missing or unreadable");
        const ns::Value* v = prefs->get(name);
        if (v == nullptr)
            return StepOutcome::failure("expected " + name + " = " + describeValue(expected) +
                                        ", found it absent");
        // Numbers compare by value whatever their stored type (the file may hold 1 for true).
        bool same = *v == expected;
        if (!same && v->isNumber() && expected.isNumber()) {
            const auto a = v->doubleValue();
            const auto b = expected.doubleValue();
            same = a && b && *a == *b;
        }
        return same ? StepOutcome::success()
                    : StepOutcome::failure("expected " + name + " = " + describeValue(expected) +
                                           ", found " + describeValue(*v));
    });
}

// --- photos ---

std::optional<StepAction> compilePhotos(const std::vector<Token>& args, std::string& error) {
    if (args.empty() || args[0].text != "count") {
        error = "expected \"count OP N\"";
        return std::nullopt;
    }
    const auto c = parseCompared(args, 1, &integerValue, error);
    if (!c) return std::nullopt;
    return StepAction([c = *c](Session& s) {
        s.settle();  // photos being saved land first
        return checkNumber("photo count", static_cast<double>(s.root().photos().size()), c);
    });
}

std::optional<std::vector<std::uint8_t>> readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The photo a check names (1 the first in name order, 0 the last), or a failure.
struct PhotoLookup {
    std::filesystem::path path;
    std::vector<std::uint8_t> bytes;
    std::optional<StepOutcome> failure;
};
PhotoLookup lookUpPhoto(Session& s, long index) {
    s.settle();
    PhotoLookup found;
    const auto photos = s.root().photos();
    if (photos.empty()) {
        found.failure = StepOutcome::failure("no photo saved");
    } else if (index > static_cast<long>(photos.size())) {
        found.failure =
            StepOutcome::failure("only " + std::to_string(photos.size()) + " photos saved");
    } else {
        found.path = index == 0 ? photos.back() : photos[static_cast<std::size_t>(index - 1)];
        if (auto bytes = readAll(found.path)) {
            found.bytes = std::move(*bytes);
        } else {
            found.failure = StepOutcome::failure("cannot read " + found.path.string());
        }
    }
    return found;
}

std::optional<StepAction> compilePhoto(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 3, 5, error)) return std::nullopt;
    long index = 0;  // 0: the last
    if (args[0].text != "last") {
        const auto n = parseInteger(args[0].text);
        if (!n || *n < 1) {
            error = "expected a photo number (1 is the first) or \"last\", found \"" +
                    args[0].text + "\"";
            return std::nullopt;
        }
        index = *n;
    }
    const auto which = pickChoice(args[1], {"orientation", "size", "red-pixels", "brightness"},
                                  "photo check", error);
    if (!which) return std::nullopt;
    if (*which == 3) {
        if (!checkCount(args, 4, 4, error)) return std::nullopt;
        const auto c = parseCompared(args, 2, &parseNumber, error);
        if (!c) return std::nullopt;
        return StepAction([index, c = *c](Session& s) {
            const PhotoLookup photo = lookUpPhoto(s, index);
            if (photo.failure) return *photo.failure;
            const auto mean = meanBrightness(photo.bytes);
            if (!mean)
                return StepOutcome::failure(photo.path.filename().string() +
                                            " does not decode as a JPEG");
            return checkNumber("brightness of " + photo.path.filename().string(), *mean, c);
        });
    }
    if (*which == 2) {
        if (!checkCount(args, 5, 5, error)) return std::nullopt;
        const auto corner = parsePhotoCorner(args[2].text);
        if (!corner) {
            error =
                "expected a corner (upper-left, upper-right, lower-left or lower-right), "
                "found \"" +
                args[2].text + "\"";
            return std::nullopt;
        }
        const auto c = parseCompared(args, 3, &integerValue, error);
        if (!c) return std::nullopt;
        return StepAction([index, corner = *corner, c = *c, where = args[2].text](Session& s) {
            const PhotoLookup photo = lookUpPhoto(s, index);
            if (photo.failure) return *photo.failure;
            const auto red = countRedPixels(photo.bytes, corner);
            if (!red)
                return StepOutcome::failure(photo.path.filename().string() +
                                            " does not decode as a JPEG");
            return checkNumber(
                "red pixels at the " + where + " of " + photo.path.filename().string(),
                static_cast<double>(*red), c);
        });
    }
    const bool size = *which == 1;
    std::optional<Compared> orientation;
    PixelSize pixels;
    if (size) {
        if (!checkCount(args, 3, 3, error)) return std::nullopt;
        const auto p = parsePixelSize(args[2].text);
        if (!p) {
            error = "malformed size \"" + args[2].text + "\" (expected WxH)";
            return std::nullopt;
        }
        pixels = *p;
    } else {
        orientation = parseCompared(args, 2, &integerValue, error);
        if (!orientation) return std::nullopt;
    }
    return StepAction([index, size, orientation, pixels](Session& s) {
        const PhotoLookup photo = lookUpPhoto(s, index);
        if (photo.failure) return *photo.failure;
        const std::string name = photo.path.filename().string();
        if (!size) {
            const int tag = platform::readExifOrientation(photo.bytes).value_or(1);
            return checkNumber("orientation of " + name, tag, *orientation);
        }
        const auto header = platform::readJpegHeader(photo.bytes);
        if (!header) return StepOutcome::failure(name + " is not a JPEG");
        if (header->width == pixels.width && header->height == pixels.height)
            return StepOutcome::success();
        return StepOutcome::failure("expected " + name + " size " + std::to_string(pixels.width) +
                                    "x" + std::to_string(pixels.height) + ", found " +
                                    std::to_string(header->width) + "x" +
                                    std::to_string(header->height));
    });
}

// --- sounds ---

std::optional<StepAction> compileSounds(const std::vector<Token>& args, std::string& error) {
    std::string name;
    std::size_t i = 0;
    if (!args.empty() && !parseComparison(args[0].text)) {
        name = args[0].text;
        i = 1;
    }
    const auto c = parseCompared(args, i, &integerValue, error);
    if (!c) return std::nullopt;
    return StepAction([name, c = *c](Session&) {
        const auto& log = platform::SoundLog::shared();
        const std::size_t n = name.empty() ? log.count() : log.count(name);
        return checkNumber(name.empty() ? "sounds played" : "plays of " + name,
                           static_cast<double>(n), c);
    });
}

// --- events ---

std::optional<StepAction> compileEvent(const std::vector<Token>& words, std::string& error) {
    // "event NAME count = 2" reads better; "count" is optional.
    std::vector<Token> args = words;
    if (args.size() == 4 && args[1].text == "count" && !args[1].quoted)
        args.erase(args.begin() + 1);
    if (!checkCount(args, 1, 3, error)) return std::nullopt;
    const std::string name = args[0].text;
    std::optional<Compared> c;
    if (args.size() == 2) {
        if (args[1].text != "never") {
            error = "expected \"never\" or \"OP N\" after the event name";
            return std::nullopt;
        }
        c = Compared{Comparison::Equal, 0, "0"};
    } else if (args.size() == 3) {
        c = parseCompared(args, 1, &integerValue, error);
        if (!c) return std::nullopt;
    }
    return StepAction([name, c](Session& s) {
        s.settle();
        const auto entries = s.events();
        const auto n = static_cast<double>(
            std::count_if(entries.begin(), entries.end(),
                          [&](const host::LogEntry& e) { return e.event == name; }));
        if (!c) {
            return n > 0 ? StepOutcome::success()
                         : StepOutcome::failure("expected event " + name + ", it never happened");
        }
        return checkNumber("count of " + name, n, *c);
    });
}

std::optional<StepAction> compileEvents(const std::vector<Token>& args, std::string& error) {
    if (args.size() < 3 || args[0].text != "in-order") {
        error = "expected \"in-order EVENT EVENT ...\" (two events at least)";
        return std::nullopt;
    }
    std::vector<std::string> wanted;
    for (std::size_t i = 1; i < args.size(); ++i) wanted.push_back(args[i].text);
    return StepAction([wanted](Session& s) {
        s.settle();
        const auto entries = s.events();
        std::size_t at = 0;
        for (std::size_t w = 0; w < wanted.size(); ++w) {
            while (at < entries.size() && entries[at].event != wanted[w]) ++at;
            if (at == entries.size()) {
                return StepOutcome::failure("expected " + wanted[w] +
                                            (w == 0 ? std::string() : " after " + wanted[w - 1]) +
                                            ", found none");
            }
            ++at;
        }
        return StepOutcome::success();
    });
}

std::optional<StepAction> compileMotion(const std::vector<Token>& args, std::string& error) {
    if (args.empty() || args[0].text != "samples") {
        error = "expected \"samples OP N\"";
        return std::nullopt;
    }
    const auto c = parseCompared(args, 1, &integerValue, error);
    if (!c) return std::nullopt;
    return StepAction([c = *c](Session& s) {
        s.settle();
        return checkNumber("motion samples", static_cast<double>(s.motionSamples()), c);
    });
}

// --- app ---

std::optional<StepAction> compileApp(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 2, error)) return std::nullopt;
    const auto which = pickChoice(args[0], {"camera", "settings"}, "app", error);
    if (!which) return std::nullopt;
    const auto state = pickChoice(args[1], {"running", "ended"}, "app state", error);
    if (!state) return std::nullopt;
    const AppKind kind = *which == 0 ? AppKind::Camera : AppKind::Settings;
    const bool wantRunning = *state == 0;
    return StepAction([kind, wantRunning](Session& s) {
        const bool running = s.isRunning(kind);
        if (running == wantRunning) return StepOutcome::success();
        return StepOutcome::failure(std::string("expected the ") + appName(kind) + " app " +
                                    (wantRunning ? "running" : "ended") + ", found it " +
                                    (running ? "running" : "ended"));
    });
}

std::optional<StepAction> compileExpect(const std::vector<Token>& args, std::string& error) {
    if (args.empty()) {
        error = "expect what?";
        return std::nullopt;
    }
    const CommandSpec* subject =
        args[0].quoted ? nullptr : ExpectTable::shared().find(args[0].text);
    if (subject == nullptr) {
        std::vector<std::string> names;
        for (const CommandSpec* spec : ExpectTable::shared().all()) names.push_back(spec->name);
        error =
            "unknown expectation \"" + args[0].text + "\" (expected " + listChoices(names) + ")";
        return std::nullopt;
    }
    std::vector<Token> rest(args.begin() + 1, args.end());
    auto action = subject->compile(rest, error);
    if (!action && !error.empty()) error += " (usage: expect " + subject->usage + ")";
    return action;
}

}  // namespace

void registerExpectCommand(CommandTable& table) {
    table.add(
        {"expect", "expect SUBJECT ...", "a check; see `help expect`", "checks", compileExpect});
}

void registerExpectSubjects(ExpectTable& table) {
    table.add({"view",
               "view TARGET exists|absent|visible|hidden|selected|not-selected|enabled|disabled|"
               "highlighted|not-highlighted | view TARGET text \"T\" | "
               "view TARGET frame (x,y,w,h) | view TARGET alpha|tag OP VALUE | view SWITCH on|off",
               "a view on screen", "checks", compileView});
    table.add({"views", "views CLASS|any count|total OP N",
               "how many views of a class are visible (count) or in the window at all (total)",
               "checks", compileViews});
    table.add({"run-loop", "run-loop pending OP N", "events waiting in the main run loop", "checks",
               compileRunLoop});
    table.add({"capture",
               "capture format-height|format-width|frame-duration|frame-rate|lens-position|iso|"
               "exposure-duration "
               "OP VALUE | capture focus-mode|exposure-mode|white-balance-mode MODE | "
               "capture position back|front",
               "the capture device in use", "checks", compileCapture});
    table.add({"prefs", "prefs KEY = VALUE | prefs KEY absent", "the preferences file", "checks",
               compilePrefs});
    table.add(
        {"photos", "photos count OP N", "how many photos were saved", "checks", compilePhotos});
    table.add({"photo",
               "photo N|last orientation OP TAG | photo N|last size WxH | "
               "photo N|last red-pixels CORNER OP COUNT | photo N|last brightness OP VALUE",
               "one saved photo", "checks", compilePhoto});
    table.add(
        {"sounds", "sounds [NAME] OP N", "sounds played (count.aif ...)", "checks", compileSounds});
    table.add({"motion", "motion samples OP N", "samples the motion client received", "checks",
               compileMotion});
    table.add({"app", "app camera|settings running|ended",
               "an app's process runs (in front or in the background) or has ended", "checks",
               compileApp});
    table.add({"event", "event NAME [never | [count] OP N]",
               "an event of the log happened (how often)", "checks", compileEvent});
    table.add({"events", "events in-order A B ...", "events happened in this order", "checks",
               compileEvents});
}

}  // namespace sim
