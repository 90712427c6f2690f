#pragma once
// The host's camera view: preview, bars and gesture handling. Its replaceable methods are
// declared in hostapi/Selectors.h and are called through the runtime (objc::send).

#include "hostapi/HostTypes.h"

class CAMCameraView : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMCameraView)

    // Takes one still photo now.
    virtual void takePicture() = 0;
    // A video recording runs.
    virtual bool _isCapturing() const = 0;
    virtual void _clearFocusViews() = 0;
    virtual void _panFocus(bool focus, bool exposure, CGPoint atPoint) = 0;
    virtual void _startFocus(bool focus, bool andExposure, CGPoint atPoint,
                             bool startFocusAnimation) = 0;
};
