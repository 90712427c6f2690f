// Every replaceable method is called by the host at some moment of a full session: a test that
// names the rows a session never reached.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "HostTestSupport.h"
#include "host/CameraView.h"
#include "host/CaptureController.h"
#include "hostapi/ReplaceableMethods.h"

namespace hosttest {
namespace {

CGPoint inPreview(host::CameraApp& app, double nx, double ny) {
    const auto& p = app.cameraView()->previewView();
    const CGRect b = p->bounds();
    return p->convertPointToView(CGPointMake(b.size.width * nx, b.size.height * ny), nullptr);
}

// Everything a user does in a session, in a plausible order.
void fullSession(host::CameraApp& app) {
    app.runFor(0.5);
    const CGPoint ball = inPreview(app, 0.55, 0.8);  // the near red ball: focus has to move
    app.tap(ball);
    app.runFor(1.0);
    // Drag the focus square, then the exposure bias up beside it.
    app.pan(ball, inPreview(app, 0.5, 0.5));
    app.pan(inPreview(app, 0.15, 0.7), inPreview(app, 0.15, 0.45));
    // Held landscape, a sideways drag moves the bias, not the mode.
    app.rotate(3);
    app.pan(inPreview(app, 0.15, 0.9), inPreview(app, 0.6, 0.9));
    app.rotate(1);
    app.twoFingerTap(inPreview(app, 0.4, 0.4));
    app.longPress(inPreview(app, 0.3, 0.3));
    app.runFor(1.0);
    app.setMode("SLO-MO");
    app.setMode("VIDEO");
    app.startRecording();
    app.runFor(1.0);
    app.tapStillDuringRecording();
    app.runFor(1.0);
    app.stopRecording();
    app.setMode("PHOTO");
    app.flip();
    app.runFor(0.5);
    app.flip();
    app.runFor(0.5);
    app.tapShutter();
    app.takePicture();
    app.startBurst();
    app.runFor(0.3);
    app.stopBurst();
    app.showGrid();
    app.hideGrid();
    app.expandMenu();
    app.collapseMenu();
    app.memoryWarning();
    app.background();
    app.runFor(1.0);
    app.foreground();
    app.runFor(1.0);
    app.settle();
    app.terminate();
}

std::vector<std::string> missingRows(const host::EventLog& log) {
    std::vector<std::string> missing;
    for (const auto& [cls, sel] : hostapi::kReplaceableMethods) {
        if (log.count(cls, sel) == 0) missing.push_back(std::string(cls) + " " + sel);
    }
    return missing;
}

std::string join(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& x : v) s += "\n  " + x;
    return s;
}

TEST_F(HostTest, APhoneSessionCallsEveryRowButTheSideBarLayout) {
    ASSERT_EQ(hostapi::kReplaceableMethods.size(), 73u);
    ASSERT_TRUE(launch("iphone6"));
    fullSession(app_);
    const auto missing = missingRows(app_.log());
    // A phone's bottom bar is always horizontal; only a tablet's side bar lays out vertically.
    EXPECT_EQ(missing, std::vector<std::string>{"CAMBottomBar _layoutForVerticalOrientation"})
        << "never called:" << join(missing);
    EXPECT_GE(app_.savedPhotos().size(), 5u);
}

TEST_F(HostTest, APhoneAndATabletSessionTogetherCallEveryRow) {
    ASSERT_TRUE(launch("iphone6"));
    fullSession(app_);
    ASSERT_TRUE(launch("ipadair"));
    fullSession(app_);
    const auto missing = missingRows(app_.log());
    EXPECT_TRUE(missing.empty()) << "never called:" << join(missing);
}

}  // namespace
}  // namespace hosttest
