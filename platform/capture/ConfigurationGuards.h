#pragma once
// Guards for the capture framework's paired calls.
//
//   if (ConfigurationLock lock(device.get()); lock) { device->setFocusMode(...); }
//   SessionConfiguration bracket(session.get());  // begin now, commit at scope end
//
// Both accept null (they then do nothing) and are not copyable.

#include <memory>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/capture/AVCaptureSession.h"

namespace platform {

class ConfigurationLock {
public:
    explicit ConfigurationLock(AVCaptureDevice* device)
        : device_(device != nullptr && device->lockForConfiguration() ? device : nullptr) {}
    explicit ConfigurationLock(const std::shared_ptr<AVCaptureDevice>& device)
        : ConfigurationLock(device.get()) {}
    ~ConfigurationLock() {
        if (device_ != nullptr) device_->unlockForConfiguration();
    }
    ConfigurationLock(const ConfigurationLock&) = delete;
    ConfigurationLock& operator=(const ConfigurationLock&) = delete;

    // True when the lock was obtained.
    bool locked() const { return device_ != nullptr; }
    explicit operator bool() const { return locked(); }

private:
    AVCaptureDevice* device_;
};

class SessionConfiguration {
public:
    explicit SessionConfiguration(AVCaptureSession* session) : session_(session) {
        if (session_ != nullptr) session_->beginConfiguration();
    }
    explicit SessionConfiguration(const std::shared_ptr<AVCaptureSession>& session)
        : SessionConfiguration(session.get()) {}
    ~SessionConfiguration() {
        if (session_ != nullptr) session_->commitConfiguration();
    }
    SessionConfiguration(const SessionConfiguration&) = delete;
    SessionConfiguration& operator=(const SessionConfiguration&) = delete;

private:
    AVCaptureSession* session_;
};

}  // namespace platform
