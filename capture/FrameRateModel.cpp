#include "capture/FrameRateModel.h"

#include <optional>

#include "capture/DimensionRules.h"
#include "core/TweakState.h"
#include "hostapi/HostAPI.h"
#include "platform/capture/AVCaptureDevice.h"
#include "tools/Predicates.h"

namespace lumora {
namespace {

// A height the table never holds, whatever its formats reach.
constexpr int kIgnoredHeight = 360;

// Frame rates are whole numbers to the user: truncated toward zero.
int truncated(double rate) {
    return static_cast<int>(rate);
}

bool someFormatReaches(const AVCaptureDevice* device, int height, int rate) {
    if (device == nullptr) return false;
    for (const auto& format : device->formats()) {
        if (formatHeight(format.get()) != height) continue;
        for (const auto& range : format->videoSupportedFrameRateRanges()) {
            if (range->maxFrameRate() >= rate &&
                !excludedAboveFullHD(height, range->maxFrameRate()))
                return true;
        }
    }
    return false;
}

}  // namespace

bool excludedAboveFullHD(int height, double maxFrameRate) {
    return state().HAS_CAMSLALOMVIEW_ALWAYS_SHOW && height > 1080 && maxFrameRate > 30;
}

void createFrameRateTableIfMissing() {
    auto& table = state().deviceFrameRatesForDimensions;
    if (table) return;
    table.emplace();
    for (int height : kTableHeights) (*table)[height] = 0;
}

void getDimensions(bool onlyIfEmpty) {
    const long mode = getCameraMode();
    // Slow motion (2) and the modes that are neither photo nor video keep the table as it is.
    if (!(mode == 1 || isCameraModeEx(mode))) return;
    if (!state().deviceFrameRatesForDimensions) return;
    if (onlyIfEmpty && maxFrameRateInTable(144) != 0 && maxFrameRateInTable(480) != 0) return;

    emptyMaxFrameRatesForHeightVariables();
    const auto device = currentCaptureDevice();
    if (!device) return;
    for (const auto& format : device->formats()) {
        // The fastest range; on equal rates the later one (same value).
        std::optional<double> best;
        for (const auto& range : format->videoSupportedFrameRateRanges()) {
            if (!best || range->maxFrameRate() >= *best) best = range->maxFrameRate();
        }
        if (best) assignMaxFrameRateForDimension(formatHeight(format.get()), truncated(*best));
    }
}

void assignMaxFrameRateForDimension(int height, int rate) {
    if (height == kIgnoredHeight) return;
    auto& table = state().deviceFrameRatesForDimensions;
    if (!table) return;
    // Overwritten, not compared: of several formats of one height the last one decides.
    (*table)[height] = isValidDimension(height) ? rate : 0;
}

void emptyMaxFrameRatesForHeightVariables() {
    auto& table = state().deviceFrameRatesForDimensions;
    if (!table) return;
    for (auto& entry : *table) entry.second = 0;
}

int maxFrameRateInTable(int height) {
    const auto& table = state().deviceFrameRatesForDimensions;
    if (!table) return 0;
    const auto it = table->find(height);
    return it != table->end() ? it->second : 0;
}

int getMaxFrameRate(const AVCaptureDevice* device) {
    std::optional<double> best;
    if (device != nullptr) {
        for (const auto& format : device->formats()) {
            const int height = formatHeight(format.get());
            if (!isValidDimension(height)) continue;
            for (const auto& range : format->videoSupportedFrameRateRanges()) {
                if (excludedAboveFullHD(height, range->maxFrameRate())) continue;
                if (range->maxFrameRate() >= best.value_or(0)) best = range->maxFrameRate();
            }
        }
    }
    if (best) return truncated(*best);
    return state().HAS_CAMSLALOMVIEW_ALWAYS_SHOW ? 60 : 30;
}

int getMinFrameRate(const AVCaptureDevice* device) {
    std::optional<double> lowest;
    if (device != nullptr) {
        for (const auto& format : device->formats()) {
            if (!isValidDimension(formatHeight(format.get()))) continue;
            for (const auto& range : format->videoSupportedFrameRateRanges()) {
                if (!lowest || range->minFrameRate() <= *lowest) lowest = range->minFrameRate();
            }
        }
    }
    return lowest ? truncated(*lowest) : 3;
}

FixedFrameRate getMaxFrameRateForRequestedDimension(int height, int rate) {
    constexpr int kLastResort = 30;
    if (sharedCAMCaptureControllerInstance() == nullptr) return {kLastResort};
    const auto device = currentCaptureDevice();
    // Fall back from above 60 to 60, then to 30. When even 30 is out of reach (a height the
    // device does not have, or formats without ranges) the search ends there instead of asking
    // for 30 again and again.
    int r = rate;
    for (;;) {
        if (someFormatReaches(device.get(), height, r)) return {r};
        if (r == kLastResort) return {kLastResort};
        r = r <= 60 ? kLastResort : 60;
    }
}

int getCurrentDimensionForDevice() {
    const auto device = currentCaptureDevice();
    return device ? formatHeight(device->activeFormat().get()) : 0;
}

}  // namespace lumora
