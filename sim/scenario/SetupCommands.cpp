// Set-up: the phone model, its language, the date and the preferences file.
#include "core/Preferences.h"
#include "platform/foundation/NotificationCenter.h"
#include "sim/PreferenceKeys.h"
#include "sim/Profiles.h"
#include "sim/Session.h"
#include "sim/scenario/CommandHelpers.h"
#include "sim/scenario/DateValue.h"

namespace sim {

namespace {

std::optional<StepAction> compileDevice(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    const std::string model = args[0].text;
    const auto* profiles = defaultProfiles(error);
    if (profiles == nullptr) return std::nullopt;
    if (profiles->find(model) == nullptr) {
        error = "unknown device \"" + model + "\" (see `lumora3 devices`)";
        return std::nullopt;
    }
    return StepAction([model](Session& s) {
        std::string why;
        return s.setDevice(model, why) ? StepOutcome::success() : StepOutcome::failure(why);
    });
}

std::optional<StepAction> compileLanguage(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    const std::string code = args[0].text;
    if (!DeviceRoot::isLanguageCode(code)) {
        error = "malformed language code \"" + code + "\" (expected e.g. en, fr, zh-Hans)";
        return std::nullopt;
    }
    return StepAction([code](Session& s) {
        std::string why;
        return s.setLanguage(code, why) ? StepOutcome::success() : StepOutcome::failure(why);
    });
}

std::optional<StepAction> compileDate(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 1, 1, error)) return std::nullopt;
    const auto instant = parseDateTime(args[0].text);
    if (!instant) {
        error = "malformed date \"" + args[0].text +
                "\" (expected e.g. 2026-12-07T21:41:00, with Z or +01:00 for a UTC offset)";
        return std::nullopt;
    }
    return StepAction([when = *instant](Session& s) {
        s.setPhotoDate(when);
        return StepOutcome::success();
    });
}

const PreferenceKey* knownKey(const Token& word, std::string& error) {
    const PreferenceKey* key = word.quoted ? nullptr : findPreferenceKey(word.text);
    if (key == nullptr) error = "unknown preferences key \"" + word.text + "\"";
    return key;
}

std::optional<StepAction> compilePrefs(const std::vector<Token>& args, std::string& error) {
    if (!checkCount(args, 2, 4, error)) return std::nullopt;
    const auto verb = pickChoice(args[0], {"set", "delete"}, "prefs action", error);
    if (!verb) return std::nullopt;
    const PreferenceKey* key = knownKey(args[1], error);
    if (key == nullptr) return std::nullopt;
    const std::string name(key->name);
    if (*verb == 1) {
        if (!checkCount(args, 2, 2, error)) return std::nullopt;
        return StepAction([name](Session& s) {
            auto prefs = s.root().readPreferences().value_or(ns::Dictionary{});
            prefs.erase(name);
            std::string why;
            return s.root().writePreferences(prefs, why) ? StepOutcome::success()
                                                         : StepOutcome::failure(why);
        });
    }
    if (!checkCount(args, 3, 4, error)) return std::nullopt;
    // `notify` posts the settings-changed notification after the write, as the settings screens
    // do, so that a running camera reloads the file instead of later saving over it.
    const bool notify = args.size() == 4;
    if (notify && !pickChoice(args[3], {"notify"}, "prefs set option", error)) return std::nullopt;
    const auto value = preferenceValue(*key, args[2].text, args[2].quoted);
    if (!value) {
        error = "malformed value \"" + args[2].text + "\" for " + name + " (expected " +
                (key->type == PreferenceType::Boolean ? "true or false" : "a whole number") + ")";
        return std::nullopt;
    }
    return StepAction([name, v = *value, notify](Session& s) {
        // A damaged file is replaced, as the settings screens would.
        auto prefs = s.root().readPreferences().value_or(ns::Dictionary{});
        prefs.set(name, v);
        std::string why;
        if (!s.root().writePreferences(prefs, why)) return StepOutcome::failure(why);
        if (notify) {
            CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
                                                 lumora::kSettingsChangedNotification, nullptr,
                                                 nullptr, true);
            s.advance(0);  // delivered now, before anything else happens
        }
        return StepOutcome::success();
    });
}

}  // namespace

void registerSetupCommands(CommandTable& table) {
    table.add({"device", "device MODEL", "use this phone model (iphone6, iPhone7,2, ipadair ...)",
               "set-up", compileDevice});
    table.add({"language", "language CODE", "the phone's preferred language (en, fr, ja ...)",
               "set-up", compileLanguage});
    table.add({"date", "date ISO8601",
               "the date stamped photos show from now on, running with virtual time "
               "(2026-12-07T21:41:00)",
               "set-up", compileDate});
    table.add({"prefs", "prefs set KEY VALUE [notify] | prefs delete KEY",
               "edit the add-on's preferences file", "set-up", compilePrefs});
}

}  // namespace sim
