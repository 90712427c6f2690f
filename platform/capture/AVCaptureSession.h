#pragma once
// The capture session: inputs (a camera), outputs, the session preset and the running state.
//
// Setting a preset makes each input's device take the format that serves it; inside a
// beginConfiguration / commitConfiguration bracket (brackets nest) the change waits for the
// outermost commit. When a client sets a device's active format itself, the session reports the
// input-priority preset, as on the phone. Main thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/capture/AVCaptureConnection.h"
#include "platform/capture/AVCaptureDevice.h"
#include "platform/objc/NSObject.h"

using AVCaptureSessionPreset = std::string;
inline const AVCaptureSessionPreset AVCaptureSessionPresetPhoto = "AVCaptureSessionPresetPhoto";
inline const AVCaptureSessionPreset AVCaptureSessionPresetHigh = "AVCaptureSessionPresetHigh";
inline const AVCaptureSessionPreset AVCaptureSessionPresetMedium = "AVCaptureSessionPresetMedium";
inline const AVCaptureSessionPreset AVCaptureSessionPresetLow = "AVCaptureSessionPresetLow";
inline const AVCaptureSessionPreset AVCaptureSessionPreset352x288 = "AVCaptureSessionPreset352x288";
inline const AVCaptureSessionPreset AVCaptureSessionPreset640x480 = "AVCaptureSessionPreset640x480";
inline const AVCaptureSessionPreset AVCaptureSessionPreset1280x720 =
    "AVCaptureSessionPreset1280x720";
inline const AVCaptureSessionPreset AVCaptureSessionPreset1920x1080 =
    "AVCaptureSessionPreset1920x1080";
inline const AVCaptureSessionPreset AVCaptureSessionPresetiFrame960x540 =
    "AVCaptureSessionPresetiFrame960x540";
inline const AVCaptureSessionPreset AVCaptureSessionPresetiFrame1280x720 =
    "AVCaptureSessionPresetiFrame1280x720";
inline const AVCaptureSessionPreset AVCaptureSessionPresetInputPriority =
    "AVCaptureSessionPresetInputPriority";

// Every preset name the session knows, in the order above.
const std::vector<AVCaptureSessionPreset>& allSessionPresets();

class AVCaptureDeviceInput : public NSObject {
public:
    LU_OBJC_CLASS(AVCaptureDeviceInput)
    // Null for a null device.
    static std::shared_ptr<AVCaptureDeviceInput> deviceInputWithDevice(
        const std::shared_ptr<AVCaptureDevice>& device);
    explicit AVCaptureDeviceInput(std::shared_ptr<AVCaptureDevice> device)
        : device_(std::move(device)) {}
    const std::shared_ptr<AVCaptureDevice>& device() const { return device_; }

private:
    std::shared_ptr<AVCaptureDevice> device_;
};

class AVCaptureSession : public NSObject {
public:
    LU_OBJC_CLASS(AVCaptureSession)
    AVCaptureSession() = default;

    // A known preset that every input's device supports (input priority always).
    bool canSetSessionPreset(const AVCaptureSessionPreset& preset) const;
    // Refused (no change, counted in faultCount) when canSetSessionPreset says no.
    void setSessionPreset(const AVCaptureSessionPreset& preset);
    AVCaptureSessionPreset sessionPreset() const;

    void beginConfiguration();
    // Unbalanced commits are counted as faults and ignored.
    void commitConfiguration();
    int configurationDepth() const { return configDepth_; }

    bool canAddInput(const std::shared_ptr<AVCaptureDeviceInput>& input) const;
    void addInput(const std::shared_ptr<AVCaptureDeviceInput>& input);
    void removeInput(const std::shared_ptr<AVCaptureDeviceInput>& input);
    const std::vector<std::shared_ptr<AVCaptureDeviceInput>>& inputs() const { return inputs_; }

    bool canAddOutput(const std::shared_ptr<AVCaptureOutput>& output) const;
    void addOutput(const std::shared_ptr<AVCaptureOutput>& output);
    void removeOutput(const std::shared_ptr<AVCaptureOutput>& output);
    const std::vector<std::shared_ptr<AVCaptureOutput>>& outputs() const { return outputs_; }

    void startRunning();
    void stopRunning();
    bool isRunning() const { return running_; }

    int faultCount() const { return faultCount_; }
    const std::string& lastFault() const { return lastFault_; }

private:
    void applyPreset();
    void connectOutputs();
    std::shared_ptr<AVCaptureDevice> videoDevice() const;

    AVCaptureSessionPreset preset_ = AVCaptureSessionPresetHigh;
    bool presetPending_ = false;
    int configDepth_ = 0;
    bool running_ = false;
    std::vector<std::shared_ptr<AVCaptureDeviceInput>> inputs_;
    std::vector<std::shared_ptr<AVCaptureOutput>> outputs_;
    int faultCount_ = 0;
    std::string lastFault_;
};
