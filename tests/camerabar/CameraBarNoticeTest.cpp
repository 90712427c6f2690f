// The camera bar's transient notice on the virtual clock: a linear fade in over its duration, a
// 1.2 s hold, a 1.2 s linear fade out, then the label is gone. Phones show it under the top bar,
// tablets on the camera view.

#include "CameraBarTestSupport.h"
#include "camerabar/CameraBar.h"
#include "core/TweakState.h"
#include "host/CameraView.h"
#include "hostapi/CAMBars.h"
#include "overlays/CustomTransparentFilledLabel.h"

namespace camerabartest {
namespace {

using namespace lumora;

std::shared_ptr<CustomTransparentFilledLabel> noticeIn(const UIView& parent) {
    for (const auto& sub : parent.subviews()) {
        if (auto label = std::dynamic_pointer_cast<CustomTransparentFilledLabel>(sub)) return label;
    }
    return nullptr;
}

class NoticeOnHost : public BarOnHost {
protected:
    // `duration` 0 takes the one-argument form (0.8 s).
    void showAndFollow(bool tablet, double duration, CGRect frame) {
        std::shared_ptr<UIView> parent;
        if (tablet) {
            parent = state().cameraView.lock();
        } else {
            parent = state()._CAMTopBar.lock();
        }
        ASSERT_NE(parent, nullptr);
        ASSERT_EQ(noticeIn(*parent), nullptr);

        if (duration > 0) {
            bar().fadeinText("wb Lock \u00e41", static_cast<float>(duration));
        } else {
            bar().fadeinText("wb Lock \u00e41");
        }
        const double in = duration > 0 ? duration : 0.8;
        const auto label = noticeIn(*parent);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), "WB LOCK \u00e41");  // ASCII letters upper-cased, the rest kept
        EXPECT_TRUE(label->frame() == frame);
        EXPECT_FALSE(label->isHidden());

        run(in / 2);
        EXPECT_NEAR(label->presentationState().alpha, 0.5, 0.05);
        run(in / 2 + 1.0);  // into the hold
        EXPECT_NEAR(label->presentationState().alpha, 1.0, 1e-6);
        EXPECT_EQ(label->superview(), parent.get());
        run(0.2 + 0.6);  // half-way through the fade out
        EXPECT_NEAR(label->presentationState().alpha, 0.5, 0.05);
        EXPECT_EQ(label->superview(), parent.get());
        run(0.7);
        EXPECT_EQ(label->superview(), nullptr);
        EXPECT_EQ(noticeIn(*parent), nullptr);
        EXPECT_TRUE(label->isHidden());
        EXPECT_EQ(label->text(), "");
    }
};

TEST_F(NoticeOnHost, PhoneNoticeUnderTheTopBarForTheDefaultDuration) {
    launch("iphone6");
    showAndFollow(false, 0, CGRectMake(0, 55.5, 320, 22));
}

TEST_F(NoticeOnHost, TabletNoticeOnTheCameraViewForAGivenDuration) {
    launch("ipadair");
    showAndFollow(true, 2.0, CGRectMake(10, 14, 200, 22));
}

}  // namespace
}  // namespace camerabartest
