#pragma once
// Small objects the host hands to its replaceable methods as `id` arguments: notifications, the
// touches of a touch event, still-image requests and capture responses.

#include <atomic>
#include <memory>
#include <string>

#include "host/Scene.h"
#include "hostapi/CAMStillImageCapture.h"
#include "platform/objc/NSObject.h"
#include "platform/ui/UITouchSet.h"

namespace host {

class Notification : public NSObject {
public:
    LU_OBJC_CLASS(NSNotification)
    explicit Notification(std::string name) : name_(std::move(name)) {}
    const std::string& name() const { return name_; }

private:
    std::string name_;
};

// The NSSet of touches of touchesBegan:withEvent: and touchesEnded:withEvent:.
class TouchSet : public NSObject {
public:
    LU_OBJC_CLASS(NSSet)
    explicit TouchSet(const UITouchSet& touches) : touches_(touches) {}
    const UITouchSet& touches() const { return touches_; }

private:
    UITouchSet touches_;
};

// One still photo asked of the camera.
class StillImageRequest : public CAMStillImageCaptureRequest {
public:
    LU_OBJC_CLASS(CAMStillImageCaptureRequest)
    int number = 0;
    int exifOrientation = 6;  // of the stored picture
    bool burst = false;
    bool hdr = false;
    bool duringRecording = false;
    bool viaTakePicture = false;
};

// What the camera delivered for a request: the scene as it was at the moment of capture, and
// the sensor's size. The JPEG itself is made on the saving queue.
class StillImageResponse : public CAMStillImageCaptureResponse {
public:
    LU_OBJC_CLASS(CAMStillImageCaptureResponse)
    const CAMStillImageCaptureRequest* stillImageRequest() const override { return request.get(); }
    std::shared_ptr<const StillImageRequest> request;
    SceneShot shot;
    int stillWidth = 0;
    int stillHeight = 0;
};

}  // namespace host
