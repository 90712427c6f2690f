// The `date` line: its ISO 8601 forms, and the photo clock it sets running on with the session's
// virtual time, across app launches.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "photo/PhotoClock.h"
#include "sim/scenario/DateValue.h"
#include "tests/sim/SimFixture.h"

namespace {

using namespace std::chrono;
using simtest::SimTest;

sys_seconds utc(int y, unsigned mo, unsigned d, int h, int mi, int s) {
    return sys_days{year{y} / mo / d} + hours{h} + minutes{mi} + seconds{s};
}

TEST(DateValue, InstantsWithAnOffsetAreExact) {
    EXPECT_EQ(sim::parseDateTime("2026-12-07T21:41:00Z"), utc(2026, 12, 7, 21, 41, 0));
    EXPECT_EQ(sim::parseDateTime("2026-12-07T21:41:00+01:00"), utc(2026, 12, 7, 20, 41, 0));
    EXPECT_EQ(sim::parseDateTime("2026-12-07T21:41+0530"), utc(2026, 12, 7, 16, 11, 0));
    EXPECT_EQ(sim::parseDateTime("2026-12-07T01:00:00-03"), utc(2026, 12, 7, 4, 0, 0));
    EXPECT_EQ(sim::parseDateTime("2024-02-29T00:00:00Z"), utc(2024, 2, 29, 0, 0, 0));
    EXPECT_EQ(sim::parseDateTime("2026-12-07T21:41:05.25Z"),
              utc(2026, 12, 7, 21, 41, 5) + milliseconds{250});
}

TEST(DateValue, LocalTimesReadBackAsWritten) {
    struct Case {
        const char* text;
        int year, month, day, hour, minute, second;
    };
    for (const Case& c : {Case{"2026-12-07T21:41:00", 2026, 12, 7, 21, 41, 0},
                          Case{"2026-07-01T08:05", 2026, 7, 1, 8, 5, 0},
                          Case{"2030-01-31", 2030, 1, 31, 0, 0, 0}}) {
        SCOPED_TRACE(c.text);
        const auto when = sim::parseDateTime(c.text);
        ASSERT_TRUE(when);
        const std::time_t t = system_clock::to_time_t(*when);
        std::tm tm{};
        ASSERT_NE(localtime_r(&t, &tm), nullptr);
        EXPECT_EQ(tm.tm_year + 1900, c.year);
        EXPECT_EQ(tm.tm_mon + 1, c.month);
        EXPECT_EQ(tm.tm_mday, c.day);
        EXPECT_EQ(tm.tm_hour, c.hour);
        EXPECT_EQ(tm.tm_min, c.minute);
        EXPECT_EQ(tm.tm_sec, c.second);
    }
}

TEST(DateValue, ImpossibleOrMalformedDatesAreRefused) {
    for (const char* text : {"",
                             "2026",
                             "2026-12",
                             "26-12-07",
                             "2026-2-07",
                             "2026-02-30",
                             "2026-13-01",
                             "2026-00-10",
                             "2025-02-29",
                             "2026-12-07T24:00",
                             "2026-12-07T21:60",
                             "2026-12-07T21:41:60",
                             "2026-12-07T21",
                             "2026-12-07 21:41",
                             "2026-12-07T21:41:00Q",
                             "2026-12-07T21:41:00+1",
                             "2026-12-07T21:41:00+01:",
                             "2026-12-07T21:41:00+19:00",
                             "2026-12-07T21:41:00.",
                             "1969-12-31T23:59:59Z",
                             "2026-12-07T21:41:00Zjunk"}) {
        EXPECT_FALSE(sim::parseDateTime(text)) << text;
    }
}

TEST_F(SimTest, DateLineSetsThePhotoClockRunningOnWithVirtualTimeAcrossLaunches) {
    const auto report = run(R"(advance 5s
date 2026-12-07T21:41:00Z
advance 90s
launch camera
advance 30s
terminate
launch camera
advance 60s
)");
    for (const auto& f : report.failures) ADD_FAILURE() << f.describe();
    // 90 s before the first launch, 30 s in the first process, 60 s in the second.
    EXPECT_EQ(time_point_cast<seconds>(lumora::photoNow()), utc(2026, 12, 7, 21, 44, 0));
    EXPECT_NEAR(session().elapsed(), 185.0, 1e-6);

    // A new session starts on the wall clock again.
    session_.reset();
    (void)session();
    const auto wall = system_clock::now();
    EXPECT_LT(abs(duration_cast<seconds>(lumora::photoNow() - wall).count()), 60);
}

TEST_F(SimTest, MalformedDateIsAParseError) {
    const auto parsed = sim::parseScript("date 2026-02-30T10:00\n", "t.scn");
    ASSERT_EQ(parsed.errors.size(), 1u);
    EXPECT_EQ(parsed.errors[0].where.line, 1);
    EXPECT_NE(parsed.errors[0].message.find("malformed date"), std::string::npos)
        << parsed.errors[0].message;
}

}  // namespace
