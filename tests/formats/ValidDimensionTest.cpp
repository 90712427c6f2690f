// Which heights each model allows per mode and camera.

#include "FormatsTestSupport.h"
#include "capture/DimensionRules.h"

namespace formatstest {
namespace {

using lumora::isValidDimension;

struct Limits {
    const char* model;
    int videoBack, videoFront, photoBack, photoFront;  // 0: no limit
};

// The largest valid height is the limit; the next line is refused.
void expectLimit(FakeCaptureController& c, long mode, long camera, int limit, const char* model) {
    c.mode = mode;
    c.device = camera;
    if (limit == 0) {
        EXPECT_TRUE(isValidDimension(100000)) << model << " mode " << mode << " camera " << camera;
        return;
    }
    EXPECT_TRUE(isValidDimension(limit)) << model << " mode " << mode << " camera " << camera;
    EXPECT_FALSE(isValidDimension(limit + 1)) << model << " mode " << mode << " camera " << camera;
}

class ValidDimension : public FormatsTest {};

TEST_F(ValidDimension, EachModelGroupLimitsEachModeAndCamera) {
    const Limits table[] = {
        {"iphone6", 1080, 720, 2448, 2448},   {"iphone6plus", 1080, 720, 2448, 2448},
        {"iphone5s", 1080, 720, 2448, 2448},  {"iphone4s", 1080, 480, 2448, 2448},
        {"ipod5", 1080, 720, 1936, 1936},     {"ipad2", 0, 720, 0, 2448},
        {"ipad3", 1080, 480, 1944, 1944},     {"ipadair", 1080, 720, 1944, 1944},
        {"ipadmini2", 1080, 720, 1944, 1944},
    };
    for (const Limits& row : table) {
        useModel(row.model);
        auto& c = *controller_;
        for (long videoMode : {1L, 2L}) {
            expectLimit(c, videoMode, 0, row.videoBack, row.model);
            expectLimit(c, videoMode, 1, row.videoFront, row.model);
        }
        for (long photoMode : {0L, 4L, 6L}) {
            expectLimit(c, photoMode, 0, row.photoBack, row.model);
            expectLimit(c, photoMode, 1, row.photoFront, row.model);
        }
    }
}

TEST_F(ValidDimension, IPhone6FrontVideoTakes720NotFullHDAndPhotosStopAt2448) {
    useModel("iphone6");
    controller_->mode = 1;
    controller_->device = 1;
    EXPECT_TRUE(isValidDimension(720));
    EXPECT_FALSE(isValidDimension(1080));
    controller_->mode = 0;
    for (long camera : {0L, 1L}) {
        controller_->device = camera;
        EXPECT_TRUE(isValidDimension(2448));
        EXPECT_FALSE(isValidDimension(3264));
    }
}

TEST_F(ValidDimension, UnlistedModelAllowsEveryHeight) {
    useModel("iPhone8,1");
    for (long mode : {0L, 1L, 2L}) {
        for (long camera : {0L, 1L}) {
            controller_->mode = mode;
            controller_->device = camera;
            EXPECT_TRUE(isValidDimension(3024));
            EXPECT_TRUE(isValidDimension(100000));
        }
    }
}

TEST_F(ValidDimension, ModesThatAreNeitherPhotoNorVideoAreNotLimited) {
    useModel("iphone4s");
    for (long mode : {3L, 5L, 7L}) {
        controller_->mode = mode;
        controller_->device = 1;
        EXPECT_TRUE(isValidDimension(2448)) << mode;
    }
}

TEST_F(ValidDimension, WithoutCaptureControllerNoHeightIsValid) {
    useModel("iPhone8,1");
    removeController();
    EXPECT_FALSE(isValidDimension(144));
    EXPECT_FALSE(isValidDimension(720));
}

}  // namespace
}  // namespace formatstest
