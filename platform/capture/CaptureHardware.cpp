#include "platform/capture/CaptureHardware.h"

#include <mutex>

#include "platform/capture/AVCaptureDevice.h"
#include "platform/device/Process.h"

namespace platform {

namespace {

struct Hardware {
    std::mutex mutex;
    CaptureHardware::Maker maker;
    std::vector<std::shared_ptr<AVCaptureDevice>> processDevices;
    bool made = false;
};

Hardware& hardware() {
    static Hardware* h = [] {
        auto* created = new Hardware();
        Process::onReset([] { CaptureHardware::resetProcessDevices(); });
        return created;
    }();
    return *h;
}

}  // namespace

void CaptureHardware::install(Maker maker) {
    std::vector<std::shared_ptr<AVCaptureDevice>> doomed;  // released outside the lock
    auto& h = hardware();
    std::lock_guard lock(h.mutex);
    h.maker = std::move(maker);
    doomed.swap(h.processDevices);
    h.made = false;
}

void CaptureHardware::uninstall() {
    install(nullptr);
}

std::vector<std::shared_ptr<AVCaptureDevice>> CaptureHardware::devices() {
    auto& h = hardware();
    Maker maker;
    {
        std::lock_guard lock(h.mutex);
        if (h.made || !h.maker) return h.processDevices;
        maker = h.maker;
    }
    auto made = maker();
    std::lock_guard lock(h.mutex);
    if (!h.made) {
        h.processDevices = std::move(made);
        h.made = true;
    }
    return h.processDevices;
}

void CaptureHardware::resetProcessDevices() {
    std::vector<std::shared_ptr<AVCaptureDevice>> doomed;
    auto& h = hardware();
    {
        std::lock_guard lock(h.mutex);
        doomed.swap(h.processDevices);
        h.made = false;
    }
}

}  // namespace platform
