#pragma once
// UIDevice and UIScreen of the simulated phone.

#include <string>

#include "platform/geometry/Geometry.h"
#include "platform/objc/NSObject.h"

using UIDeviceOrientation = long;
inline constexpr UIDeviceOrientation UIDeviceOrientationUnknown = 0;
inline constexpr UIDeviceOrientation UIDeviceOrientationPortrait = 1;
inline constexpr UIDeviceOrientation UIDeviceOrientationPortraitUpsideDown = 2;
inline constexpr UIDeviceOrientation UIDeviceOrientationLandscapeLeft = 3;
inline constexpr UIDeviceOrientation UIDeviceOrientationLandscapeRight = 4;
inline constexpr UIDeviceOrientation UIDeviceOrientationFaceUp = 5;
inline constexpr UIDeviceOrientation UIDeviceOrientationFaceDown = 6;

using UIUserInterfaceIdiom = long;
inline constexpr UIUserInterfaceIdiom UIUserInterfaceIdiomPhone = 0;
inline constexpr UIUserInterfaceIdiom UIUserInterfaceIdiomPad = 1;

class UIDevice : public NSObject {
public:
    LU_OBJC_CLASS(UIDevice)
    static UIDevice& currentDevice();

    UIUserInterfaceIdiom userInterfaceIdiom() const;
    std::string model() const;
    UIDeviceOrientation orientation() const { return orientation_; }
    // Values outside 0-6 are ignored. Interested parties are told through the in-process
    // notification centre ("UIDeviceOrientationDidChangeNotification") when the value changes.
    void setOrientation(UIDeviceOrientation orientation);

    // Back to portrait (a new process).
    void reset() { orientation_ = UIDeviceOrientationPortrait; }

private:
    UIDevice() = default;
    UIDeviceOrientation orientation_ = UIDeviceOrientationPortrait;
};

inline constexpr const char* UIDeviceOrientationDidChangeNotification =
    "UIDeviceOrientationDidChangeNotification";

class UIScreen : public NSObject {
public:
    LU_OBJC_CLASS(UIScreen)
    static UIScreen& mainScreen();

    // The screen in points (the zoomed bounds when display zoom is on); width and height are
    // swapped while the interface is landscape.
    CGRect bounds() const;
    CGFloat scale() const;

    bool interfaceIsLandscape() const { return landscape_; }
    void setInterfaceLandscape(bool landscape) { landscape_ = landscape; }
    void reset() { landscape_ = false; }

private:
    UIScreen() = default;
    bool landscape_ = false;
};
