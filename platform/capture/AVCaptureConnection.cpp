#include "platform/capture/AVCaptureConnection.h"

#include "platform/capture/AVCaptureDevice.h"

AVCaptureConnection::AVCaptureConnection(std::weak_ptr<AVCaptureDevice> device)
    : device_(std::move(device)) {
    // The front camera's preview is mirrored by default.
    if (auto d = device_.lock()) mirrored_ = d->position() == AVCaptureDevicePositionFront;
}

void AVCaptureConnection::setVideoMirrored(bool mirrored) {
    if (autoMirroring_) {
        ++faultCount_;
        return;
    }
    mirrored_ = mirrored;
}

void AVCaptureConnection::setAutomaticallyAdjustsVideoMirroring(bool automatic) {
    autoMirroring_ = automatic;
    if (automatic) {
        auto d = device_.lock();
        mirrored_ = d != nullptr && d->position() == AVCaptureDevicePositionFront;
    }
}

bool AVCaptureConnection::isVideoStabilizationSupported() const {
    auto d = device_.lock();
    auto format = d ? d->activeFormat() : nullptr;
    return format != nullptr &&
           format->isVideoStabilizationModeSupported(AVCaptureVideoStabilizationModeStandard);
}

void AVCaptureConnection::setPreferredVideoStabilizationMode(AVCaptureVideoStabilizationMode mode) {
    if (mode < AVCaptureVideoStabilizationModeAuto ||
        mode > AVCaptureVideoStabilizationModeCinematic) {
        ++faultCount_;
        return;
    }
    preferred_ = mode;
}

AVCaptureVideoStabilizationMode AVCaptureConnection::activeVideoStabilizationMode() const {
    auto d = device_.lock();
    auto format = d ? d->activeFormat() : nullptr;
    if (!format || preferred_ == AVCaptureVideoStabilizationModeOff) {
        return AVCaptureVideoStabilizationModeOff;
    }
    if (preferred_ == AVCaptureVideoStabilizationModeAuto) {
        return format->isVideoStabilizationModeSupported(AVCaptureVideoStabilizationModeStandard)
                   ? AVCaptureVideoStabilizationModeStandard
                   : AVCaptureVideoStabilizationModeOff;
    }
    return format->isVideoStabilizationModeSupported(preferred_)
               ? preferred_
               : AVCaptureVideoStabilizationModeOff;
}

std::shared_ptr<AVCaptureConnection> AVCaptureOutput::connectionWithMediaType(
    const std::string& mediaType) const {
    for (const auto& c : connections_) {
        if (mediaType == c->mediaType()) return c;
    }
    return nullptr;
}

void AVCaptureOutput::connectToDevice(const std::shared_ptr<AVCaptureDevice>& device) {
    connections_.clear();
    if (device) connections_.push_back(std::make_shared<AVCaptureConnection>(device));
}
