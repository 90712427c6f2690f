#include "tests/support/FakeCaptureController.h"

namespace testsupport {
namespace {

// The class method is a plain function, so what it answers lives here.
CAMCaptureController* gShared = nullptr;

id sharedInstance(objc::Class*, SEL) {
    return gShared;
}

}  // namespace

objc::Class* registerSharedCaptureController(CAMCaptureController* controller) {
    gShared = controller;
    objc::Class* cls = objc::Runtime::current().registerClass("CAMCaptureController");
    objc::addClassMethod<id>(cls, hostsel::CAMCaptureController::sharedInstance::name,
                             &sharedInstance);
    return cls;
}

void setSharedCaptureController(CAMCaptureController* controller) {
    gShared = controller;
}

}  // namespace testsupport
