#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/foundation/Locale.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/runloop/RunLoop.h"

namespace {

std::vector<std::string> delivered;

void record(CFNotificationCenterRef center, void* observer, const char* name, const void* object,
            const ns::Dictionary* userInfo) {
    EXPECT_EQ(center, CFNotificationCenterGetDarwinNotifyCenter());
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(userInfo, nullptr);
    delivered.push_back(std::string(name) + "@" +
                        std::to_string(reinterpret_cast<std::uintptr_t>(observer)));
}

class DarwinCenter : public ::testing::Test {
protected:
    void SetUp() override {
        platform::resetDarwinNotifyCenter();
        platform::RunLoop::main().reset();
        delivered.clear();
    }
    void TearDown() override { platform::resetDarwinNotifyCenter(); }
    CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();
};

const void* observerA = reinterpret_cast<const void*>(1);
const void* observerB = reinterpret_cast<const void*>(2);

}  // namespace

TEST_F(DarwinCenter, DeliversOnTheNextTurnOfTheMainLoop) {
    CFNotificationCenterAddObserver(center, nullptr, record, "com.example.changed", nullptr,
                                    CFNotificationSuspensionBehaviorHold);
    ns::Dictionary info{{"k", ns::Value(1)}};
    CFNotificationCenterPostNotification(center, "com.example.changed", observerB, &info, true);
    CFNotificationCenterPostNotification(center, "com.example.other", nullptr, nullptr, true);
    EXPECT_TRUE(delivered.empty());
    platform::RunLoop::main().runUntilIdle();
    EXPECT_EQ(delivered, std::vector<std::string>{"com.example.changed@0"});
}

TEST_F(DarwinCenter, ReRegisteringReplacesAndRemovalStopsPendingDelivery) {
    CFNotificationCenterAddObserver(center, observerA, record, "n", nullptr, 3);
    CFNotificationCenterAddObserver(center, observerA, record, "n", nullptr, 3);
    CFNotificationCenterAddObserver(center, observerB, record, "n", nullptr, 3);
    CFNotificationCenterPostNotification(center, "n", nullptr, nullptr, true);
    CFNotificationCenterRemoveEveryObserver(center, observerB);
    platform::RunLoop::main().runUntilIdle();
    EXPECT_EQ(delivered, std::vector<std::string>{"n@1"});
}

TEST_F(DarwinCenter, ObserversOfAnEndedProcessAreDropped) {
    platform::setDarwinNotifyProcess(7);
    CFNotificationCenterAddObserver(center, observerA, record, "n", nullptr, 3);
    platform::setDarwinNotifyProcess(8);
    CFNotificationCenterAddObserver(center, observerB, record, "n", nullptr, 3);
    platform::removeDarwinObserversOfProcess(7);
    CFNotificationCenterPostNotification(center, "n", nullptr, nullptr, true);
    platform::RunLoop::main().runUntilIdle();
    EXPECT_EQ(delivered, std::vector<std::string>{"n@2"});
}

TEST_F(DarwinCenter, NullArgumentsAreIgnored) {
    CFNotificationCenterAddObserver(nullptr, observerA, record, "n", nullptr, 3);
    CFNotificationCenterAddObserver(center, observerA, nullptr, "n", nullptr, 3);
    CFNotificationCenterPostNotification(center, nullptr, nullptr, nullptr, true);
    CFNotificationCenterPostNotification(center, "n", nullptr, nullptr, true);
    platform::RunLoop::main().runUntilIdle();
    EXPECT_TRUE(delivered.empty());
}

TEST(NSNotificationCenter, DeliversSynchronouslyInRegistrationOrder) {
    auto& c = NSNotificationCenter::defaultCenter();
    c.reset();
    std::vector<std::string> calls;
    auto owner = std::make_shared<int>(0);
    c.addObserver("n", owner, [&](const ns::Dictionary& info) {
        calls.push_back("first:" + std::to_string(info.get("v")->intValue().value_or(-1)));
    });
    c.addObserver("n", {}, [&](const ns::Dictionary&) { calls.push_back("second"); });
    c.addObserver("other", {}, [&](const ns::Dictionary&) { calls.push_back("other"); });
    c.post("n", ns::Dictionary{{"v", ns::Value(4)}});
    EXPECT_EQ(calls, (std::vector<std::string>{"first:4", "second"}));
    c.reset();
}

TEST(NSNotificationCenter, ObserversGoWithTheirOwnerOrToken) {
    auto& c = NSNotificationCenter::defaultCenter();
    c.reset();
    int calls = 0;
    auto owner = std::make_shared<int>(0);
    auto other = std::make_shared<int>(0);
    c.addObserver("n", owner, [&](const ns::Dictionary&) { ++calls; });
    auto token = c.addObserver("n", {}, [&](const ns::Dictionary&) { calls += 10; });
    c.addObserver("n", other, [&](const ns::Dictionary&) { calls += 100; });
    owner.reset();
    c.removeObserver(token);
    c.removeObserver(other.get());
    c.post("n");
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(c.addObserver("n", std::weak_ptr<int>(), nullptr), 0u);
    c.reset();
}

TEST(NSNotificationCenter, HandlersMayRemoveObserversDuringDelivery) {
    auto& c = NSNotificationCenter::defaultCenter();
    c.reset();
    std::vector<int> calls;
    NSNotificationCenter::Token second = 0;
    c.addObserver("n", {}, [&](const ns::Dictionary&) {
        calls.push_back(1);
        c.removeObserver(second);
        c.addObserver("n", {}, [&](const ns::Dictionary&) { calls.push_back(3); });
    });
    second = c.addObserver("n", {}, [&](const ns::Dictionary&) { calls.push_back(2); });
    c.post("n");
    EXPECT_EQ(calls, std::vector<int>{1});
    c.reset();
}

TEST(NSLocale, SettersAndFallbacks) {
    NSLocale::setPreferredLanguages({"de", "en"});
    NSLocale::setCurrentLocaleIdentifier("de_DE");
    EXPECT_EQ(NSLocale::preferredLanguages(), (std::vector<std::string>{"de", "en"}));
    EXPECT_EQ(NSLocale::currentLocaleIdentifier(), "de_DE");
    NSLocale::setPreferredLanguages({});
    NSLocale::setCurrentLocaleIdentifier("");
    EXPECT_EQ(NSLocale::preferredLanguages(), std::vector<std::string>{"en"});
    EXPECT_EQ(NSLocale::currentLocaleIdentifier(), "en_US");
}
