#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "host/EventLog.h"
#include "host/HostCall.h"
#include "platform/runloop/RunLoop.h"

namespace hosttest {
namespace {

TEST(EventLog, LinesCarryVirtualTimeEventAndArguments) {
    platform::RunLoop::main().reset();
    platform::RunLoop::main().runFor(12.5);
    host::EventLog log;
    log.record("_setCameraMode:cameraDevice:", host::detail::formatArgs(1L, 0L));
    log.record("_endPanFocus:exposure:atPoint:",
               host::detail::formatArgs(true, false, CGPointMake(3, 4.25)));
    const auto entries = log.entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].line(), "12.500 host _setCameraMode:cameraDevice: 1 0");
    EXPECT_EQ(entries[1].line(), "12.500 host _endPanFocus:exposure:atPoint: 1 0 (3.0,4.2)");
    platform::RunLoop::main().reset();
}

TEST(EventLog, AnswersCountsAndOrder) {
    host::EventLog log;
    for (const char* e : {"a", "b", "a", "c"}) log.record(e, "", "X");
    log.record("a", "", "Y");
    EXPECT_EQ(log.count("a"), 3u);
    EXPECT_EQ(log.count("X", "a"), 2u);
    EXPECT_EQ(log.count("z"), 0u);
    EXPECT_EQ(log.find("a", 1), 2u);
    EXPECT_FALSE(log.find("b", 2));
    EXPECT_TRUE(log.inOrder({"a", "b", "c"}));
    EXPECT_TRUE(log.inOrder({"b", "a", "a"}));
    EXPECT_FALSE(log.inOrder({"c", "b"}));
    EXPECT_FALSE(log.inOrder({"a", "a", "a", "a"}));
    EXPECT_EQ(log.events(3), (std::vector<std::string>{"c", "a"}));
    log.clear();
    EXPECT_EQ(log.size(), 0u);
}

TEST(EventLog, TakesEntriesFromSeveralThreads) {
    host::EventLog log;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&log] {
            for (int i = 0; i < 500; ++i) log.record("saved");
        });
    }
    for (int i = 0; i < 500; ++i) log.record("main");
    for (auto& t : threads) t.join();
    EXPECT_EQ(log.count("saved"), 2000u);
    EXPECT_EQ(log.count("main"), 500u);
}

}  // namespace
}  // namespace hosttest
