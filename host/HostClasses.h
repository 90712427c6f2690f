#pragma once
// Registers the host camera app's classes with the object runtime of the running process, each
// with its original implementations of the replaceable methods (the add-on may replace them
// afterwards), and the class methods +[CAMCaptureController sharedInstance] and
// +[CAMSlalomIndicatorView initWithFrame:].

namespace host {

void registerHostClasses();

}  // namespace host
