#pragma once
// Shared set-up for the UI toolkit tests: a fresh run loop and application per test, and
// helpers that drive fingers through UIApplication::sendTouches.

#include <gtest/gtest.h>

#include <memory>

#include "platform/runloop/RunLoop.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::RunLoop::main().reset();
        UIApplication::sharedApplication().reset();
        UIView::setAnimationsEnabled(true);
        window = std::make_shared<UIWindow>(CGRectMake(0, 0, 320, 480));
        window->makeKeyAndVisible();
    }
    void TearDown() override {
        window.reset();
        platform::RunLoop::main().reset();
        UIApplication::sharedApplication().reset();
    }

    static void run(double seconds) { platform::RunLoop::main().runFor(seconds); }
    static void down(CGPoint p, int finger = 0) {
        UIApplication::sharedApplication().sendTouch(finger, UITouchPhaseBegan, p);
    }
    static void move(CGPoint p, int finger = 0) {
        UIApplication::sharedApplication().sendTouch(finger, UITouchPhaseMoved, p);
    }
    static void up(CGPoint p, int finger = 0) {
        UIApplication::sharedApplication().sendTouch(finger, UITouchPhaseEnded, p);
    }
    static void tap(CGPoint p) {
        down(p);
        up(p);
    }
    // Moves a finger from `from` to `to` in `steps` moves spaced `dt` apart, then lifts it.
    static void drag(CGPoint from, CGPoint to, int steps, double dt) {
        down(from);
        for (int i = 1; i <= steps; ++i) {
            run(dt);
            const double f = static_cast<double>(i) / steps;
            move({from.x + (to.x - from.x) * f, from.y + (to.y - from.y) * f});
        }
        up(to);
    }

    std::shared_ptr<UIWindow> window;
};
