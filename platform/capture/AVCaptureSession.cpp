#include "platform/capture/AVCaptureSession.h"

#include <algorithm>

const std::vector<AVCaptureSessionPreset>& allSessionPresets() {
    static const std::vector<AVCaptureSessionPreset> presets = {
        AVCaptureSessionPresetPhoto,         AVCaptureSessionPresetHigh,
        AVCaptureSessionPresetMedium,        AVCaptureSessionPresetLow,
        AVCaptureSessionPreset352x288,       AVCaptureSessionPreset640x480,
        AVCaptureSessionPreset1280x720,      AVCaptureSessionPreset1920x1080,
        AVCaptureSessionPresetiFrame960x540, AVCaptureSessionPresetiFrame1280x720,
        AVCaptureSessionPresetInputPriority,
    };
    return presets;
}

std::shared_ptr<AVCaptureDeviceInput> AVCaptureDeviceInput::deviceInputWithDevice(
    const std::shared_ptr<AVCaptureDevice>& device) {
    if (!device) return nullptr;
    return std::make_shared<AVCaptureDeviceInput>(device);
}

bool AVCaptureSession::canSetSessionPreset(const AVCaptureSessionPreset& preset) const {
    const auto& known = allSessionPresets();
    if (std::find(known.begin(), known.end(), preset) == known.end()) return false;
    return std::all_of(inputs_.begin(), inputs_.end(), [&](const auto& input) {
        return input->device()->supportsAVCaptureSessionPreset(preset);
    });
}

void AVCaptureSession::setSessionPreset(const AVCaptureSessionPreset& preset) {
    if (!canSetSessionPreset(preset)) {
        ++faultCount_;
        lastFault_ = "setSessionPreset: " + preset + " is not supported";
        return;
    }
    preset_ = preset;
    presetPending_ = true;
    if (configDepth_ == 0) applyPreset();
}

AVCaptureSessionPreset AVCaptureSession::sessionPreset() const {
    for (const auto& input : inputs_) {
        if (input->device()->activeFormatSetByClient()) return AVCaptureSessionPresetInputPriority;
    }
    return preset_;
}

void AVCaptureSession::applyPreset() {
    if (!presetPending_) return;
    presetPending_ = false;
    for (const auto& input : inputs_) input->device()->applySessionPreset(preset_);
}

void AVCaptureSession::beginConfiguration() {
    ++configDepth_;
}

void AVCaptureSession::commitConfiguration() {
    if (configDepth_ == 0) {
        ++faultCount_;
        lastFault_ = "commitConfiguration without beginConfiguration";
        return;
    }
    if (--configDepth_ == 0) applyPreset();
}

bool AVCaptureSession::canAddInput(const std::shared_ptr<AVCaptureDeviceInput>& input) const {
    if (!input || !input->device()) return false;
    if (std::find(inputs_.begin(), inputs_.end(), input) != inputs_.end()) return false;
    // One camera at a time. A preset the camera cannot serve leaves its format as it is.
    return inputs_.empty();
}

void AVCaptureSession::addInput(const std::shared_ptr<AVCaptureDeviceInput>& input) {
    if (!canAddInput(input)) {
        ++faultCount_;
        lastFault_ = "addInput: refused";
        return;
    }
    inputs_.push_back(input);
    presetPending_ = true;
    if (configDepth_ == 0) applyPreset();
    connectOutputs();
}

void AVCaptureSession::removeInput(const std::shared_ptr<AVCaptureDeviceInput>& input) {
    auto it = std::find(inputs_.begin(), inputs_.end(), input);
    if (it == inputs_.end()) return;
    inputs_.erase(it);
    connectOutputs();
}

bool AVCaptureSession::canAddOutput(const std::shared_ptr<AVCaptureOutput>& output) const {
    return output != nullptr &&
           std::find(outputs_.begin(), outputs_.end(), output) == outputs_.end();
}

void AVCaptureSession::addOutput(const std::shared_ptr<AVCaptureOutput>& output) {
    if (!canAddOutput(output)) {
        ++faultCount_;
        lastFault_ = "addOutput: refused";
        return;
    }
    outputs_.push_back(output);
    output->connectToDevice(videoDevice());
}

void AVCaptureSession::removeOutput(const std::shared_ptr<AVCaptureOutput>& output) {
    auto it = std::find(outputs_.begin(), outputs_.end(), output);
    if (it == outputs_.end()) return;
    (*it)->disconnect();
    outputs_.erase(it);
}

std::shared_ptr<AVCaptureDevice> AVCaptureSession::videoDevice() const {
    for (const auto& input : inputs_) {
        if (input->device()->hasMediaType(AVMediaTypeVideo)) return input->device();
    }
    return nullptr;
}

void AVCaptureSession::connectOutputs() {
    auto device = videoDevice();
    for (const auto& output : outputs_) output->connectToDevice(device);
}

void AVCaptureSession::startRunning() {
    running_ = true;
}

void AVCaptureSession::stopRunning() {
    running_ = false;
}
