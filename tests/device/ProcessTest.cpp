#include <gtest/gtest.h>

#include <vector>

#include "platform/device/NSBundle.h"
#include "platform/device/Process.h"
#include "platform/device/UIDevice.h"
#include "platform/foundation/NotificationCenter.h"
#include "platform/objc/Runtime.h"
#include "platform/runloop/RunLoop.h"

using platform::Process;
using platform::RunLoop;

namespace {

int darwinCalls = 0;
void countDarwin(CFNotificationCenterRef, void*, const char*, const void*, const ns::Dictionary*) {
    ++darwinCalls;
}

}  // namespace

TEST(Process, LaunchStartsAFreshProcess) {
    Process::launch("com.apple.Preferences");
    objc::Runtime::current().registerClass("LeftOver");
    RunLoop::main().schedule(5, [] {});
    int inProcess = 0;
    NSNotificationCenter::defaultCenter().addObserver("n", {},
                                                      [&](const ns::Dictionary&) { ++inProcess; });
    UIScreen::mainScreen().setInterfaceLandscape(true);

    Process::launch("com.apple.camera");
    EXPECT_TRUE(Process::isRunning());
    EXPECT_EQ(Process::current().bundleIdentifier(), "com.apple.camera");
    EXPECT_EQ(NSBundle::mainBundle().bundleIdentifier(), "com.apple.camera");
    EXPECT_EQ(objc_getClass("LeftOver"), nullptr);
    EXPECT_NE(objc_getClass("NSObject"), nullptr);
    EXPECT_EQ(RunLoop::main().pendingCount(), 0u);
    EXPECT_EQ(RunLoop::main().now(), 0);
    NSNotificationCenter::defaultCenter().post("n");
    EXPECT_EQ(inProcess, 0);
    EXPECT_FALSE(UIScreen::mainScreen().interfaceIsLandscape());
    Process::terminate();
}

TEST(Process, ResetHooksRunAtLaunchAndTerminationInOrder) {
    std::vector<int> calls;
    int a = Process::onReset([&] { calls.push_back(1); });
    int b = Process::onReset([&] { calls.push_back(2); });
    Process::launch("com.apple.camera");
    EXPECT_EQ(calls, (std::vector<int>{1, 2}));
    calls.clear();
    Process::terminate();
    EXPECT_EQ(calls, (std::vector<int>{1, 2}));
    EXPECT_FALSE(Process::isRunning());
    EXPECT_EQ(Process::current().bundleIdentifier(), "");
    calls.clear();
    Process::terminate();  // nothing running: nothing to do
    EXPECT_TRUE(calls.empty());
    Process::removeResetHook(a);
    Process::removeResetHook(b);
    Process::launch("com.apple.camera");
    EXPECT_TRUE(calls.empty());
    Process::terminate();
}

TEST(Process, DarwinObserversDieWithTheirProcessAndOthersStillHear) {
    auto* center = CFNotificationCenterGetDarwinNotifyCenter();
    darwinCalls = 0;
    Process::launch("com.apple.camera");
    CFNotificationCenterAddObserver(center, nullptr, countDarwin, "changed", nullptr, 3);
    CFNotificationCenterPostNotification(center, "changed", nullptr, nullptr, true);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(darwinCalls, 1);

    Process::terminate();
    Process::launch("com.apple.Preferences");
    CFNotificationCenterPostNotification(center, "changed", nullptr, nullptr, true);
    RunLoop::main().runUntilIdle();
    EXPECT_EQ(darwinCalls, 1);
    Process::terminate();
}
