#include "capture/ApplyFormat.h"

#include <memory>

#include "capture/ChosenDimension.h"
#include "capture/DimensionRules.h"
#include "capture/FormatBadges.h"
#include "capture/FrameRateModel.h"
#include "core/Preferences.h"
#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "platform/capture/ConfigurationGuards.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

// A range can run the device at `rate` frames per second. A range that tops out below the rate
// cannot; neither can one that starts above it (the device would refuse the frame duration). A
// rate of 0 or less asks for the format's default and fits every range.
bool rangeRuns(const AVFrameRateRange& range, int rate) {
    if (rate <= 0) return true;
    return range.maxFrameRate() >= rate && range.minFrameRate() <= rate;
}

// Pins the device at `rate`; the caller holds the configuration lock.
void pinFrameRate(AVCaptureDevice& device, const FixedFrameRate& rate) {
    device.setActiveVideoMinFrameDuration(rate.minFrameDuration());
    device.setActiveVideoMaxFrameDuration(rate.maxFrameDuration());
}

}  // namespace

void setFrameRate(int rate, bool adoptHeight) {
    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    // Slow motion (mode 2) keeps the host's own frame rate.
    if (controller == nullptr || controller->cameraMode() != 1) return;
    const std::shared_ptr<AVCaptureDevice> device = controller->currentDevice();
    if (!device) return;

    const int current = getCurrentDimensionForDevice();
    const FixedFrameRate wanted{rate};

    std::shared_ptr<AVCaptureDeviceFormat> best;
    bool found = false;
    for (const auto& format : device->formats()) {
        const int height = formatHeight(format.get());
        if (!isValidDimension(height)) continue;
        for (const auto& range : format->videoSupportedFrameRateRanges()) {
            if (!rangeRuns(*range, rate) || excludedAboveFullHD(height, range->maxFrameRate()))
                continue;
            best = format;
            // The active height is kept when it can run the rate.
            if (height == current) found = true;
            break;
        }
        if (found) break;
    }
    if (!best) return;

    const platform::SessionConfiguration bracket(controller->currentSession().get());
    {
        const platform::ConfigurationLock lock(device.get());
        if (!lock) return;
        state().skipDoubleUpdate = true;
        if (adoptHeight) setCurrentDimensionHeight(formatHeight(best.get()));
        device->setActiveFormat(best);
        pinFrameRate(*device, wanted);
    }
    assignCurrentDimensionAndSetLabel(formatHeight(best.get()));
    assignCurrentFrameRateAndSetLabel(rate);
    savePrefs();
}

void setDimension(int height, int rate) {
    const FixedFrameRate limit = getMaxFrameRateForRequestedDimension(height, rate);
    const FixedFrameRate chosen = limit.maxFrameRate() >= rate ? FixedFrameRate{rate} : limit;
    state().currentFrameRate = chosen.maxFrameRate();

    CAMCaptureController* controller = sharedCAMCaptureControllerInstance();
    if (controller == nullptr) return;
    const std::shared_ptr<AVCaptureDevice> device = controller->currentDevice();
    if (!device) return;

    for (const auto& format : device->formats()) {
        if (formatHeight(format.get()) != height) continue;
        // Only the first range of each format is compared; a format without ranges has no rate
        // to offer.
        const auto& ranges = format->videoSupportedFrameRateRanges();
        if (ranges.empty()) continue;
        const AVFrameRateRange& first = *ranges.front();
        const int fr = static_cast<int>(first.maxFrameRate());
        if (state().currentFrameRate > fr || excludedAboveFullHD(height, fr)) continue;
        if (chosen.maxFrameRate() > 0 && first.minFrameRate() > chosen.maxFrameRate()) continue;

        {
            const platform::ConfigurationLock lock(device.get());
            if (!lock) return;
            state().skipDoubleUpdate = true;
            device->setActiveFormat(format);
            pinFrameRate(*device, chosen);
        }
        assignCurrentDimensionAndSetLabel(height);
        assignCurrentFrameRateAndSetLabel(chosen.maxFrameRate());
        setCurrentDimensionHeight(height);
        savePrefs();
        return;
    }
}

}  // namespace lumora
