#pragma once
// The cameras the simulated phone has. What hardware exists is device-wide (it survives an app
// relaunch); the AVCaptureDevice objects are per process: each process makes its own on first
// use, and they are dropped when the process is reset (Process::onReset), together with their
// locks, observers and pending adjustments.

#include <functional>
#include <memory>
#include <vector>

class AVCaptureDevice;

namespace platform {

class CaptureHardware {
public:
    using Maker = std::function<std::vector<std::shared_ptr<AVCaptureDevice>>()>;

    // Installs the phone's cameras; `maker` builds a fresh set of device objects. Drops the
    // current process's devices so the next query sees the new hardware.
    static void install(Maker maker);
    // No cameras at all.
    static void uninstall();
    // The running process's devices, made on first use.
    static std::vector<std::shared_ptr<AVCaptureDevice>> devices();
    // Forgets the process's device objects (a new process makes new ones).
    static void resetProcessDevices();
};

}  // namespace platform
