#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/foundation/StringsFile.h"

namespace {

std::optional<ns::Dictionary> load(const std::string& language) {
    const auto path = std::filesystem::path(LUMORA_SOURCE_DIR) / "data" / "strings" /
                      (language + ".lproj") / "Localizable.strings";
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    if (bytes.empty()) return std::nullopt;
    return ns::parseStrings(bytes);
}

TEST(Translations, EveryLanguageHasEveryKeyTheAddOnAndSettingsLookUp) {
    const std::vector<std::string> keys{"ADV_MODE_SHORT",
                                        "TIMER",
                                        "LAPSE",
                                        "WB_LOCK",
                                        "LOW_MEM",
                                        "LOW_MEM_IPAD",
                                        "PHOTO_CAM",
                                        "VID_CAM",
                                        "SETTINGS",
                                        "START_IN_ADV_MODE",
                                        "REMEMBER",
                                        "ALWAYS_ON",
                                        "ADV_ZOOM",
                                        "ACT_FEATURES",
                                        "USER_MANUAL",
                                        "SHOW",
                                        "TURN_OFF_FOR_SPEED",
                                        "DIMENSION_SEL",
                                        "FPS_SEL",
                                        "HOR_ALIGNMENT_TOGGLE",
                                        "VERT_ALERT",
                                        "USE_BLUR",
                                        "NEXT",
                                        "PREV",
                                        "ACCESS_FUNCTIONS",
                                        "MISC",
                                        "OVERLAYS",
                                        "OTHER",
                                        "Note_Adv1",
                                        "Note_Lapse1",
                                        "Note_Timer1",
                                        "Note_WB1",
                                        "Note_WB2",
                                        "Note_Adv4",
                                        "Note_Snapshot",
                                        "Note_Access",
                                        "Note_DIMENSIONS",
                                        "Note_FPS",
                                        "Note_Overlays",
                                        "Note_Vertical"};
    const auto base = load("Base");
    ASSERT_TRUE(base.has_value());
    for (const std::string language : {"Base", "fr", "ja", "zh-Hans", "zh-Hant"}) {
        SCOPED_TRACE(language);
        const auto table = load(language);
        ASSERT_TRUE(table.has_value());
        EXPECT_EQ(table->keys(), base->keys());
        for (const auto& key : keys) {
            const ns::Value* v = table->get(key);
            ASSERT_NE(v, nullptr) << key;
            ASSERT_NE(v->string(), nullptr) << key;
            EXPECT_FALSE(v->string()->empty()) << key;
            if (language != "Base") {
                EXPECT_NE(*v->string(), *base->get(key)->string()) << key;
            }
        }
    }
}

}  // namespace
