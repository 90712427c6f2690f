#include "core/HookTable.h"

#include <array>
#include <cstdio>
#include <string_view>

#include "core/Hooks.h"
#include "hostapi/ReplaceableMethods.h"
#include "hostapi/Selectors.h"
#include "photo/AssetSaverHooks.h"

namespace lumora {
namespace {

// One row per built replacement: the descriptor gives class-independent typing, the class name
// says where it goes.
template <class Selector, auto Replacement>
constexpr HookRow row(const char* className) {
    return HookRow{className, Selector::name, &installReplacement<Selector, Replacement>};
}

namespace cv = hostsel::CAMCameraView;
namespace cc = hostsel::CAMCaptureController;
namespace as = hostsel::CAMAssetSaver;

constexpr std::array kHookTable{
    row<hostsel::CAMAvalancheSession::init, &hooks::CAMAvalancheSession_init>(
        "CAMAvalancheSession"),
    row<hostsel::CAMAvalancheSession::dealloc, &hooks::CAMAvalancheSession_dealloc>(
        "CAMAvalancheSession"),
    row<hostsel::CAMZoomSlider::initWithFrame, &hooks::CAMZoomSlider_initWithFrame>(
        "CAMZoomSlider"),
    row<hostsel::CAMPreviewView::initWithFrame, &hooks::CAMPreviewView_initWithFrame>(
        "CAMPreviewView"),
    row<cv::captureController_willCaptureStillImageForRequest,
        &hooks::CAMCameraView_captureController_willCaptureStillImageForRequest>("CAMCameraView"),
    row<cv::_allowFocusRectPanning, &hooks::CAMCameraView__allowFocusRectPanning>("CAMCameraView"),
    row<as::saveStillImageCaptureResponse_requestEnqueuedBlock_completionBlock,
        &hooks::CAMAssetSaver_saveStillImageCaptureResponse>("CAMAssetSaver"),
    row<as::_imageJobForStillImageCaptureResponse,
        &hooks::CAMAssetSaver__imageJobForStillImageCaptureResponse>("CAMAssetSaver"),
    row<as::queueJobDictionary_asset_requestEnqueuedBlock_completionBlock_imageSurface_previewImageSurface_transient,
        &hooks::CAMAssetSaver_queueJobDictionary>("CAMAssetSaver"),
    row<cc::_sessionStopped, &hooks::CAMCaptureController__sessionStopped>("CAMCaptureController"),
    row<cc::canChangeFocusOrExposure, &hooks::CAMCaptureController_canChangeFocusOrExposure>(
        "CAMCaptureController"),
    row<cc::startPreview, &hooks::CAMCaptureController_startPreview>("CAMCaptureController"),
    row<cc::canCapturePhotoDuringRecording,
        &hooks::CAMCaptureController_canCapturePhotoDuringRecording>("CAMCaptureController"),
};

// Each built row names a replaceable method of the host, and the rows keep the list's order.
constexpr bool followsReplaceableMethods() {
    std::size_t next = 0;
    for (const HookRow& r : kHookTable) {
        while (next < hostapi::kReplaceableMethods.size() &&
               !(std::string_view(hostapi::kReplaceableMethods[next].className) == r.className &&
                 std::string_view(hostapi::kReplaceableMethods[next].selector) == r.selector)) {
            ++next;
        }
        if (next == hostapi::kReplaceableMethods.size()) return false;
        ++next;
    }
    return true;
}
static_assert(followsReplaceableMethods(),
              "a hook row names no replaceable method or stands out of the list's order");

}  // namespace

std::span<const HookRow> hookTable() {
    return kHookTable;
}

std::size_t installHooks() {
    std::size_t replaced = 0;
    for (const HookRow& r : kHookTable) {
        objc::Class* cls = objc_getClass(r.className);
        if (cls == nullptr) {
            std::fprintf(stderr, "Lumora3: the app has no class %s; -[%s %s] is not replaced\n",
                         r.className, r.className, r.selector);
            continue;
        }
        const objc::HookResult result = r.install(cls);
        if (result == objc::HookResult::Replaced) {
            ++replaced;
        } else {
            objc::reportHookFailure(result, cls, r.selector);
        }
    }
    return replaced;
}

}  // namespace lumora
