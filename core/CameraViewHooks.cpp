// Replacements of the camera view's methods and of its companions' (the zoom slider, the preview
// view, the burst session).
#include "core/HookTable.h"
#include "core/Hooks.h"
#include "core/TweakState.h"

namespace lumora::hooks {

namespace cv = hostsel::CAMCameraView;

namespace {

// A weak reference to an object the host owns; empty when the host does not hold it in a
// shared_ptr (nothing to keep then).
template <class T>
std::weak_ptr<T> weakRef(id object) {
    if (object == nullptr) return {};
    return std::dynamic_pointer_cast<T>(object->weak_from_this().lock());
}

}  // namespace

id CAMAvalancheSession_init(id self, SEL cmd) {
    state().isBursting = true;
    return callOriginal<hostsel::CAMAvalancheSession::init>(self, cmd);
}

void CAMAvalancheSession_dealloc(id self, SEL cmd) {
    state().isBursting = false;
    callOriginal<hostsel::CAMAvalancheSession::dealloc>(self, cmd);
}

id CAMZoomSlider_initWithFrame(id self, SEL cmd, CGRect frame) {
    id slider = callOriginal<hostsel::CAMZoomSlider::initWithFrame>(self, cmd, frame);
    state()._CAMZoomSlider = weakRef<CAMZoomSlider>(slider);
    return slider;
}

id CAMPreviewView_initWithFrame(id self, SEL cmd, CGRect frame) {
    id preview = callOriginal<hostsel::CAMPreviewView::initWithFrame>(self, cmd, frame);
    state()._CAMPreviewView = weakRef<CAMPreviewView>(preview);
    return preview;
}

bool CAMCameraView__allowFocusRectPanning(id, SEL) {
    return true;
}

}  // namespace lumora::hooks
