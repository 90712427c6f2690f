// The short date and time text of a photo stamp, per locale.
#include <gtest/gtest.h>

#include "platform/media/DateFormat.h"

using namespace platform;
using namespace std::chrono;

namespace {

// 7 December 2026, 21:41 UTC.
const system_clock::time_point kWhen = sys_days{year{2026} / 12 / 7} + hours{21} + minutes{41};

std::string format(const char* locale, bool time, const char* zone = "UTC") {
    return formatShortDate(kWhen, {time, locale, zone});
}

}  // namespace

TEST(DateFormat, ShortDateInEachLocalesOwnStyle) {
    EXPECT_EQ(format("en_US", false), "12/7/26");
    EXPECT_EQ(format("fr_FR", false), "07/12/2026");
    EXPECT_EQ(format("ja_JP", false), "2026/12/07");
    EXPECT_EQ(format("de_DE", false), "07.12.26");
}

TEST(DateFormat, ShortTimeFollowsTheDateWithPlainSpaces) {
    EXPECT_EQ(format("en_US", true), "12/7/26, 9:41 PM");
    EXPECT_EQ(format("fr_FR", true), "07/12/2026 21:41");
    EXPECT_EQ(format("ja_JP", true), "2026/12/07 21:41");
}

TEST(DateFormat, UsesTheGivenTimeZone) {
    // 21:41 UTC is already the next day in Tokyo.
    EXPECT_EQ(format("en_US", false, "Asia/Tokyo"), "12/8/26");
    EXPECT_EQ(format("en_US", true, "Europe/Paris"), "12/7/26, 10:41 PM");
}

TEST(DateFormat, UnknownLocaleStillGivesADate) {
    EXPECT_FALSE(format("xx_YY", false).empty());
    EXPECT_FALSE(format("", false).empty());
}
