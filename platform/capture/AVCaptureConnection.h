#pragma once
// Outputs and their connections. An output added to a session with a camera input gets one
// video connection to that camera; `connectionWithMediaType:` finds it.

#include <memory>
#include <string>
#include <vector>

#include "platform/capture/AVCaptureTypes.h"
#include "platform/objc/NSObject.h"

class AVCaptureDevice;

class AVCaptureConnection : public NSObject {
public:
    LU_OBJC_CLASS(AVCaptureConnection)
    explicit AVCaptureConnection(std::weak_ptr<AVCaptureDevice> device);

    const char* mediaType() const { return AVMediaTypeVideo; }
    std::shared_ptr<AVCaptureDevice> device() const { return device_.lock(); }

    bool isEnabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }

    bool isVideoMirroringSupported() const { return true; }
    bool isVideoMirrored() const { return mirrored_; }
    // Takes effect only while automaticallyAdjustsVideoMirroring is off (counted fault
    // otherwise, no change), as on the phone.
    void setVideoMirrored(bool mirrored);
    bool automaticallyAdjustsVideoMirroring() const { return autoMirroring_; }
    void setAutomaticallyAdjustsVideoMirroring(bool automatic);

    bool isVideoStabilizationSupported() const;
    AVCaptureVideoStabilizationMode preferredVideoStabilizationMode() const { return preferred_; }
    void setPreferredVideoStabilizationMode(AVCaptureVideoStabilizationMode mode);
    // What the camera actually does with the preferred mode and its active format: the preferred
    // mode when the format supports it (auto meaning standard where available), otherwise off.
    AVCaptureVideoStabilizationMode activeVideoStabilizationMode() const;

    int faultCount() const { return faultCount_; }

private:
    std::weak_ptr<AVCaptureDevice> device_;
    bool enabled_ = true;
    bool mirrored_ = false;
    bool autoMirroring_ = false;
    AVCaptureVideoStabilizationMode preferred_ = AVCaptureVideoStabilizationModeOff;
    int faultCount_ = 0;
};

class AVCaptureOutput : public NSObject {
public:
    LU_OBJC_CLASS(AVCaptureOutput)
    AVCaptureOutput() = default;

    // The connection for `mediaType` ("vide"), or null.
    std::shared_ptr<AVCaptureConnection> connectionWithMediaType(
        const std::string& mediaType) const;
    const std::vector<std::shared_ptr<AVCaptureConnection>>& connections() const {
        return connections_;
    }

    // Used by AVCaptureSession when it links the output to a camera.
    void connectToDevice(const std::shared_ptr<AVCaptureDevice>& device);
    void disconnect() { connections_.clear(); }

private:
    std::vector<std::shared_ptr<AVCaptureConnection>> connections_;
};

class AVCaptureStillImageOutput : public AVCaptureOutput {
public:
    LU_OBJC_CLASS(AVCaptureStillImageOutput)
};

class AVCaptureMovieFileOutput : public AVCaptureOutput {
public:
    LU_OBJC_CLASS(AVCaptureMovieFileOutput)
};
