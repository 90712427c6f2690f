#include "platform/ui/UIApplication.h"

#include "platform/ui/TouchDispatcher.h"
#include "platform/ui/UIWindow.h"

UIApplication::UIApplication() : dispatcher_(std::make_unique<TouchDispatcher>()) {}

UIApplication::~UIApplication() = default;

UIApplication& UIApplication::sharedApplication() {
    static UIApplication* app = new UIApplication();  // lives for the whole program
    return *app;
}

void UIApplication::sendTouches(const std::vector<TouchInput>& inputs, UIWindow* window) {
    std::shared_ptr<UIWindow> key;
    if (window == nullptr) {
        key = keyWindow();
        window = key.get();
    }
    dispatcher_->send(inputs, window);
}

std::size_t UIApplication::activeTouchCount() const {
    return dispatcher_->activeCount();
}

bool UIApplication::mayRecognize(UIGestureRecognizer* recognizer) {
    return dispatcher_->mayRecognize(recognizer);
}

void UIApplication::recognizerDidRecognize(UIGestureRecognizer* recognizer) {
    dispatcher_->didRecognize(recognizer);
}

void UIApplication::reset() {
    keyWindow_.reset();
    dispatcher_ = std::make_unique<TouchDispatcher>();
}
