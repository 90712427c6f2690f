#include "capture/ChosenDimension.h"

#include "core/TweakState.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

struct Situation {
    bool video;
    bool photo;
    bool back;
};

Situation situationFor(int mode, int camera) {
    if (mode >= 0) return {isVideoModeEx(mode), isCameraModeEx(mode), isBackCameraEx(camera)};
    return {isVideoMode(), isCameraMode(), isBackCamera()};
}

Situation currentSituation() {
    return situationFor(-1, 0);
}

// The height in force of a photo or video situation; null in any other mode.
int* heightInForce(const Situation& s) {
    TweakState& st = state();
    if (s.video)
        return s.back ? &st.currentDimensionHeightVideoBack : &st.currentDimensionHeightVideoFront;
    if (s.photo)
        return s.back ? &st.currentDimensionHeightPhotoBack : &st.currentDimensionHeightPhotoFront;
    return nullptr;
}

// A chosen 1936 for photos on the back camera reads as 1080.
int readAsStored(const Situation& s, int height) {
    return (s.photo && s.back && height == 1936) ? 1080 : height;
}

constexpr int kNeitherModeHeight = 720;

}  // namespace

int defaultDimensionHeight(bool video, bool photo, bool back) {
    if (video) return back ? 1080 : 720;
    if (photo) return back ? 2448 : (state().screensize == 0 ? 480 : 960);
    return kNeitherModeHeight;
}

int getCurrentDimensionHeight(int mode, int camera) {
    const Situation s = situationFor(mode, camera);
    const int* height = heightInForce(s);
    return height != nullptr ? readAsStored(s, *height) : kNeitherModeHeight;
}

int getCurrentDimensionHeightWithGivenModesAndZeroConversion(int mode, int camera) {
    const Situation s = situationFor(mode, camera);
    int* height = heightInForce(s);
    if (height == nullptr) return kNeitherModeHeight;
    if (*height == 0) *height = defaultDimensionHeight(s.video, s.photo, s.back);
    return readAsStored(s, *height);
}

int getCurrentDimensionHeightWithZeroConversion() {
    const Situation s = currentSituation();
    const int* height = heightInForce(s);
    if (height == nullptr) return kNeitherModeHeight;
    return *height != 0 ? *height : defaultDimensionHeight(s.video, s.photo, s.back);
}

void setCurrentDimensionHeight(int height) {
    // Host mode 6 keeps its height, although it counts as a photo mode everywhere else.
    if (getCameraMode() == 6) return;
    TweakState& st = state();
    const bool back = isBackCamera();
    if (isVideoMode()) {
        (back ? st.currentDimensionHeightVideoBack : st.currentDimensionHeightVideoFront) = height;
        (back ? st.globalDimensionHeightVideoBack : st.globalDimensionHeightVideoFront) = height;
    } else if (isCameraMode()) {
        (back ? st.currentDimensionHeightPhotoBack : st.currentDimensionHeightPhotoFront) = height;
        (back ? st.globalDimensionHeightPhotoBack : st.globalDimensionHeightPhotoFront) = height;
    }
}

}  // namespace lumora
