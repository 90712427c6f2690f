#pragma once
// A small app for the simulator's tests: a window with a titled button that counts its taps, a
// label, a hidden button and a control with a tag, plus an event log of what it was asked.

#include <memory>
#include <string>

#include "host/EventLog.h"
#include "platform/device/Process.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIWindow.h"
#include "sim/SimulatedApp.h"

namespace simtest {

class FakeApp : public sim::SimulatedApp {
public:
    explicit FakeApp(sim::AppKind kind) : kind_(kind) {}
    sim::AppKind kind() const override { return kind_; }

    bool launch(const platform::DeviceProfile&, std::string&) override {
        platform::Process::launch("com.example.fake");
        window_ = std::make_shared<UIWindow>(CGRectMake(0, 0, 375, 667));
        window_->setBackgroundColor(UIColor::blackColor());
        button_ = std::make_shared<UIButton>(CGRectMake(100, 500, 100, 60));
        button_->setTitle("Go", UIControlStateNormal);
        button_->setTag(7);
        button_->addTarget(
            nullptr, [this](UIControl*, UIEvent*) { log_.record("goTapped"); },
            UIControlEventTouchUpInside);
        hidden_ = std::make_shared<UIButton>(CGRectMake(0, 0, 50, 50));
        hidden_->setTitle("Secret", UIControlStateNormal);
        hidden_->setHidden(true);
        label_ = std::make_shared<UILabel>(CGRectMake(20, 40, 200, 30));
        label_->setText("Hello");
        window_->addSubview(button_);
        window_->addSubview(hidden_);
        window_->addSubview(label_);
        window_->makeKeyAndVisible();
        running_ = true;
        log_.record("launched");
        return true;
    }
    void terminate() override {
        if (!running_) return;
        log_.record("terminated");
        running_ = false;
        window_.reset();
        platform::Process::terminate();
    }
    bool isRunning() const override { return running_; }
    void background() override { log_.record("background"); }
    void foreground() override { log_.record("foreground"); }
    std::shared_ptr<UIWindow> window() const override { return running_ ? window_ : nullptr; }
    bool perform(const sim::HostAction& action, std::string& error) override {
        if (action.kind == sim::HostAction::Kind::Burst) {
            error = "no burst here";
            return false;
        }
        log_.record("perform", action.describe());
        return true;
    }
    const host::EventLog* eventLog() const override { return &log_; }
    void setScene(std::optional<double> brightnessEV,
                  std::optional<double> distanceMetres) override {
        auto text = [](std::optional<double> v) { return v ? std::to_string(*v) : "-"; };
        log_.record("scene", text(brightnessEV) + " " + text(distanceMetres));
    }

    std::shared_ptr<UIButton> button_;
    std::shared_ptr<UIButton> hidden_;
    std::shared_ptr<UILabel> label_;

private:
    sim::AppKind kind_;
    bool running_ = false;
    std::shared_ptr<UIWindow> window_;
    host::EventLog log_;
};

}  // namespace simtest
