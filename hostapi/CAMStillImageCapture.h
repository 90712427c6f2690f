#pragma once
// A still photo on its way from the camera to the photo library: the request the host makes when
// it captures (handed to captureController:willCaptureStillImageForRequest:) and the response it
// later saves (handed to the asset saver's methods). The host implements them.

#include "hostapi/HostTypes.h"

class CAMStillImageCaptureRequest : public NSObject {
public:
    LU_OBJC_CLASS(CAMStillImageCaptureRequest)
};

class CAMStillImageCaptureResponse : public NSObject {
public:
    LU_OBJC_CLASS(CAMStillImageCaptureResponse)
    // The request this still answers; null when it has none.
    virtual const CAMStillImageCaptureRequest* stillImageRequest() const = 0;
};
